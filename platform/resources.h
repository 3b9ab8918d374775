// The program's own resources: pictures, sounds, icons and dialog templates found by type and
// by number or name, names without regard to case. The game's catalogue is built into the
// executable; tests make small ones of their own.
#pragma once

#include <cstddef>
#include <span>

#include "platform/win32.h"

namespace platform {

struct ResourceEntry {
    LPCSTR type;  // a name ("SOUND") or a number made with MAKEINTRESOURCEA (RT_BITMAP)
    LPCSTR name;  // a name ("SKY") or a number made with MAKEINTRESOURCEA (111)
    const void* data;
    size_t size;
};

class ResourceCatalogue {
  public:
    constexpr ResourceCatalogue() = default;
    constexpr explicit ResourceCatalogue(std::span<const ResourceEntry> entries)
        : entries_(entries) {}

    // Type and name are each a number (MAKEINTRESOURCEA) or a string; a string "#123" means
    // the number 123, as on Win32. nullptr when nothing matches.
    const ResourceEntry* Find(LPCSTR type, LPCSTR name) const;

    std::span<const ResourceEntry> entries() const { return entries_; }

  private:
    std::span<const ResourceEntry> entries_;
};

// The resources built into this program; defined by the embedded resource library.
const ResourceCatalogue& ModuleResources();

}  // namespace platform
