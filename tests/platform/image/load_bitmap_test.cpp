#include <gtest/gtest.h>

#include "platform/core/handle_table.h"
#include "platform/gdi/surface_dc.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "platform/win32.h"
#include "tests/support/session_fixture.h"
#include "tests/support/test_files.h"

namespace platform {
namespace {

using media_test::BmpRecipe;

std::vector<uint8_t> SkyPicture() {
    BmpRecipe recipe{.width = 3, .height = 2, .bits = 8};
    recipe.palette = {0x87CEEB, 0xFFFFFF};
    recipe.colours_used = 2;
    recipe.values = {0, 1, 0, 1, 1, 0};
    return MakeBmp(recipe);
}

std::vector<uint8_t> TitlePicture() {
    BmpRecipe recipe{.width = 1, .height = 2, .bits = 24, .top_down = true, .file_header = false};
    recipe.values = {0xFF8000, 0x102030};
    return MakeBmp(recipe);
}

const std::vector<uint8_t> kSky = SkyPicture();
const std::vector<uint8_t> kTitle = TitlePicture();
const char kBroken[] = "BM but nothing more";
const ResourceEntry kEntries[] = {
    {RT_BITMAP, "SKY", kSky.data(), kSky.size()},
    {RT_BITMAP, MAKEINTRESOURCEA(111), kTitle.data(), kTitle.size()},
    {RT_BITMAP, "BROKEN", kBroken, sizeof kBroken},
    {"SOUND", "GIGGLE", kSky.data(), kSky.size()},
};

class LoadBitmap : public test_support::SessionTest {
  protected:
    LoadBitmap() { catalogue_ = ResourceCatalogue{kEntries}; }

    void ExpectPixels(HBITMAP bitmap, int width, int height, const std::vector<uint32_t>& rgb) {
        const Surface* surface = gdi::BitmapSurface(bitmap);
        ASSERT_NE(surface, nullptr);
        ASSERT_EQ(surface->width, width);
        ASSERT_EQ(surface->height, height);
        ASSERT_EQ(surface->bits_per_pixel, 32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                EXPECT_EQ(surface->Pixel(x, y), rgb[y * width + x]) << x << ", " << y;
    }
};

TEST_F(LoadBitmap, ByNameInAnyCaseOrByNumber) {
    HINSTANCE instance = nullptr;  // the one module
    int before = Live(ObjectKind::kBitmap);
    const std::vector<uint32_t> sky = {0x87CEEB, 0xFFFFFF, 0x87CEEB, 0xFFFFFF, 0xFFFFFF, 0x87CEEB};
    for (LPCSTR name : {"sky", "SKY", "Sky"}) {
        ExpectPixels(Keep(LoadBitmapA(instance, name)), 3, 2, sky);
    }
    for (LPCSTR number : {static_cast<LPCSTR>(MAKEINTRESOURCEA(111)), "#111"}) {
        ExpectPixels(Keep(LoadBitmapA(instance, number)), 1, 2, {0xFF8000, 0x102030});
    }
    EXPECT_EQ(Live(ObjectKind::kBitmap), before + 5);
}

TEST_F(LoadBitmap, MissingOrDamagedPicturesGiveNullAndNoBitmap) {
    HINSTANCE instance = nullptr;  // the one module
    int before = Live(ObjectKind::kBitmap);
    for (LPCSTR name : {"skies", "giggle", "broken", "", static_cast<LPCSTR>(nullptr)})
        EXPECT_EQ(LoadBitmapA(instance, name), nullptr) << (name ? name : "null");
    EXPECT_EQ(LoadBitmapA(instance, MAKEINTRESOURCEA(115)), nullptr);
    EXPECT_EQ(Live(ObjectKind::kBitmap), before);
}

}  // namespace
}  // namespace platform
