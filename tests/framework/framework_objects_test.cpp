// The framework's drawing wrappers: ownership, stand-ins for previous selections, and the
// select guard.
#include <gtest/gtest.h>

#include "framework/dc.h"
#include "framework/gdi_objects.h"
#include "tests/support/session_fixture.h"

namespace {

using platform::ObjectKind;

class FrameworkObjectTest : public test_support::SessionTest {};

TEST_F(FrameworkObjectTest, WrappersDeleteWhatTheyHoldAndDetachHandsItOver) {
    {
        CBrush brush(RGB(1, 2, 3));
        CPen pen(PS_SOLID, 1, RGB(4, 5, 6));
        CBitmap bitmap;
        EXPECT_TRUE(bitmap.CreateBitmap(3, 2, 1, 1, nullptr));
        // Already holding one: refused, and nothing new is made that nobody would own.
        EXPECT_FALSE(bitmap.CreateBitmap(3, 2, 1, 1, nullptr));
        EXPECT_FALSE(brush.CreateSolidBrush(0));
        EXPECT_EQ(Live(ObjectKind::kBrush), 1);
        EXPECT_EQ(Live(ObjectKind::kPen), 1);
        EXPECT_EQ(Live(ObjectKind::kBitmap), 1);
        BITMAP info{};
        EXPECT_EQ(bitmap.GetBitmap(&info), static_cast<int>(sizeof info));
        EXPECT_EQ(info.bmWidth, 3);
        EXPECT_EQ(info.bmBitsPixel, 1);
    }
    EXPECT_EQ(Live(ObjectKind::kBrush), 0);
    EXPECT_EQ(Live(ObjectKind::kPen), 0);
    EXPECT_EQ(Live(ObjectKind::kBitmap), 0);
    CBitmap adopt;
    EXPECT_TRUE(adopt.Attach(CreateBitmap(1, 1, 1, 32, nullptr)));
    HGDIOBJ handle = adopt.Detach();
    EXPECT_EQ(adopt.m_hObject, nullptr);
    EXPECT_FALSE(adopt.DeleteObject());
    EXPECT_TRUE(::DeleteObject(handle));
}

TEST_F(FrameworkObjectTest, SelectObjectReturnsWhatWasThereSoItCanBePutBack) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    bitmap.CreateBitmap(4, 4, 1, 32, nullptr);
    CBrush brush(RGB(9, 9, 9));
    CBitmap* old_bitmap = dc.SelectObject(&bitmap);
    CBrush* old_brush = dc.SelectObject(&brush);
    ASSERT_NE(old_bitmap, nullptr);
    ASSERT_NE(old_brush, nullptr);
    EXPECT_EQ(old_brush->m_hObject, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc.SelectObject(old_brush)->m_hObject, brush.m_hObject);
    dc.SelectObject(old_bitmap);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), old_bitmap->m_hObject);
    CPen* stock = static_cast<CPen*>(nullptr);
    EXPECT_EQ(dc.SelectObject(stock), nullptr);  // nothing to select
    EXPECT_NE(dc.SelectStockObject(NULL_PEN), nullptr);
    // Stand-ins never delete: the stock objects and the default bitmap live on.
    dc.DeleteDC();
    EXPECT_EQ(Live(ObjectKind::kDeviceContext), 0);
    EXPECT_EQ(Live(ObjectKind::kBitmap), 1);
    EXPECT_EQ(Live(ObjectKind::kBrush), 1);
}

TEST_F(FrameworkObjectTest, ACdcDeletesItsDcUnlessDetached) {
    HDC kept;
    {
        CDC owner;
        owner.CreateCompatibleDC(nullptr);
        CDC other;
        EXPECT_TRUE(other.CreateCompatibleDC(&owner));
        kept = other.Detach();
    }
    EXPECT_EQ(Live(ObjectKind::kDeviceContext), 1);
    EXPECT_TRUE(DeleteDC(kept));
}

TEST_F(FrameworkObjectTest, ScopedSelectPutsThePreviousObjectBack) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CPen pen(PS_SOLID, 1, RGB(200, 0, 0));
    {
        ScopedSelect select(dc, pen);
        EXPECT_TRUE(select);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen.m_hObject);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    CBitmap none;
    ScopedSelect failed(dc, none);
    EXPECT_FALSE(failed);
}

TEST_F(FrameworkObjectTest, CdcDrawsThroughToTheDc) {
    CBitmap bitmap;
    bitmap.CreateBitmap(6, 4, 1, 32, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    ScopedSelect select(dc, bitmap);
    CBrush brush(RGB(255, 255, 255));
    RECT all{0, 0, 6, 4};
    dc.FillRect(&all, &brush);
    dc.MoveTo(0, 0);
    EXPECT_EQ(dc.MoveTo(1, 1).x, 0);
    dc.LineTo(5, 1);
    dc.SetPixel(0, 3, RGB(1, 2, 3));
    EXPECT_EQ(dc.GetPixel(3, 1), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(5, 1), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(0, 3), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetTextExtent("TIME LEFT:", 10).cy, 16);
    POINT p{7, 8};
    EXPECT_TRUE(dc.DPtoLP(&p));
    EXPECT_EQ(p.x, 7);
}

}  // namespace
