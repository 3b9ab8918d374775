// The same checks over the copies built into the program, found as the game finds them.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "platform/resources.h"
#include "tests/resources/resource_checks.h"
#include "tests/resources/resource_test_support.h"

namespace resource_checks {
namespace {

Bytes BytesOf(const platform::ResourceEntry& entry) {
    return {static_cast<const std::uint8_t*>(entry.data), entry.size};
}

// The game writes names in lower case; numbered pictures are found by number.
LPCSTR Key(const char* name) {
    return std::isdigit(static_cast<unsigned char>(name[0])) ? MAKEINTRESOURCEA(std::stoi(name))
                                                             : name;
}

TEST(EmbeddedResources, EveryPictureMatchesTheCatalogue) {
    for (const CataloguedBitmap& want : Bitmaps()) {
        const auto* entry = platform::ModuleResources().Find(RT_BITMAP, Key(want.name));
        ASSERT_NE(entry, nullptr) << want.name;
        const auto problems = CheckBitmap(BytesOf(*entry), want);
        EXPECT_TRUE(problems.empty()) << want.name << ":" << Joined(problems);
    }
}

TEST(EmbeddedResources, EverySoundMatchesTheCatalogue) {
    for (const CataloguedSound& want : Sounds()) {
        const auto* entry = platform::ModuleResources().Find("SOUND", want.name);
        ASSERT_NE(entry, nullptr) << want.name;
        const auto problems = CheckSound(BytesOf(*entry), want);
        EXPECT_TRUE(problems.empty()) << want.name << ":" << Joined(problems);
    }
}

TEST(EmbeddedResources, TheIconGroupHoldsImageOne) {
    ASSERT_NE(platform::ModuleResources().Find(RT_GROUP_ICON, "IDI_ICON1"), nullptr);
    const auto* image = platform::ModuleResources().Find(RT_ICON, MAKEINTRESOURCEA(1));
    ASSERT_NE(image, nullptr);
    const auto problems = CheckIconImage(BytesOf(*image));
    EXPECT_TRUE(problems.empty()) << Joined(problems);
}

}  // namespace
}  // namespace resource_checks
