// The frame the window system draws for a host without a desktop: where the client area, the
// title bar and the close box lie for each kind of top-level window, and the colours that tell
// the active title bar from the inactive one.
#include <gtest/gtest.h>

#include "harness/test_support.h"
#include "platform/user/geometry.h"
#include "platform/user/non_client.h"
#include "platform/win32.h"

namespace platform {
namespace {

constexpr uint32_t kNavy = 0x000080, kGrey = 0x808080, kLight = 0xC0C0C0, kBlack = 0x000000;

struct FrameCase {
    const char* name;
    DWORD style;
    DWORD ex_style;
    int width, height;
    bool close_box;
};

constexpr FrameCase kCases[] = {
    {"main window", WS_OVERLAPPEDWINDOW, WS_EX_CLIENTEDGE, 800, 600, true},
    {"dialog with a close box", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, 376, 171,
     true},
    {"dialog without one", WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME, 357, 176, false},
};

TEST(NonClientTest, FrameMatchesTheClientAreaAndMarksTheActiveTitleBar) {
    harness::HeadlessSession env;
    for (const FrameCase& c : kCases) {
        SCOPED_TRACE(c.name);
        HostFrame frame = user::DrawFrame(c.style, c.ex_style, c.width, c.height, "Title");
        RECT insets = user::FrameInsets(c.style, c.ex_style);
        // The client area lies exactly where the window system puts it.
        EXPECT_EQ(frame.client_left, insets.left);
        EXPECT_EQ(frame.client_top, insets.top);
        EXPECT_EQ(frame.caption_bottom,
                  insets.left + user::kCaption - (c.ex_style & WS_EX_CLIENTEDGE ? user::kEdge : 0));
        ASSERT_EQ(frame.active.width, c.width);
        ASSERT_EQ(frame.inactive.height, c.height);
        // The outer edge is raised: light at the top left, black at the bottom right.
        EXPECT_EQ(frame.active.Pixel(0, 0), kLight);
        EXPECT_EQ(frame.active.Pixel(c.width - 1, c.height - 1), kBlack);
        // Just right of the caption text, the bar is navy when active and grey when not.
        int bar_y = frame.caption_bottom - 3;
        int bar_x = c.width / 2;
        EXPECT_EQ(frame.active.Pixel(bar_x, bar_y), kNavy);
        EXPECT_EQ(frame.inactive.Pixel(bar_x, bar_y), kGrey);
        // The close box sits inside the title bar at its right end, or there is none.
        if (c.close_box) {
            EXPECT_GT(frame.close_left, bar_x);
            EXPECT_LE(frame.close_right, c.width - frame.client_left + 2);
            EXPECT_GE(frame.close_top, frame.client_left - 2);
            EXPECT_LT(frame.close_bottom, frame.caption_bottom);
            // Its glyph is black on the button face.
            EXPECT_EQ(frame.active.Pixel(frame.close_left + 4, frame.close_top + 3), kBlack);
        } else {
            EXPECT_EQ(frame.close_right, 0);
        }
    }
}

TEST(NonClientTest, CaptionTextIsDrawnInTheTitleBar) {
    harness::HeadlessSession env;
    HostFrame with = user::DrawFrame(WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME, 300, 100, "Hall");
    HostFrame without = user::DrawFrame(WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME, 300, 100, "");
    int white = 0;
    for (int y = 3; y < with.caption_bottom; ++y)
        for (int x = 3; x < 60; ++x) {
            EXPECT_EQ(without.active.Pixel(x, y) == 0xFFFFFF, false);
            white += with.active.Pixel(x, y) == 0xFFFFFF;
        }
    EXPECT_GT(white, 20) << "no white caption text at the left of the title bar";
}

}  // namespace
}  // namespace platform
