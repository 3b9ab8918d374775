// CDialog: the owner a parentless dialog gets, ids 1 and 2 bound to OnOK and OnCancel unless
// the dialog's own map takes them, a splash-and-story run driven by keys and clicks, and data
// exchange with the name field in both directions.
#include <string>
#include <vector>

#include "framework/cstring.h"
#include "framework/data_exchange.h"
#include "framework/dialog.h"
#include "framework/win_app.h"
#include "resources/resource_ids.h"
#include "tests/platform/user/dialog/dialog_fixture.h"

namespace dialog_tests {
namespace {

using harness::ModalWindow;

class FrameworkDialog : public DialogTest {
  protected:
    FrameworkDialog() {
        char command_line[] = "";
        app_.SetUp(GetModuleHandleA(nullptr), command_line, SW_SHOWNORMAL);
    }
    void TearDown() override {
        app_.m_pMainWnd = nullptr;
        DialogTest::TearDown();
    }
    CWinApp app_;
};

// Notes its owner while it starts and ends at once.
class COwnerProbe : public CDialog {
  public:
    explicit COwnerProbe(CWnd* parent = nullptr) : CDialog(IDD_ABOUT, parent) {}
    BOOL OnInitDialog() override {
        owner = ::GetWindow(m_hWnd, GW_OWNER);
        owner_enabled = owner && ::IsWindowEnabled(owner);
        EndDialog(IDOK);
        return TRUE;
    }
    HWND owner = nullptr;
    bool owner_enabled = true;
};

TEST_F(FrameworkDialog, AParentlessDialogIsOwnedByTheMainWindowElseTheActiveOne) {
    COwnerProbe alone;
    EXPECT_EQ(alone.DoModal(), IDOK);
    EXPECT_EQ(alone.owner, nullptr);

    HWND active = MakeOwner("Active");
    COwnerProbe by_active;
    by_active.DoModal();
    EXPECT_EQ(by_active.owner, active);
    EXPECT_FALSE(by_active.owner_enabled);
    EXPECT_TRUE(IsWindowEnabled(active));

    HWND main_hwnd = CreateWindowExA(0, "DialogTestOwner", "Main", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                                     300, nullptr, nullptr, nullptr, nullptr);  // hidden
    CWnd main_window;
    main_window.Attach(main_hwnd);
    app_.m_pMainWnd = &main_window;
    COwnerProbe by_main;
    by_main.DoModal();
    EXPECT_EQ(by_main.owner, main_hwnd);
    EXPECT_TRUE(IsWindowEnabled(main_hwnd));

    CWnd parent;
    parent.Attach(active);
    COwnerProbe by_parent(&parent);
    by_parent.DoModal();
    EXPECT_EQ(by_parent.owner, active);
    parent.Detach();
    main_window.Detach();
    DestroyWindow(main_hwnd);
    DestroyWindow(active);
}

TEST_F(FrameworkDialog, AMissingTemplateRunsNothing) {
    CDialog missing(999);
    EXPECT_EQ(missing.DoModal(), -1);
}

// The splash and story of the game, as small as they can be.
struct Script {
    std::vector<std::string> log;
};

class CStory : public CDialog {
  public:
    explicit CStory(Script& script) : CDialog(IDD_STORY), script_(script) {}
    BOOL OnInitDialog() override {
        HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        char title[64] = "";
        GetWindowTextA(owner, title, sizeof title);
        script_.log.push_back(std::string("story over ") + title +
                              (::IsWindowEnabled(owner) ? " (enabled)" : " (disabled)"));
        return CDialog::OnInitDialog();
    }

  private:
    Script& script_;
};

class CSplash : public CDialog {
  public:
    explicit CSplash(Script& script) : CDialog(IDD_SPLASH), script_(script) {}

