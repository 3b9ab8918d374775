// Running template dialogs: the owner is disabled before the dialog exists and given back at
// the end, a modeless dialog leaves it alone, a dialog that cannot be built gives back what it
// took, and the dialog's font and pictures live exactly as long as it does.
#include <string>
#include <vector>

#include "platform/dialog_template.h"
#include "resources/resource_ids.h"
#include "tests/platform/user/dialog/dialog_fixture.h"

namespace dialog_tests {
namespace {

using harness::ModalWindow;
using platform::ObjectKind;

struct Seen {
    HWND owner_at_start = nullptr;
    bool owner_enabled_at_start = true;
    INT_PTR end_at_start = 0;  // EndDialog during WM_INITDIALOG with this, when not 0
    bool destroy_at_start = false;
};
Seen* g_seen = nullptr;

INT_PTR CALLBACK WatchingProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) {
        g_seen->owner_at_start = GetWindow(dialog, GW_OWNER);
        g_seen->owner_enabled_at_start = IsWindowEnabled(g_seen->owner_at_start);
        if (g_seen->end_at_start) EndDialog(dialog, g_seen->end_at_start);
        if (g_seen->destroy_at_start) DestroyWindow(dialog);
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
        EndDialog(dialog, LOWORD(wparam) + 100);
        return TRUE;
    }
    return FALSE;
}

class DialogRun : public DialogTest {
  protected:
    DialogRun() { g_seen = &seen_; }
    ~DialogRun() override { g_seen = nullptr; }
    int Live(ObjectKind kind) { return env_.session.handles().LiveCount(kind); }
    Seen seen_;
};

TEST_F(DialogRun, TheOwnerIsDisabledFromBeforeTheStartUntilTheEnd) {
    HWND owner = MakeOwner();
    bool enabled_while_open = true;
    bool visible_while_open = false;
    env_.answers.Answer("About", [&](ModalWindow& about) {
        enabled_while_open = IsWindowEnabled(owner);
        visible_while_open = IsWindowVisible(about.hwnd());
        about.PressButton(IDOK, 10);
    });
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, Template(IDD_ABOUT), owner, &WatchingProc, 0),
              IDOK + 100);
    EXPECT_EQ(seen_.owner_at_start, owner);
    EXPECT_FALSE(seen_.owner_enabled_at_start);
    EXPECT_FALSE(enabled_while_open);
    EXPECT_TRUE(visible_while_open);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    DestroyWindow(owner);
}

TEST_F(DialogRun, AChildGivenAsOwnerDisablesItsTopLevelWindow) {
    HWND owner = MakeOwner();
    HWND child = CreateWindowExA(0, "DialogTestOwner", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50,
                                 owner, nullptr, nullptr, nullptr);
    seen_.end_at_start = 7;
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, Template(IDD_STORY), child, &WatchingProc, 0), 7);
    EXPECT_EQ(seen_.owner_at_start, owner);
    EXPECT_FALSE(seen_.owner_enabled_at_start);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_TRUE(IsWindowEnabled(child));
    DestroyWindow(owner);
}

