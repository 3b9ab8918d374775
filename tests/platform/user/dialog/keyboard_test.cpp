// The keyboard in the template dialogs, driven through the headless host: the first focus,
// Tab, Enter, Escape and Space, close requests, and the name field's editing keys, limit and
// scrolling.
#include <string>
#include <utility>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/platform/user/dialog/dialog_fixture.h"

namespace dialog_tests {
namespace {

using harness::ModalWindow;

// What the dialog procedure heard: commands as (id, code), and the id that ends the dialog.
struct Heard {
    std::vector<std::pair<int, int>> commands;
    std::vector<LPARAM> senders;
    int ending_id = 0;
    int limit = 0;  // applied to the name field when the dialog starts
};
Heard* g_heard = nullptr;

INT_PTR CALLBACK RecordingProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        if (g_heard->limit) SendDlgItemMessageA(dialog, IDC_NAME, EM_LIMITTEXT, g_heard->limit, 0);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    g_heard->commands.emplace_back(LOWORD(wparam), HIWORD(wparam));
    g_heard->senders.push_back(lparam);
    if (LOWORD(wparam) == g_heard->ending_id) EndDialog(dialog, LOWORD(wparam));
    return TRUE;
}

class Keyboard : public DialogTest {
  protected:
    Keyboard() { g_heard = &heard_; }
    ~Keyboard() override { g_heard = nullptr; }

    INT_PTR Run(int number) {
        return DialogBoxIndirectParamA(nullptr, Template(number), nullptr, &RecordingProc, 0);
    }
    std::vector<int> Clicks() const {
        std::vector<int> ids;
        for (auto [id, code] : heard_.commands)
            if (code == BN_CLICKED) ids.push_back(id);
        return ids;
    }
    int Count(int code) const {
        int n = 0;
        for (auto [id, heard_code] : heard_.commands) n += heard_code == code;
        return n;
    }
    // Records what GetFocus names at a virtual time, as a control id.
    void LookAtFocus(double at_ms, std::vector<int>* seen) {
        env_.host.Call(at_ms, [seen] { seen->push_back(GetDlgCtrlID(GetFocus())); });
    }
    static std::string FieldText(HWND dialog) {
        char text[128];
        GetDlgItemTextA(dialog, IDC_NAME, text, sizeof text);
        return text;
    }

