#include "tests/platform/user/dialog/dialog_fixture.h"

#include <ostream>

#include "platform/resources.h"
#include "platform/session.h"

namespace dialog_tests {

namespace {
LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(hwnd, message, wparam, lparam);
}
}  // namespace

DialogTest::DialogTest() : env_(platform::ModuleResources()) {
    WNDCLASSA owner_class{};
    owner_class.lpfnWndProc = &OwnerProc;
    owner_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    owner_class.lpszClassName = "DialogTestOwner";
    RegisterClassA(&owner_class);
    auto& handles = env_.session.handles();
    for (size_t i = 0; i < baseline_.size(); ++i)
        baseline_[i] = handles.LiveCount(static_cast<platform::ObjectKind>(i));
}

void DialogTest::TearDown() {
    auto& handles = env_.session.handles();
    for (platform::ObjectKind kind :
         {platform::ObjectKind::kDeviceContext, platform::ObjectKind::kBitmap,
          platform::ObjectKind::kBrush, platform::ObjectKind::kPen, platform::ObjectKind::kFont}) {
        EXPECT_EQ(handles.LiveCount(kind), baseline_[static_cast<size_t>(kind)])
            << platform::ObjectKindName(kind) << " objects leaked; alive:\n"
            << handles.DescribeAlive();
    }
}

LPCDLGTEMPLATEA DialogTest::Template(int number) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(number), RT_DIALOG);
    return static_cast<LPCDLGTEMPLATEA>(LockResource(LoadResource(nullptr, found)));
}

RECT DialogTest::RectInDialog(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    POINT origin{0, 0};
    ClientToScreen(GetParent(control), &origin);
    return RECT{rect.left - origin.x, rect.top - origin.y, rect.right - origin.x,
                rect.bottom - origin.y};
}

HWND DialogTest::MakeOwner(const char* title) {
    HWND owner = CreateWindowExA(0, "DialogTestOwner", title, WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                                 nullptr, nullptr, nullptr, nullptr);
    ShowWindow(owner, SW_SHOW);
    return owner;
}

platform::HostWindowId DialogTest::HostOf(HWND hwnd) const {
    return harness::HostWindowOf(hwnd);
}

uint32_t PixelAt(HWND hwnd, int x, int y) {
    const platform::Surface* pixels = harness::WindowPixels(hwnd);
    return pixels ? pixels->Pixel(x, y) : 0xFFFFFFFFu;
}

}  // namespace dialog_tests

std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
