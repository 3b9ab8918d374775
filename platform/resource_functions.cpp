// FindResourceA and its companions over the session's resource catalogue. The program is one
// module, so every module handle (NULL included) names it. A resource handle is the address of
// its catalogue entry, checked against the catalogue before use, so a stray handle is refused.
#include "platform/resources.h"
#include "platform/session.h"
#include "platform/win32.h"

namespace {

const platform::ResourceEntry* EntryOf(HRSRC resource) {
    if (!resource) return nullptr;
    auto entries = platform::Session::Current().resources().entries();
    auto* entry = reinterpret_cast<const platform::ResourceEntry*>(resource);
    for (const platform::ResourceEntry& candidate : entries)
        if (&candidate == entry) return entry;
    return nullptr;
}

}  // namespace

HRSRC WINAPI FindResourceA(HMODULE, LPCSTR name, LPCSTR type) {
    const platform::ResourceEntry* entry =
        platform::Session::Current().resources().Find(type, name);
    return reinterpret_cast<HRSRC>(const_cast<platform::ResourceEntry*>(entry));
}

// The bytes are already in memory for the life of the program: loading only hands them out.
HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
    const platform::ResourceEntry* entry = EntryOf(resource);
    return entry ? const_cast<void*>(entry->data) : nullptr;
}

LPVOID WINAPI LockResource(HGLOBAL data) {
    return data;
}

DWORD WINAPI SizeofResource(HMODULE, HRSRC resource) {
    const platform::ResourceEntry* entry = EntryOf(resource);
    return entry ? static_cast<DWORD>(entry->size) : 0;
}
