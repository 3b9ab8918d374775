// Every picture, sound and the icon in resources/ against the catalogue.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "tests/resources/resource_checks.h"
#include "tests/resources/resource_test_support.h"

namespace resource_checks {
namespace {

class BitmapFile : public testing::TestWithParam<CataloguedBitmap> {};

TEST_P(BitmapFile, MatchesTheCatalogue) {
    const CataloguedBitmap& want = GetParam();
    const auto bytes = ReadResource(std::string("bitmaps/") + want.name + ".bmp");
    ASSERT_FALSE(bytes.empty()) << want.name << ".bmp is missing";
    const auto problems = CheckBitmap(bytes, want);
    EXPECT_TRUE(problems.empty()) << want.name << ".bmp:" << Joined(problems);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BitmapFile, testing::ValuesIn(Bitmaps()),
                         [](const auto& info) { return std::string("_") + info.param.name; });

class SoundFile : public testing::TestWithParam<CataloguedSound> {};

TEST_P(SoundFile, MatchesTheCatalogue) {
    const CataloguedSound& want = GetParam();
    const auto bytes = ReadResource(std::string("sounds/") + want.name + ".wav");
    ASSERT_FALSE(bytes.empty()) << want.name << ".wav is missing";
    const auto problems = CheckSound(bytes, want);
    EXPECT_TRUE(problems.empty()) << want.name << ".wav:" << Joined(problems);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, SoundFile, testing::ValuesIn(Sounds()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IconFile, IsOneSixteenColourImageWithItsMask) {
    const auto bytes = ReadResource("icons/IDI_ICON1.ico");
    ASSERT_FALSE(bytes.empty());
    const auto problems = CheckIcon(bytes);
    EXPECT_TRUE(problems.empty()) << Joined(problems);
}

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(ResourcePath(folder))) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// The build embeds whatever lies in these folders, so a stray or misnamed file would become a
// resource of its own.
TEST(ResourceFolders, HoldExactlyTheCataloguedFiles) {
    std::set<std::string> bitmaps, sounds;
    for (const auto& want : Bitmaps()) bitmaps.insert(std::string(want.name) + ".bmp");
    for (const auto& want : Sounds()) sounds.insert(std::string(want.name) + ".wav");
    EXPECT_EQ(bitmaps.size(), 19u);
    EXPECT_EQ(sounds.size(), 7u);
    EXPECT_EQ(FilesIn("bitmaps"), bitmaps);
    EXPECT_EQ(FilesIn("sounds"), sounds);
    EXPECT_EQ(FilesIn("icons"), std::set<std::string>{"IDI_ICON1.ico"});
}

// The burnt house lies over the scene's house: its sky corners must be the sky picture's own
// pixels at the same place (the house picture starts 224 pixels in).
TEST(BurntHouse, SkyCornersMatchTheSkyPicture) {
    std::vector<std::string> problems;
    const Image sky = DecodeBmp(ReadResource("bitmaps/sky.bmp"), problems);
    const Image house = DecodeBmp(ReadResource("bitmaps/burnt_house.bmp"), problems);
    ASSERT_TRUE(problems.empty()) << Joined(problems);
    for (auto [x, y] : {std::pair{0, 0}, {10, 5}, {0, 60}, {383, 0}, {370, 20}, {383, 80}}) {
        EXPECT_EQ(house.At(x, y), sky.At(x + 224, y)) << "at " << x << ", " << y;
    }
}

// Where the scene paints the lower house, the picture must show the same walls and door, or the
// seam below its copied rectangle shows.
TEST(BurntHouse, LowerHouseKeepsTheScenesColours) {
    std::vector<std::string> problems;
    const Image house = DecodeBmp(ReadResource("bitmaps/burnt_house.bmp"), problems);
    ASSERT_TRUE(problems.empty()) << Joined(problems);
    const Rgb wall{48, 54, 167}, door{27, 9, 111}, ink{0, 0, 0};
    EXPECT_EQ(house.At(10, 294), wall);
    EXPECT_EQ(house.At(370, 294), wall);
    EXPECT_EQ(house.At(175, 294), door);
    EXPECT_EQ(house.At(1, 294), ink);    // the wall's outline at x 225
    EXPECT_EQ(house.At(151, 294), ink);  // the door's outline at x 375
}

}  // namespace
}  // namespace resource_checks
