// Dialog tests run on the headless host over the program's own resources. Every test checks
// that the drawing objects alive at its end are those alive at its start, so each dialog that
// opens and closes in it also gives back its font, pictures and DCs.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <iosfwd>
#include <string>

#include "harness/test_support.h"
#include "platform/core/handle_table.h"
#include "platform/win32.h"

namespace dialog_tests {

class DialogTest : public ::testing::Test {
  protected:
    DialogTest();
    void TearDown() override;

    // A template of the program's resources by number.
    static LPCDLGTEMPLATEA Template(int number);
    // A control's outer rectangle in its dialog's client coordinates.
    static RECT RectInDialog(HWND control);
    // A plain top-level window to own dialogs, shown.
    HWND MakeOwner(const char* title = "Owner");
    platform::HostWindowId HostOf(HWND hwnd) const;

    harness::HeadlessSession env_;

  private:
    std::array<int, static_cast<size_t>(platform::ObjectKind::kCount)> baseline_{};
};

// Pixels of a window as 0x00RRGGBB.
uint32_t PixelAt(HWND hwnd, int x, int y);

}  // namespace dialog_tests

// RECT comparisons for the expectations; found by argument lookup in the global namespace.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::ostream& operator<<(std::ostream& out, const RECT& r);