TEST_F(DialogRun, AModelessDialogLeavesItsOwnerEnabledAndEndDialogOnlyHidesIt) {
    HWND owner = MakeOwner();
    HWND dialog = CreateDialogIndirectParamA(nullptr, Template(IDD_STORY), owner, &WatchingProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(seen_.owner_at_start, owner);
    EXPECT_TRUE(seen_.owner_enabled_at_start);
    EXPECT_TRUE(IsWindowEnabled(owner));
    ShowWindow(dialog, SW_SHOW);
    EXPECT_TRUE(EndDialog(dialog, 3));
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(dialog);
    DestroyWindow(owner);
}

TEST_F(DialogRun, AVisibleTemplateShowsItsModelessDialogAtOnce) {
    DLGTEMPLATE visible = *Template(IDD_STORY);
    visible.style |= WS_VISIBLE;
    HWND dialog = CreateDialogIndirectParamA(nullptr, &visible, nullptr, &WatchingProc, 0);
    EXPECT_TRUE(IsWindowVisible(dialog));
    DestroyWindow(dialog);
}

TEST_F(DialogRun, ATemplateMayNameTheControlClassesByNumber) {
    const DLGITEMTEMPLATE items[] = {
        {MAKEINTRESOURCEA(0x80), "Go", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 10, 10, 40, 14},
        {MAKEINTRESOURCEA(0x81), "typed", 5, WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 10, 30, 40, 14},
        {MAKEINTRESOURCEA(0x82), "label", 6, WS_CHILD | WS_VISIBLE, 0, 10, 50, 40, 8},
    };
    DLGTEMPLATE numbered = *Template(IDD_STORY);
    numbered.items = items;
    numbered.cdit = 3;
    HWND dialog = CreateDialogIndirectParamA(nullptr, &numbered, nullptr, &WatchingProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDOK, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON, DLGC_BUTTON);
    EXPECT_EQ(SendDlgItemMessageA(dialog, 5, EM_GETLIMITTEXT, 0, 0), 32767);
    EXPECT_TRUE(GetWindowLongPtrA(GetDlgItem(dialog, 5), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(SendDlgItemMessageA(dialog, 6, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    DestroyWindow(dialog);
}

TEST_F(DialogRun, ADialogEndedOrDestroyedWhileStartingGivesItsOwnerBack) {
    HWND owner = MakeOwner();
    seen_.end_at_start = 5;
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, Template(IDD_ABOUT), owner, &WatchingProc, 0), 5);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_TRUE(env_.answers.modal_titles().empty());  // never shown

    seen_ = Seen{};
    seen_.destroy_at_start = true;
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, Template(IDD_ABOUT), owner, &WatchingProc, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST_F(DialogRun, ADialogThatCannotBeBuiltGivesBackItsOwnerAndItsFont) {
    HWND owner = MakeOwner();
    const DLGITEMTEMPLATE items[] = {
        {"Button", "OK", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 10, 10, 40, 14},
        {"NoSuchClass", "", 5, WS_CHILD | WS_VISIBLE, 0, 10, 30, 40, 14},
    };
    DLGTEMPLATE broken = *Template(IDD_STORY);
    broken.items = items;
    broken.cdit = 2;
    int fonts = Live(ObjectKind::kFont);
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, &broken, owner, &WatchingProc, 0), -1);
    EXPECT_EQ(CreateDialogIndirectParamA(nullptr, &broken, owner, &WatchingProc, 0), nullptr);
    EXPECT_EQ(Live(ObjectKind::kFont), fonts);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(seen_.owner_at_start, nullptr);  // WM_INITDIALOG never came

    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, nullptr, owner, &WatchingProc, 0), -1);
    EXPECT_EQ(CreateDialogIndirectParamA(nullptr, nullptr, owner, &WatchingProc, 0), nullptr);
    HWND gone = MakeOwner("Gone");
    DestroyWindow(gone);
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, Template(IDD_STORY), gone, &WatchingProc, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST_F(DialogRun, TheFontAndPictureLiveExactlyAsLongAsTheDialog) {
    int fonts = Live(ObjectKind::kFont), bitmaps = Live(ObjectKind::kBitmap);
    int fonts_open = 0, bitmaps_open = 0;
    env_.answers.Answer("", [&](ModalWindow& about) {
        fonts_open = Live(ObjectKind::kFont);
        bitmaps_open = Live(ObjectKind::kBitmap);
        about.PressKey(VK_ESCAPE, 10);
    });
    INT_PTR result = DialogBoxIndirectParamA(
        nullptr, Template(IDD_ABOUT), nullptr,
        [](HWND dialog, UINT message, WPARAM wparam, LPARAM) -> INT_PTR {
            if (message == WM_INITDIALOG) return TRUE;
            if (message != WM_COMMAND) return FALSE;
            EndDialog(dialog, LOWORD(wparam));
            return TRUE;
        },
        0);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(fonts_open, fonts + 1);      // the template's font
    EXPECT_EQ(bitmaps_open, bitmaps + 1);  // picture 111
    EXPECT_EQ(Live(ObjectKind::kFont), fonts);
    EXPECT_EQ(Live(ObjectKind::kBitmap), bitmaps);
}

}  // namespace
}  // namespace dialog_tests
