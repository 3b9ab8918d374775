// zandrofel.exe as Windows reads it: the version that Explorer's Properties show, and the
// manifest as the system's own activation context parses it when the program starts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
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

// A string of the version resource, in the language its translation table names first.
std::string VersionString(const std::vector<char>& info, const char* name) {
    struct Translation {
        WORD language;
        WORD code_page;
    }* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &size) ||
        size < sizeof *translation)
        return "";
    char query[80];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", translation->language,
                  translation->code_page, name);
    char* value = nullptr;
    if (!VerQueryValueA(info.data(), query, reinterpret_cast<void**>(&value), &size)) return "";
    return value;
}

TEST(ProgramResources, TheVersionNamesTheGameItsFileAndTheProjectVersion) {
    const std::string path = ProgramPath();
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), nullptr);
    ASSERT_GT(size, 0u) << path << ": " << GetLastError();
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));
    EXPECT_EQ(VersionString(info, "ProductName"), "Grommelin Quibbert's Zandrofel");
    EXPECT_EQ(VersionString(info, "FileDescription"),
              "Grommelin Quibbert's Zandrofel, an arcade game");
    EXPECT_EQ(VersionString(info, "OriginalFilename"), "zandrofel.exe");
    EXPECT_EQ(VersionString(info, "FileVersion"), ZF_VERSION);
    EXPECT_EQ(VersionString(info, "ProductVersion"), ZF_VERSION);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixed_size = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &fixed_size));
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(MAKELONG(ZF_VERSION_MINOR, ZF_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileType, DWORD{VFT_APP});
}

// The systems a compatibility list names. Newer systems give each element the highest version
// tested as well, which aligns the list to 8 bytes; older ones do not. The size tells which.
std::vector<GUID> SupportedSystems(const std::vector<BYTE>& list) {
    struct Element {
        GUID id;
        DWORD type;
    };
    struct ElementWithVersion {
        Element element;
        ULONGLONG max_version_tested;
    };
    DWORD count = 0;
    if (list.size() < sizeof count) return {};
    std::memcpy(&count, list.data(), sizeof count);
    size_t start = sizeof count, stride = sizeof(Element);
    if (list.size() == 8 + count * sizeof(ElementWithVersion)) {
        start = 8;
        stride = sizeof(ElementWithVersion);
    } else if (list.size() != start + count * stride) {
        return {};
    }
    std::vector<GUID> systems;
    for (DWORD i = 0; i < count; ++i) {
        Element element;
        std::memcpy(&element, list.data() + start + i * stride, sizeof element);
        if (element.type == ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS) systems.push_back(element.id);
    }
    return systems;
}

class ProgramManifest : public ::testing::Test {
  protected:
    void SetUp() override {
        ACTCTXA context{};
        context.cbSize = sizeof context;
        context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        context.lpSource = path_.c_str();
        context.lpResourceName = MAKEINTRESOURCEA(1);
        context_ = CreateActCtxA(&context);
        ASSERT_NE(context_, INVALID_HANDLE_VALUE) << path_ << ": " << GetLastError();
    }
    void TearDown() override {
        if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
    }

    std::vector<BYTE> Query(ULONG what) const {
        SIZE_T needed = 0;
        QueryActCtxW(0, context_, nullptr, what, nullptr, 0, &needed);
        std::vector<BYTE> buffer(needed);
        if (!QueryActCtxW(0, context_, nullptr, what, buffer.data(), needed, &needed))
            buffer.clear();
        return buffer;
    }

    std::wstring Setting(const wchar_t* space, const wchar_t* name) const {
        wchar_t value[32] = {};
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, context_, space, name, value, 32, &written)) return L"";
        return value;
    }

    const std::string path_ = ProgramPath();
    HANDLE context_ = INVALID_HANDLE_VALUE;
};

TEST_F(ProgramManifest, NamesWindows7To11) {
    const GUID kSupported[] = {
        {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}},  // 7
        {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}},  // 8
        {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}},  // 8.1
        {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}},  // 10, 11
    };
    EXPECT_EQ(SupportedSystems(Query(CompatibilityInformationInActivationContext)),
              std::vector<GUID>(std::begin(kSupported), std::end(kSupported)));
}

TEST_F(ProgramManifest, AsksForGdiScalingAndNoAdministratorRights) {
    EXPECT_EQ(Setting(L"http://schemas.microsoft.com/SMI/2017/WindowsSettings", L"gdiScaling"),
              L"true");
    EXPECT_EQ(Setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
              L"false");
    const std::vector<BYTE> buffer = Query(RunlevelInformationInActivationContext);
    ASSERT_EQ(buffer.size(), sizeof(ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION));
    const auto* level =
        reinterpret_cast<const ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION*>(buffer.data());
    EXPECT_EQ(level->RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
}

}  // namespace
