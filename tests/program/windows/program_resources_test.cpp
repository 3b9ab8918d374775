// zandrofel.exe as Windows reads it: the version that Explorer's Properties show, and the
// manifest as the system's own activation context parses it when the program starts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32.h"

namespace {

// The program in the build tree, found from this test program's own place in it.
std::string ProgramPath() {
    char own[MAX_PATH];
    std::string path(own, GetModuleFileNameA(nullptr, own, MAX_PATH));
    return path.substr(0, path.find_last_of("\\/") + 1) + ZF_PROGRAM_FROM_TESTS;
}

// A string of the US English block, the one the version's translation table names.
std::string VersionString(std::vector<char>& info, const std::string& name) {
    char* value = nullptr;
    UINT size = 0;
    std::string query = "\\StringFileInfo\\040904b0\\" + name;
    if (!VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &size))
        return "";
    return value;
}

TEST(ProgramResources, TheVersionNamesTheGameItsFileAndTheProjectVersion) {
    const std::string path = ProgramPath();
    std::vector<char> info(GetFileVersionInfoSizeA(path.c_str(), nullptr));
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, info.size(), info.data())) << path;
    EXPECT_EQ(VersionString(info, "ProductName"), "Grommelin Quibbert's Zandrofel");
    EXPECT_EQ(VersionString(info, "FileDescription"),
              "Grommelin Quibbert's Zandrofel, an arcade game");
    EXPECT_EQ(VersionString(info, "OriginalFilename"), "zandrofel.exe");
    EXPECT_EQ(VersionString(info, "FileVersion"), ZF_VERSION);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(MAKELONG(ZF_VERSION_MINOR, ZF_VERSION_MAJOR)));
}

// The list of systems as Windows 10 and Wine give it: each element carries the highest version
// tested too, which aligns the list to 8 bytes.
struct CompatibilityList {
    DWORD count;
    struct {
        GUID id;
        ACTCTX_COMPATIBILITY_ELEMENT_TYPE type;
        ULONGLONG max_version_tested;
    } elements[8];
};

TEST(ProgramResources, TheManifestNamesWindows7To11AndAsksForGdiScalingAsTheInvoker) {
    const std::string path = ProgramPath();
    ACTCTXA request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE context = CreateActCtxA(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << path << ": " << GetLastError();

    CompatibilityList list{};
    SIZE_T size = 0;
    ASSERT_TRUE(QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext,
                             &list, sizeof list, &size));
    const GUID
        kWindows7 = {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}},
        kWindows8 = {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}},
        kWindows81 = {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}},
        kWindows10And11 = {
            0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}};
    std::vector<GUID> systems;
    for (DWORD i = 0; i < list.count && i < 8; ++i)
        if (list.elements[i].type == ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS)
            systems.push_back(list.elements[i].id);
    EXPECT_EQ(systems, (std::vector<GUID>{kWindows7, kWindows8, kWindows81, kWindows10And11}));

    wchar_t scaling[8] = {};
    EXPECT_TRUE(QueryActCtxSettingsW(0, context,
                                     L"http://schemas.microsoft.com/SMI/2017/WindowsSettings",
                                     L"gdiScaling", scaling, 8, &size));
    EXPECT_EQ(std::wstring(scaling), L"true");

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
    ASSERT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &level,
                             sizeof level, &size));
    EXPECT_EQ(level.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    ReleaseActCtx(context);
}

}  // namespace