    Heard heard_;
};

TEST_F(Keyboard, FocusStartsOnTheFirstTabStop) {
    HWND splash =
        CreateDialogIndirectParamA(nullptr, Template(IDD_SPLASH), nullptr, &RecordingProc, 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(splash, IDC_STORY));
    DestroyWindow(splash);
    HWND name =
        CreateDialogIndirectParamA(nullptr, Template(IDD_NAME_ENTRY), nullptr, &RecordingProc, 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(name, IDC_NAME_OK));
    DestroyWindow(name);
}

// A phone's keyboard is on the screen only while the name field can take what is typed.
TEST_F(Keyboard, TheHostHearsWhileTheNameFieldHoldsTheKeyboard) {
    HWND name =
        CreateDialogIndirectParamA(nullptr, Template(IDD_NAME_ENTRY), nullptr, &RecordingProc, 0);
    EXPECT_FALSE(env_.host.text_input());  // "OK" has the focus
    SetFocus(GetDlgItem(name, IDC_NAME));
    EXPECT_TRUE(env_.host.text_input());
    SetFocus(GetDlgItem(name, IDC_NAME_OK));
    EXPECT_FALSE(env_.host.text_input());
    SetFocus(GetDlgItem(name, IDC_NAME));
    DestroyWindow(name);
    EXPECT_FALSE(env_.host.text_input());
}

TEST_F(Keyboard, OnTheSplashEscapeIsTheStoryButtonAndTabReachesPlay) {
    heard_.ending_id = IDC_PLAY;
    std::vector<int> focus;
    env_.answers.Answer("", [&](ModalWindow& splash) {
        splash.PressKey(VK_ESCAPE, 10);
        splash.PressKey(VK_RETURN, 20);  // the focused "Story"
        splash.PressKey(VK_SPACE, 30);   // again
        splash.PressKey(VK_RIGHT, 40);   // its group holds only labels besides it
        LookAtFocus(splash.now() + 45, &focus);
        splash.PressKey(VK_TAB, 50);
        LookAtFocus(splash.now() + 55, &focus);
        splash.PressKey(VK_TAB, 60, true);
        LookAtFocus(splash.now() + 65, &focus);
        splash.PressKey(VK_TAB, 70);
        splash.PressKey(VK_RETURN, 80);
    });
    EXPECT_EQ(Run(IDD_SPLASH), IDC_PLAY);
    EXPECT_EQ(Clicks(), (std::vector<int>{IDCANCEL, IDCANCEL, IDCANCEL, IDC_PLAY}));
    EXPECT_EQ(focus, (std::vector<int>{IDC_STORY, IDC_PLAY, IDC_STORY}));
}

TEST_F(Keyboard, EscapeFindsTheStoryButtonAsItsSender) {
    heard_.ending_id = IDCANCEL;
    HWND story_button = nullptr;
    env_.answers.Answer("", [&](ModalWindow& splash) {
        story_button = GetDlgItem(splash.hwnd(), IDC_STORY);
        splash.PressKey(VK_ESCAPE, 10);
    });
    Run(IDD_SPLASH);
    ASSERT_EQ(heard_.senders.size(), 1u);
    EXPECT_EQ(heard_.senders[0], reinterpret_cast<LPARAM>(story_button));
}

TEST_F(Keyboard, TypingGoesNowhereUntilTheFieldHasTheFocusAndEnterStillMeans1002) {
    heard_.ending_id = IDC_NAME_OK;
    std::string before_tab, after_typing;
    DWORD start = 9, end = 9;
    env_.answers.Answer("", [&](ModalWindow& box) {
        HWND dialog = box.hwnd();
        SetDlgItemTextA(dialog, IDC_NAME, "Old");
        box.TypeText("zz", 10);  // the focus is on "OK"
        env_.host.Call(box.now() + 15, [&, dialog] { before_tab = FieldText(dialog); });
        box.PressKey(VK_TAB, 20);
        env_.host.Call(box.now() + 25, [&, dialog] {
            SendDlgItemMessageA(dialog, IDC_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                reinterpret_cast<LPARAM>(&end));
        });
        box.TypeText("Ann", 30);  // over the selection
        env_.host.Call(box.now() + 35, [&, dialog] { after_typing = FieldText(dialog); });
        box.PressKey(VK_ESCAPE, 40);  // the cancel id, though there is no such button
        box.PressKey(VK_RETURN, 50);  // the default button, from inside the field
    });
    EXPECT_EQ(Run(IDD_NAME_ENTRY), IDC_NAME_OK);
    EXPECT_EQ(before_tab, "Old");
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
    EXPECT_EQ(after_typing, "Ann");
    EXPECT_EQ(Clicks(), (std::vector<int>{IDCANCEL, IDC_NAME_OK}));
    EXPECT_EQ(Count(EN_CHANGE), 4);  // "Old" set, then three letters typed
    // Escape names no sender: the dialog has no control with the cancel id.
    ASSERT_FALSE(heard_.senders.empty());
    for (size_t i = 0; i < heard_.commands.size(); ++i) {
        if (heard_.commands[i].first == IDCANCEL) {
            EXPECT_EQ(heard_.senders[i], 0);
        }
    }
}

TEST_F(Keyboard, EditingKeysInTheNameField) {
    heard_.ending_id = IDC_NAME_OK;
    std::vector<std::string> texts;
    env_.answers.Answer("", [&](ModalWindow& box) {
        HWND dialog = box.hwnd();
        auto look = [&, dialog](double at) {
            env_.host.Call(box.now() + at, [&, dialog] { texts.push_back(FieldText(dialog)); });
        };
        box.PressKey(VK_TAB, 10);
        box.TypeText("abcdef", 20);
        box.PressKey(VK_HOME, 30);
        box.PressKey(VK_RIGHT, 31);
        box.PressKey(VK_DELETE, 32);  // takes the b
        look(33);
        box.PressKey(VK_END, 40);
        box.PressKey(VK_BACK, 41);  // takes the f
        look(42);
        box.PressKey(VK_LEFT, 50);
        box.PressKey(VK_LEFT, 51);
        box.TypeText("X", 52);
        look(53);
        box.PressKey(VK_HOME, 60, true);  // selects back to the start
        box.TypeText("Z", 61);
        look(62);
        box.PressKey(VK_RETURN, 70);
    });
    Run(IDD_NAME_ENTRY);
    EXPECT_EQ(texts, (std::vector<std::string>{"acdef", "acde", "acXde", "Zde"}));
}

TEST_F(Keyboard, TheLimitedFieldTakesNoTwentyFirstCharacter) {
    heard_.ending_id = IDC_NAME_OK;
    heard_.limit = 20;
    std::vector<std::string> texts;
    env_.answers.Answer("", [&](ModalWindow& box) {
        HWND dialog = box.hwnd();
        box.PressKey(VK_TAB, 10);
        box.TypeText("Grommelin Quibbert the Great", 20);
        env_.host.Call(box.now() + 25, [&, dialog] {
            texts.push_back(FieldText(dialog));
            // The program may put more there than a player can type.
            SetDlgItemTextA(dialog, IDC_NAME, "Twenty-five characters!!!");
        });
        box.PressKey(VK_END, 30);
        box.TypeText("x", 31);
        box.PressKey(VK_BACK, 32);
        env_.host.Call(box.now() + 35, [&, dialog] { texts.push_back(FieldText(dialog)); });
        box.PressKey(VK_RETURN, 40);
    });
    Run(IDD_NAME_ENTRY);
    EXPECT_EQ(texts,
              (std::vector<std::string>{"Grommelin Quibbert t", "Twenty-five characters!!"}));
    EXPECT_EQ(Count(EN_MAXTEXT), 9);  // eight letters refused, then the x
}

// The caret is the one column of the field that is black from the top of the text to its
// bottom; -1 when it is not in view.
int CaretColumn(HWND field) {
    POINT origin{0, 0};
    ClientToScreen(field, &origin);
    HWND dialog = GetParent(field);
    POINT dialog_origin{0, 0};
    ClientToScreen(dialog, &dialog_origin);
    int left = origin.x - dialog_origin.x, top = origin.y - dialog_origin.y;
    RECT client{};
    GetClientRect(field, &client);
    for (int x = 0; x < client.right; ++x) {
        bool solid = true;
        for (int y = 1; y < 14 && solid; ++y) solid = PixelAt(dialog, left + x, top + y) == 0;
        if (solid) return x;
    }
    return -1;
}

TEST_F(Keyboard, ALongNameScrollsSoTheCaretStaysInView) {
    heard_.ending_id = IDC_NAME_OK;
    std::vector<int> carets;
    env_.answers.Answer("", [&](ModalWindow& box) {
        HWND field = GetDlgItem(box.hwnd(), IDC_NAME);
        auto look = [&, field](double at) {
            env_.host.Call(box.now() + at, [&, field] { carets.push_back(CaretColumn(field)); });
        };
        box.PressKey(VK_TAB, 10);
        look(15);
        box.TypeText(std::string(60, 'm'), 20);
        look(25);
        box.PressKey(VK_HOME, 30);
        look(35);
        box.PressKey(VK_END, 40);
        look(45);
        box.PressKey(VK_RETURN, 50);
    });
    Run(IDD_NAME_ENTRY);
    // The field's client area is 205 wide with a pixel of margin: the caret sits at 1 when at
    // the start and at 204, the last column, when the text runs past the right edge.
    EXPECT_EQ(carets, (std::vector<int>{1, 204, 1, 204}));
}

TEST_F(Keyboard, AClickPutsTheCaretWhereItLandsWithoutSelecting) {
    heard_.ending_id = IDC_NAME_OK;
    std::string text;
    env_.answers.Answer("", [&](ModalWindow& box) {
        HWND dialog = box.hwnd();
        SetDlgItemTextA(dialog, IDC_NAME, "Bert");
        RECT field = RectInDialog(GetDlgItem(dialog, IDC_NAME));
        env_.host.Click(harness::HostWindowOf(box.hwnd()), field.right - 10, field.top + 8,
                        box.now() + 10);
        box.TypeText("ie", 20);
        env_.host.Call(box.now() + 25, [&, dialog] { text = FieldText(dialog); });
        box.PressKey(VK_RETURN, 30);
    });
    Run(IDD_NAME_ENTRY);
    EXPECT_EQ(text, "Bertie");
}

TEST_F(Keyboard, ACloseRequestCancelsOnlyWhereThereIsACloseBox) {
    heard_.ending_id = IDCANCEL;
    env_.answers.Answer("", [&](ModalWindow& story) { story.RequestClose(10); });
    EXPECT_EQ(Run(IDD_STORY), IDCANCEL);

    heard_ = Heard{};
    heard_.ending_id = IDC_PLAY;
    env_.answers.Answer("", [&](ModalWindow& splash) {
        splash.RequestClose(10);
        splash.PressButton(IDC_PLAY, 20);
    });
    EXPECT_EQ(Run(IDD_SPLASH), IDC_PLAY);
    EXPECT_EQ(Clicks(), (std::vector<int>{IDC_PLAY}));
}

}  // namespace
}  // namespace dialog_tests
