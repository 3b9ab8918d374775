#include "platform/resources.h"

#include <cctype>
#include <cstdlib>

namespace platform {

namespace {

// A resource key as a number, or as a name; "#123" is the number 123.
struct Key {
    bool is_number;
    unsigned number;
    LPCSTR name;
};

Key MakeKey(LPCSTR value) {
    if (IS_INTRESOURCE(value))
        return {true, static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(value)), nullptr};
    if (value[0] == '#' && value[1] != '\0') {
        char* end = nullptr;
        unsigned long number = std::strtoul(value + 1, &end, 10);
        if (*end == '\0' && number <= 0xFFFF) return {true, static_cast<unsigned>(number), nullptr};
    }
    return {false, 0, value};
}

bool SameName(LPCSTR a, LPCSTR b) {
    for (; *a && *b; ++a, ++b) {
        if (std::toupper(static_cast<unsigned char>(*a)) !=
            std::toupper(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == *b;
}

bool Matches(const Key& key, LPCSTR value) {
    Key other = MakeKey(value);
    if (key.is_number != other.is_number) return false;
    return key.is_number ? key.number == other.number : SameName(key.name, other.name);
}

}  // namespace

const ResourceEntry* ResourceCatalogue::Find(LPCSTR type, LPCSTR name) const {
    if (!type || !name) return nullptr;
    Key type_key = MakeKey(type);
    Key name_key = MakeKey(name);
    for (const ResourceEntry& entry : entries_) {
        if (Matches(type_key, entry.type) && Matches(name_key, entry.name)) return &entry;
    }
    return nullptr;
}

}  // namespace platform
