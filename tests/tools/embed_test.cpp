#include "tools/embed/embed_catalogue.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/resources.h"
#include "tests/support/test_files.h"
#include "tests/tools/fixture_files.h"

namespace media_test {
std::span<const platform::ResourceEntry> FixtureEntries();
}

namespace embed {
namespace {

TEST(Embed, ResourcesAreNamedInCapitalsOrByNumber) {
    EXPECT_EQ(KeyForBaseName("sky"), (Key{0, "SKY"}));
    EXPECT_EQ(KeyForBaseName("burnt_house"), (Key{0, "BURNT_HOUSE"}));
    EXPECT_EQ(KeyForBaseName("IDI_ICON1"), (Key{0, "IDI_ICON1"}));
    EXPECT_EQ(KeyForBaseName("111"), (Key{111, ""}));
    EXPECT_EQ(KeyForBaseName("0115"), (Key{115, ""}));
    EXPECT_EQ(KeyForBaseName("65535"), (Key{65535, ""}));
    EXPECT_EQ(KeyForBaseName("65536"), std::nullopt);
    EXPECT_EQ(KeyForBaseName("123456789012345678901"), std::nullopt);
    EXPECT_EQ(KeyForBaseName(""), std::nullopt);
}

TEST(Embed, IconSplitsIntoAGroupDirectoryAndNumberedImages) {
    const std::vector<uint8_t> first = {1, 2, 3, 4, 5};
    const std::vector<uint8_t> second = {9, 8, 7};
    std::vector<uint8_t> ico = media_test::MakeIco(
        {{.width = 16, .height = 16, .colours = 16, .bits = 4, .bytes = first},
         {.width = 32, .height = 32, .colours = 0, .bits = 8, .bytes = second}});
    uint16_t next_id = 7;
    std::string error;
    std::vector<Resource> parts = SplitIcon(ico, Key{0, "IDI_ICON1"}, &next_id, &error);
    ASSERT_EQ(parts.size(), 3u) << error;
    EXPECT_EQ(next_id, 9);

    EXPECT_EQ(parts[0].type, (Key{kTypeGroupIcon, ""}));
    EXPECT_EQ(parts[0].name, (Key{0, "IDI_ICON1"}));
    const std::vector<uint8_t> group = {
        0,  0,  1,  0, 2, 0,                          // reserved, icon, two images
        16, 16, 16, 0, 1, 0, 4, 0, 5, 0, 0, 0, 7, 0,  // 16 x 16, 16 colours, id 7
        32, 32, 0,  0, 1, 0, 8, 0, 3, 0, 0, 0, 8, 0,  // 32 x 32, 256 colours, id 8
    };
    EXPECT_EQ(parts[0].bytes, group);
    EXPECT_EQ(parts[1].type, (Key{kTypeIcon, ""}));
    EXPECT_EQ(parts[1].name, (Key{7, ""}));
    EXPECT_EQ(parts[1].bytes, first);
    EXPECT_EQ(parts[2].name, (Key{8, ""}));
    EXPECT_EQ(parts[2].bytes, second);
}

TEST(Embed, MalformedIconsAndUnknownFilesAreRefused) {
    const std::vector<uint8_t> good = media_test::MakeIco({{.bytes = {1, 2, 3, 4}}});
    auto damaged = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> bytes = good;
        bytes[at] = value;
        return bytes;
    };
    const std::vector<uint8_t> refused[] = {
        {},
        damaged(2, 2),                                       // a cursor, not an icon
        damaged(4, 0),                                       // no images
        damaged(4, 2),                                       // a directory past the end
        damaged(6 + 8, 5),                                   // an image past the end
        damaged(6 + 12, 0xFF),                               // an offset past the end
        std::vector<uint8_t>(good.begin(), good.end() - 1),  // cut short
    };
    for (const std::vector<uint8_t>& bytes : refused) {
        uint16_t next_id = 1;
        std::string error;
        EXPECT_TRUE(SplitIcon(bytes, Key{0, "I"}, &next_id, &error).empty());
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(next_id, 1);
    }
    uint16_t last_id = 0;  // the numbers have run out
    std::string error;
    EXPECT_TRUE(SplitIcon(good, Key{0, "I"}, &last_id, &error).empty());
    EXPECT_TRUE(ResourcesForFile("notes.txt", {1}, &last_id, &error).empty());
    EXPECT_TRUE(ResourcesForFile("dir.bmp/", {1}, &last_id, &error).empty());
}

TEST(Embed, FilesAreTypedByTheirExtension) {
    uint16_t next_id = 1;
    std::string error;
    auto bitmap = ResourcesForFile("/src/resources/bitmaps/Sky.BMP", {1, 2}, &next_id, &error);
    ASSERT_EQ(bitmap.size(), 1u);
    EXPECT_EQ(bitmap[0].type, (Key{kTypeBitmap, ""}));
    EXPECT_EQ(bitmap[0].name, (Key{0, "SKY"}));
    auto sound = ResourcesForFile("sounds/giggle.wav", {3}, &next_id, &error);
    ASSERT_EQ(sound.size(), 1u);
    EXPECT_EQ(sound[0].type, (Key{0, "SOUND"}));
    EXPECT_EQ(sound[0].bytes, std::vector<uint8_t>{3});
}

// The fixture files, embedded at build time by the real embedder and compiled into this test.
TEST(Embed, CompiledCatalogueHoldsEveryFilesBytesExactly) {
    std::vector<media_test::FixtureFile> files = media_test::FixtureFiles();
    std::span<const platform::ResourceEntry> entries = media_test::FixtureEntries();
    ASSERT_EQ(entries.size(), 6u);  // two bitmaps, a sound, an icon group and its two images
    platform::ResourceCatalogue catalogue(entries);
    auto expect_bytes = [&](LPCSTR type, LPCSTR name, const std::vector<uint8_t>& bytes) {
        const platform::ResourceEntry* entry = catalogue.Find(type, name);
        ASSERT_NE(entry, nullptr) << name;
        ASSERT_EQ(entry->size, bytes.size());
        EXPECT_EQ(std::memcmp(entry->data, bytes.data(), bytes.size()), 0);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(entry->data) % 4, 0u);
    };
    expect_bytes(RT_BITMAP, "sky", files[0].bytes);
    expect_bytes(RT_BITMAP, MAKEINTRESOURCEA(111), files[1].bytes);
    expect_bytes("SOUND", "GIGGLE", files[2].bytes);
    expect_bytes(RT_ICON, MAKEINTRESOURCEA(1), media_test::FixtureIconImage(0));
    expect_bytes(RT_ICON, MAKEINTRESOURCEA(2), media_test::FixtureIconImage(1));
    const platform::ResourceEntry* group = catalogue.Find(RT_GROUP_ICON, "idi_icon1");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->size, 6u + 2 * 14);
    // The entries stay in the order of the files, each name as the file gives it.
    EXPECT_STREQ(entries[0].name, "SKY");
    EXPECT_EQ(entries[1].name, MAKEINTRESOURCEA(111));
    EXPECT_STREQ(entries[2].type, "SOUND");
}

}  // namespace
}  // namespace embed
