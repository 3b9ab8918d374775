#include <gtest/gtest.h>

#include "platform/host/headless/headless_host.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "platform/win32.h"

namespace platform {
namespace {

const char kSky[] = "sky bytes";
const char kGiggle[] = "giggle bytes";
const char kTitle[] = "title picture";
const ResourceEntry kEntries[] = {
    {RT_BITMAP, "SKY", kSky, sizeof kSky},
    {"SOUND", "GIGGLE", kGiggle, sizeof kGiggle},
    {RT_BITMAP, MAKEINTRESOURCEA(111), kTitle, sizeof kTitle},
};

class ResourceFunctions : public ::testing::Test {
  protected:
    headless::HeadlessHost host;
    ResourceCatalogue catalogue{kEntries};
    Session session{host, catalogue, "/opt/zandrofel"};
};

TEST_F(ResourceFunctions, FindLoadLockAndSizeByNameOrNumber) {
    struct Case {
        LPCSTR name;
        LPCSTR type;
        const char* bytes;
        size_t size;
    };
    const Case cases[] = {
        {"sky", RT_BITMAP, kSky, sizeof kSky},
        {"Giggle", "sound", kGiggle, sizeof kGiggle},
        {MAKEINTRESOURCEA(111), RT_BITMAP, kTitle, sizeof kTitle},
        {"#111", "#2", kTitle, sizeof kTitle},
    };
    for (const Case& c : cases) {
        HRSRC found = FindResourceA(nullptr, c.name, c.type);
        ASSERT_NE(found, nullptr);
        HGLOBAL loaded = LoadResource(nullptr, found);
        EXPECT_EQ(LockResource(loaded), c.bytes);
        EXPECT_EQ(SizeofResource(nullptr, found), c.size);
    }
}

TEST_F(ResourceFunctions, UnknownOrStrayHandlesGiveNothing) {
    EXPECT_EQ(FindResourceA(nullptr, "sky", "SOUND"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "skies", RT_BITMAP), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(115), RT_BITMAP), nullptr);
    EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
    EXPECT_EQ(LockResource(nullptr), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
    // A handle that is no entry of the catalogue is refused, not read.
    ResourceEntry lookalike = kEntries[0];
    HRSRC stray = reinterpret_cast<HRSRC>(&lookalike);
    EXPECT_EQ(LoadResource(nullptr, stray), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, stray), 0u);
}

}  // namespace
}  // namespace platform
