// The session fixture and its leak check.
#include "tests/support/session_fixture.h"

#include "platform/gdi/surface_dc.h"

namespace test_support {

using platform::ObjectKind;

void SessionTest::SetUp() {
    session_ = std::make_unique<platform::Session>(host_, catalogue_, "/tmp/test");
    for (size_t i = 0; i < baseline_.size(); ++i) baseline_[i] = Live(static_cast<ObjectKind>(i));
}

void SessionTest::TearDown() {
    for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) {
        SelectObject(it->dc, it->previous);
        DeleteObject(it->bitmap);
        DeleteDC(it->dc);
    }
    owned_.clear();
    for (HGDIOBJ object : kept_) DeleteObject(object);
    kept_.clear();
    for (size_t i = 0; i < baseline_.size(); ++i) {
        auto kind = static_cast<ObjectKind>(i);
        EXPECT_EQ(Live(kind), baseline_[i])
            << platform::ObjectKindName(kind) << " objects leaked or over-freed; alive:\n"
            << session_->handles().DescribeAlive();
    }
    session_.reset();
}

int SessionTest::Live(ObjectKind kind) const {
    return session_->handles().LiveCount(kind);
}

HDC SessionTest::Own(HBITMAP bitmap) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    owned_.push_back({dc, bitmap, previous});
    return dc;
}

HDC SessionTest::ColourDc(int width, int height, uint32_t rgb) {
    HBITMAP bitmap = CreateBitmap(width, height, 1, 32, nullptr);
    HDC dc = Own(bitmap);
    platform::Surface& pixels = Pixels(dc);
    pixels.Fill(rgb);
    pixels.ClearDirty();
    return dc;
}

HDC SessionTest::MonoDc(int width, int height, bool white) {
    HBITMAP bitmap = CreateBitmap(width, height, 1, 1, nullptr);
    HDC dc = Own(bitmap);
    platform::Surface& pixels = Pixels(dc);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.SetBit(x, y, white);
    pixels.ClearDirty();
    return dc;
}

platform::Surface& SessionTest::Pixels(HDC dc) {
    for (const OwnedDc& owned : owned_) {
        if (owned.dc == dc) {
            return const_cast<platform::Surface&>(*platform::gdi::BitmapSurface(owned.bitmap));
        }
    }
    ADD_FAILURE() << "not a DC of this fixture";
    static platform::Surface none;
    return none;
}

}  // namespace test_support
