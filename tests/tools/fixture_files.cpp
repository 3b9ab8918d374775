// The fixture files' contents, made by the tests' builders.
#include "tests/tools/fixture_files.h"

#include "tests/support/test_files.h"

namespace media_test {

std::vector<uint8_t> FixtureIconImage(int index) {
    std::vector<uint8_t> bytes(40 + index * 7);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 31 + index);
    return bytes;
}

std::vector<FixtureFile> FixtureFiles() {
    BmpRecipe sky{.width = 2, .height = 2, .bits = 24};
    sky.values = {0x87CEEB, 0xFFFFFF, 0x87CEEB, 0x87CEFA};
    BmpRecipe title{.width = 3, .height = 1, .bits = 8};
    title.palette = {0x000000, 0xFF8000};
    title.colours_used = 2;
    title.values = {1, 0, 1};
    WaveRecipe every_byte{.rate = 22254};
    for (int i = 0; i < 256; ++i) every_byte.samples.push_back(static_cast<uint8_t>(i));
    IconImage small{.width = 16, .height = 16, .bytes = FixtureIconImage(0)};
    IconImage large{.bytes = FixtureIconImage(1)};
    return {
        {"Sky.bmp", MakeBmp(sky)},
        {"111.bmp", MakeBmp(title)},
        {"giggle.wav", MakeWave(every_byte)},
        {"IDI_ICON1.ico", MakeIco({small, large})},
    };
}

}  // namespace media_test
