#include "platform/resources.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

const char kSky[] = "sky";
const char kGiggle[] = "giggle";
const char kPicture[] = "picture";
const ResourceEntry kEntries[] = {
    {RT_BITMAP, "SKY", kSky, sizeof kSky},
    {"SOUND", "GIGGLE", kGiggle, sizeof kGiggle},
    {RT_BITMAP, MAKEINTRESOURCEA(111), kPicture, sizeof kPicture},
};
const ResourceCatalogue kCatalogue{kEntries};

TEST(ResourceCatalogue, FindsNamesWithoutRegardToCase) {
    EXPECT_EQ(kCatalogue.Find(RT_BITMAP, "sky")->data, kSky);
    EXPECT_EQ(kCatalogue.Find(RT_BITMAP, "SkY")->data, kSky);
    EXPECT_EQ(kCatalogue.Find("sound", "giggle")->data, kGiggle);
}

TEST(ResourceCatalogue, FindsNumbersBothWays) {
    EXPECT_EQ(kCatalogue.Find(RT_BITMAP, MAKEINTRESOURCEA(111))->data, kPicture);
    EXPECT_EQ(kCatalogue.Find(RT_BITMAP, "#111")->data, kPicture);
    EXPECT_EQ(kCatalogue.Find("#2", "#111")->data, kPicture);
}

TEST(ResourceCatalogue, UnknownNamesAndTypesFindNothing) {
    EXPECT_EQ(kCatalogue.Find(RT_BITMAP, "skyline"), nullptr);
    EXPECT_EQ(kCatalogue.Find(RT_BITMAP, "sk"), nullptr);
    EXPECT_EQ(kCatalogue.Find(RT_DIALOG, "sky"), nullptr);
    EXPECT_EQ(kCatalogue.Find("SOUND", MAKEINTRESOURCEA(111)), nullptr);
    EXPECT_EQ(kCatalogue.Find(RT_BITMAP, "#"), nullptr);
    EXPECT_EQ(kCatalogue.Find(RT_BITMAP, nullptr), nullptr);
    EXPECT_EQ(ResourceCatalogue{}.Find(RT_BITMAP, "sky"), nullptr);
}

}  // namespace
}  // namespace platform