  protected:
    void OnPlay() {
        script_.log.push_back("play");
        OnOK();
    }
    void OnStory() {
        CStory story(script_);
        script_.log.push_back("story ended " + std::to_string(story.DoModal()));
    }
    Script& script_;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSplash, CDialog)
ON_COMMAND(IDC_PLAY, OnPlay)
ON_BN_CLICKED(IDC_STORY, OnStory)
END_MESSAGE_MAP()

TEST_F(FrameworkDialog, EscapeOnTheSplashOpensTheStoryAndOnlyPlayEndsIt) {
    Script script;
    const char* splash_title = "Grommelin Quibbert's Zandrofel V2.27";
    env_.answers.Answer(splash_title, [](ModalWindow& splash) {
        splash.PressKey(VK_ESCAPE, 100);  // id 2: the story, not the end
        splash.RequestClose(900);         // no close box: ignored
        splash.PressButton("Story", 1000);
        splash.PressButton("PLAY!", 2000);
    });
    env_.answers.Answer("The Story...", [](ModalWindow& story) { story.PressKey(VK_ESCAPE, 300); });
    env_.answers.Answer("The Story...", [](ModalWindow& story) { story.PressButton("OK", 300); });
    CSplash splash(script);
    EXPECT_EQ(splash.DoModal(), IDOK);
    EXPECT_EQ(
        script.log,
        (std::vector<std::string>{
            "story over " + std::string(splash_title) + " (disabled)", "story ended 2",
            "story over " + std::string(splash_title) + " (disabled)", "story ended 1", "play"}));
    EXPECT_EQ(splash.m_hWnd, nullptr);
    EXPECT_EQ(env_.answers.modal_titles().size(), 3u);
}

// The name dialog's data: a string member exchanged with field 1001, at most 20 characters.
class CNameDialog : public CDialog {
  public:
    CNameDialog() : CDialog(IDD_NAME_ENTRY) {}
    CString m_Name;
    CString m_Accepted;
    int saves = 0;

  protected:
    void DoDataExchange(CDataExchange* dx) override {
        if (dx->m_bSaveAndValidate) ++saves;
        DDX_Text(dx, IDC_NAME, m_Name);
        DDV_MaxChars(dx, m_Name, 20);
    }
    void OnNameOK() {
        if (!UpdateData(TRUE)) return;
        m_Accepted = m_Name;
        OnOK();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNameDialog, CDialog)
ON_COMMAND(IDC_NAME_OK, OnNameOK)
END_MESSAGE_MAP()

TEST_F(FrameworkDialog, DataExchangeFillsTheFieldLimitsItAndReadsItBack) {
    CNameDialog dialog;
    dialog.m_Name = "Quib";
    LRESULT limit = 0;
    std::string shown;
    env_.answers.Answer("Quibbert's Hall of Fame", [&](ModalWindow& box) {
        env_.host.Call(box.now() + 10, [&, hwnd = box.hwnd()] {
            limit = SendDlgItemMessageA(hwnd, IDC_NAME, EM_GETLIMITTEXT, 0, 0);
            char text[64];
            GetDlgItemTextA(hwnd, IDC_NAME, text, sizeof text);
            shown = text;
        });
        box.PressKey(VK_TAB, 20);  // to the field, all selected
        box.PressKey(VK_END, 30);
        box.TypeText("bert the Magnificent", 40);  // four over the limit
        box.PressKey(VK_RETURN, 50);               // the default button, 1002
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(limit, 20);
    EXPECT_EQ(shown, "Quib");
    EXPECT_EQ(dialog.m_Accepted, "Quibbert the Magnifi");
    EXPECT_EQ(dialog.m_Name, "Quibbert the Magnifi");
    EXPECT_EQ(dialog.saves, 2);  // OnNameOK's own, then OnOK's
}

TEST_F(FrameworkDialog, AnOverlongTextPutThereByTheProgramFailsValidationAndTheDialogStays) {
    CNameDialog dialog;
    std::vector<std::string> boxes;
    env_.answers.Answer("Quibbert's Hall of Fame", [&](ModalWindow& box) {
        env_.host.Call(box.now() + 10, [hwnd = box.hwnd()] {
            SetDlgItemTextA(hwnd, IDC_NAME, "Twenty-five characters!!!");
        });
        box.PressKey(VK_RETURN, 20);
        env_.host.Call(box.now() + 500, [&, hwnd = box.hwnd()] {
            // Still open, the field focused and its text all selected for retyping.
            boxes.push_back(IsWindowVisible(hwnd) ? "still open" : "closed");
            DWORD start = 9, end = 9;
            SendDlgItemMessageA(hwnd, IDC_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                reinterpret_cast<LPARAM>(&end));
            boxes.push_back(GetFocus() == GetDlgItem(hwnd, IDC_NAME) && start == 0 && end == 25
                                ? "field selected"
                                : "field not selected");
        });
        box.PressKey(VK_ESCAPE, 600);
    });
    env_.answers.Answer("", [&](ModalWindow& message) {
        boxes.push_back(message.title());
        message.PressButton("OK", 100);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0], "zandrofel");  // the application's message
    EXPECT_EQ(boxes[1], "still open");
    EXPECT_EQ(boxes[2], "field selected");
    EXPECT_EQ(dialog.m_Accepted, "");
}

}  // namespace
}  // namespace dialog_tests
