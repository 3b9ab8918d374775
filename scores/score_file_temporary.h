// The names of a save's temporary files, the same on every system: "<table's name>.<8 lowercase
// hex digits>.tmp" beside the table; and that folder.
#pragma once

#include <string>
#include <string_view>

inline bool IsTemporaryOf(const std::string& base, std::string_view name) {
    if (name.size() != base.size() + 13 || name.substr(0, base.size()) != base) return false;
    const std::string_view rest = name.substr(base.size());
    if (rest[0] != '.' || rest.substr(9) != ".tmp") return false;
    return rest.substr(1, 8).find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// The folder of a full path with '/' separators.
inline std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}
