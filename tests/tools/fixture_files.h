// The files of the embedder's fixture catalogue: their names and bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace media_test {

struct FixtureFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// A bitmap named in mixed case, a numbered bitmap, a sound whose samples are every byte value,
// and an icon of two images.
std::vector<FixtureFile> FixtureFiles();
std::vector<uint8_t> FixtureIconImage(int index);

}  // namespace media_test
