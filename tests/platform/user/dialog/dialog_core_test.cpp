// The modal-dialog core: keyboard navigation over tab stops (skipping disabled controls and
// letting a control keep the keys it claims), Enter for the focused or default button, Escape
// as IDCANCEL without a Cancel button, mnemonics, and the owner given back at the end.
#include <gtest/gtest.h>

#include "harness/test_support.h"
#include "platform/user/dialog/dialog.h"
#include "platform/win32.h"
#include "tests/platform/user/message_log.h"

namespace platform {
namespace {

using harness::HeadlessSession;
using testing::MessageLog;

std::vector<int>* g_commands = nullptr;

INT_PTR CALLBACK RecordingDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message != WM_COMMAND) return FALSE;
    g_commands->push_back(LOWORD(wparam));
    if (LOWORD(wparam) == IDCANCEL) {
        EXPECT_EQ(lparam, 0);  // there is no Cancel control
        EndDialog(dialog, 42);
    }
    return TRUE;
}

TEST(DialogCore, KeyboardNavigationAndTheModalRun) {
    HeadlessSession env;
    MessageLog log;
    std::vector<int> commands;
    g_commands = &commands;
    testing::RegisterLoggingClass("Logger");
    HWND owner = CreateWindowExA(0, "Logger", "Owner", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
    ShowWindow(owner, SW_SHOW);

    HWND disabled = user::DisableOwnerForModal(owner);
    EXPECT_EQ(disabled, owner);
    user::DialogParams params;
    params.title = "Keys";
    params.rect = user::CentredRect(owner, 300, 100, params.style, WS_EX_DLGMODALFRAME);
    params.owner = owner;
    params.proc = &RecordingDialogProc;
    HWND dialog = user::CreateDialogWindow(params);
    ASSERT_NE(dialog, nullptr);
    user::DialogOf(dialog)->disabled_owner = disabled;
    const DWORD visible = WS_VISIBLE;
    HWND alpha = user::CreateControl(dialog, user::kButtonClass, "&Alpha",
                                     visible | WS_TABSTOP | BS_PUSHBUTTON, 0, {10, 10, 80, 30}, 10);
    HWND beta = user::CreateControl(dialog, user::kButtonClass, "Beta",
                                    visible | WS_TABSTOP | WS_DISABLED, 0, {90, 10, 160, 30}, 11);
    user::CreateControl(dialog, user::kButtonClass, "&Gamma", visible, 0, {170, 10, 240, 30}, 12);
    HWND field = user::CreateControl(dialog, "Logger", "", visible | WS_TABSTOP | WS_BORDER, 0,
                                     {10, 50, 200, 70}, 13);
    log.handler = [field](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT* result) {
        if (hwnd != field || message != WM_GETDLGCODE) return false;
        *result = DLGC_WANTCHARS;
        return true;
    };
    SendMessageA(dialog, DM_SETDEFID, 12, 0);
    user::InitDialog(dialog, 0);
    EXPECT_EQ(GetFocus(), alpha);
    EXPECT_EQ(GetNextDlgTabItem(dialog, alpha, FALSE), field);  // Beta is disabled
    EXPECT_EQ(GetNextDlgTabItem(dialog, alpha, TRUE), field);   // and it wraps
    EXPECT_EQ(GetDlgItem(dialog, 11), beta);

    HostWindowId window = harness::HostWindowOf(dialog);
    std::vector<HWND> focus_seen;
    auto look = [&](double at) { env.host.Call(at, [&] { focus_seen.push_back(GetFocus()); }); };
    env.host.PressKey(window, VK_TAB, 10);
    look(15);
    env.host.PressKey(window, 'G', 20);  // the field claims characters: no mnemonic
    env.host.PressKey(window, VK_TAB, 30);
    look(35);
    env.host.PressKey(window, VK_RETURN, 40);  // the focused button
    env.host.PressKey(window, 'G', 50);        // Gamma's mnemonic
    env.host.PressKey(window, VK_TAB, 60, true);
    look(65);
    env.host.PressKey(window, VK_RETURN, 70);  // the default button, from the field
    env.host.PressKey(window, VK_ESCAPE, 80);
    log.Clear();
    EXPECT_EQ(user::RunModal(dialog), 42);

    EXPECT_EQ(focus_seen, (std::vector<HWND>{field, alpha, field}));
    EXPECT_EQ(commands, (std::vector<int>{10, 12, 12, IDCANCEL}));
    // A control that claims characters gets every one of them (its Tab and Enter included),
    // so the 'g' typed into it pressed nothing.
    std::string typed;
    for (const auto& m : log.entries)
        if (m.hwnd == field && m.message == WM_CHAR) typed += static_cast<char>(m.wparam);
    EXPECT_EQ(typed, "g\t\r");
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    g_commands = nullptr;
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

TEST(DialogCore, ADialogDestroyedWithoutEndDialogStillGivesItsOwnerBack) {
    harness::HeadlessSession env;
    MessageLog log;
    testing::RegisterLoggingClass("Logger");
    HWND owner = CreateWindowExA(0, "Logger", "Owner", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
    ShowWindow(owner, SW_SHOW);
    HWND disabled = user::DisableOwnerForModal(owner);
    user::DialogParams params;
    params.rect = RECT{0, 0, 100, 100};
    params.owner = owner;
    HWND dialog = user::CreateDialogWindow(params);
    user::DialogOf(dialog)->disabled_owner = disabled;
    // The owner's timer, run by the dialog's own loop, pulls the dialog down.
    log.handler = [dialog](HWND, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message == WM_TIMER) DestroyWindow(dialog);
        return false;
    };
    SetTimer(owner, 1, 50, nullptr);
    EXPECT_EQ(user::RunModal(dialog), 0);
    KillTimer(owner, 1);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(user::DisableOwnerForModal(nullptr), nullptr);
}

}  // namespace
}  // namespace platform
