// Reading the committed resource files for the tests.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "tests/resources/resource_checks.h"

namespace resource_checks {

inline std::string ResourcePath(const std::string& relative) {
    return std::string(ZF_RESOURCE_DIR) + "/" + relative;
}

inline std::vector<std::uint8_t> ReadResource(const std::string& relative) {
    std::ifstream in(ResourcePath(relative), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Test names and failure messages show the resource's name.
inline void PrintTo(const CataloguedBitmap& want, std::ostream* out) {
    *out << want.name;
}
inline void PrintTo(const CataloguedSound& want, std::ostream* out) {
    *out << want.name;
}

inline std::string Joined(const std::vector<std::string>& problems) {
    std::string text;
    for (const auto& p : problems) text += "\n  " + p;
    return text;
}

}  // namespace resource_checks
