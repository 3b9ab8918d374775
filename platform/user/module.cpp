// The program's module handle and file name, and the system's icons and cursors.
#include <strings.h>
#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/core/handle_table.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "platform/user/user_state.h"
#include "platform/win32.h"

namespace platform::user {

namespace {
// An icon or cursor: one of the system's (by its IDI_/IDC_ number) or a program resource.
struct Icon : HandleTable::Object {
    explicit Icon(ULONG_PTR id, const ResourceEntry* resource = nullptr)
        : id(id), resource(resource) {}
    ULONG_PTR id;
    const ResourceEntry* resource;
};

constexpr ULONG_PTR kFirstSystemIcon = 32512;  // IDI_APPLICATION
constexpr ULONG_PTR kLastSystemIcon = 32516;   // IDI_ASTERISK
constexpr ULONG_PTR kCursorKey = 0x10000;      // keeps cursors apart from icons in the cache
}  // namespace

HICON UserState::SharedIcon(ULONG_PTR key, const void* resource) {
    auto it = icons_.find(key);
    if (it != icons_.end()) return it->second;
    auto handle = handles().Add(
        ObjectKind::kIcon, std::make_unique<Icon>(key, static_cast<const ResourceEntry*>(resource)),
        HandleTable::Lifetime::kStock);
    HICON icon = reinterpret_cast<HICON>(handle);
    icons_[key] = icon;
    return icon;
}

}  // namespace platform::user

namespace {
// Stands for the program; never dereferenced.
HINSTANCE const kModule = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000));
}  // namespace

HMODULE WINAPI GetModuleHandleA(LPCSTR module_name) {
    if (!module_name) return kModule;
    const std::string& path = platform::Session::Current().module_path();
    std::string base = path.substr(path.find_last_of('/') + 1);
    return strcasecmp(base.c_str(), module_name) == 0 ? kModule : nullptr;
}

DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    if (module && module != kModule) return 0;
    const std::string& path = platform::Session::Current().module_path();
    // As on Win32, a short buffer gets as much as fits, terminated.
    size_t count = std::min<size_t>(path.size(), size - 1);
    std::memcpy(buffer, path.data(), count);
    buffer[count] = '\0';
    return path.size() >= size ? size : static_cast<DWORD>(count);
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    platform::user::UserState& state = platform::user::State();
    if (!name) return nullptr;
    if (!instance) {
        if (!IS_INTRESOURCE(name)) return nullptr;
        auto id = reinterpret_cast<ULONG_PTR>(name);
        if (id < platform::user::kFirstSystemIcon || id > platform::user::kLastSystemIcon)
            return nullptr;
        return state.SharedIcon(id, nullptr);
    }
    const platform::ResourceEntry* entry =
        platform::Session::Current().resources().Find(RT_GROUP_ICON, name);
    if (!entry) return nullptr;
    return state.SharedIcon(reinterpret_cast<ULONG_PTR>(entry), entry);
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (instance || !name || name != IDC_ARROW) return nullptr;
    return platform::user::State().SharedIcon(
        platform::user::kCursorKey + reinterpret_cast<ULONG_PTR>(name), nullptr);
}
