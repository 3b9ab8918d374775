// Checks the program's own catalogue against the resource files it was built from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/image/bmp.h"
#include "platform/resources.h"
#include "platform/sound/wave.h"
#include "resources/dialog_templates.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesIn(const char* folder, const char* extension) {
    std::vector<fs::path> found;
    fs::path dir = fs::path(ZF_RESOURCE_DIR) / folder;
    if (!fs::is_directory(dir)) return found;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir))
        if (entry.path().extension() == extension) found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::span<const uint8_t> BytesOf(const ResourceEntry& entry) {
    return {static_cast<const uint8_t*>(entry.data), entry.size};
}

bool SameBytes(const ResourceEntry& entry, const std::vector<uint8_t>& bytes) {
    return entry.size == bytes.size() && std::memcmp(entry.data, bytes.data(), bytes.size()) == 0;
}

// Resource names are the file names in capitals, or numbers for names of digits.
std::string KeyFor(const fs::path& path) {
    std::string stem = path.stem().string();
    if (std::all_of(stem.begin(), stem.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return "#" + stem;
    return stem;
}

TEST(ModuleResources, EveryPictureIsEmbeddedAndDecodes) {
    for (const fs::path& file : FilesIn("bitmaps", ".bmp")) {
        const ResourceEntry* entry = ModuleResources().Find(RT_BITMAP, KeyFor(file).c_str());
        ASSERT_NE(entry, nullptr) << file;
        EXPECT_TRUE(SameBytes(*entry, ReadAll(file))) << file;
        image::Picture picture;
        image::BmpError error = image::DecodeBmp(BytesOf(*entry), &picture);
        EXPECT_EQ(error, image::BmpError::kNone) << file << ": " << image::BmpErrorName(error);
    }
}

TEST(ModuleResources, EverySoundIsEmbeddedAndPlayable) {
    for (const fs::path& file : FilesIn("sounds", ".wav")) {
        const ResourceEntry* entry = ModuleResources().Find("SOUND", KeyFor(file).c_str());
        ASSERT_NE(entry, nullptr) << file;
        EXPECT_TRUE(SameBytes(*entry, ReadAll(file))) << file;
        sound::Wave wave;
        sound::WaveError error = sound::ParseWave(BytesOf(*entry), &wave);
        EXPECT_EQ(error, sound::WaveError::kNone) << file << ": " << sound::WaveErrorName(error);
    }
}

TEST(ModuleResources, EveryIconGroupNamesItsImages) {
    size_t images = 0;
    for (const fs::path& file : FilesIn("icons", ".ico")) {
        const ResourceEntry* group = ModuleResources().Find(RT_GROUP_ICON, KeyFor(file).c_str());
        ASSERT_NE(group, nullptr) << file;
        std::span<const uint8_t> dir = BytesOf(*group);
        ASSERT_GE(dir.size(), 6u);
        size_t count = dir[4] | dir[5] << 8;
        ASSERT_EQ(dir.size(), 6 + 14 * count) << file;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* e = dir.data() + 6 + 14 * i;
            uint32_t size = e[8] | e[9] << 8 | e[10] << 16 | static_cast<uint32_t>(e[11]) << 24;
            int id = e[12] | e[13] << 8;
            const ResourceEntry* image = ModuleResources().Find(RT_ICON, MAKEINTRESOURCEA(id));
            ASSERT_NE(image, nullptr) << file << " image " << id;
            EXPECT_EQ(image->size, size) << file << " image " << id;
        }
        images += count;
    }
    // Nothing else is in the catalogue: one entry per picture and sound, the icons, the dialogs.
    size_t expected = FilesIn("bitmaps", ".bmp").size() + FilesIn("sounds", ".wav").size() +
                      FilesIn("icons", ".ico").size() + images +
                      resources::DialogTemplateEntries().size();
    EXPECT_EQ(ModuleResources().entries().size(), expected);
}

}  // namespace
}  // namespace platform
