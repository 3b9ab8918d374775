// Message boxes: answers by key, click and close request; the owner disabled meanwhile; the
// owner's timers running (and re-entering) inside the box's loop; WM_QUIT ending the loop;
// pictures of an OK box and a Yes/No box written for review.
#include <gtest/gtest.h>

#include <array>

#include "harness/test_support.h"
#include "platform/core/handle_table.h"
#include "platform/win32.h"
#include "tests/platform/user/message_log.h"
#include "tools/png/surface_png.h"

namespace platform {
namespace {

using harness::HeadlessSession;
using harness::ModalWindow;
using testing::MessageLog;

class MessageBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::RegisterLoggingClass("Logger");
        owner = CreateWindowExA(WS_EX_CLIENTEDGE, "Logger", "Owner", WS_OVERLAPPEDWINDOW, 0, 0, 800,
                                600, nullptr, nullptr, nullptr, nullptr);
        ShowWindow(owner, SW_SHOW);
        UpdateWindow(owner);
        for (size_t i = 0; i < baseline.size(); ++i)
            baseline[i] = env.session.handles().LiveCount(static_cast<ObjectKind>(i));
    }
    void TearDown() override {
        for (size_t i = 0; i < baseline.size(); ++i)
            EXPECT_EQ(env.session.handles().LiveCount(static_cast<ObjectKind>(i)), baseline[i])
                << ObjectKindName(static_cast<ObjectKind>(i));
    }
    // Answers the next box with `answer` after 100 virtual milliseconds.
    void AnswerWith(std::function<void(ModalWindow&)> answer) {
        env.answers.Answer("", [answer](ModalWindow& box) { answer(box); });
    }
    int Ask(UINT type) { return MessageBoxA(owner, "Continue?", "Question", type); }

    HeadlessSession env;
    MessageLog log;
    HWND owner = nullptr;
    std::array<int, static_cast<size_t>(ObjectKind::kCount)> baseline{};
};

TEST_F(MessageBoxTest, OkBoxAnswersOkToEveryWayOfClosingIt) {
    for (int way = 0; way < 5; ++way) {
        AnswerWith([way](ModalWindow& box) {
            switch (way) {
                case 0:
                    box.PressKey(VK_RETURN, 100);
                    break;
                case 1:
                    box.PressKey(VK_SPACE, 100);
                    break;
                case 2:
                    box.PressKey(VK_ESCAPE, 100);
                    break;
                case 3:
                    box.PressButton("OK", 100);
                    break;
                default:
                    box.RequestClose(100);
            }
        });
        double before = env.host.NowMs();
        EXPECT_EQ(Ask(MB_OK), IDOK) << "way " << way;
        EXPECT_EQ(env.host.NowMs(), before + 100);
    }
    EXPECT_EQ(env.answers.modal_titles().size(), 5u);
    EXPECT_EQ(env.answers.modal_titles()[0], "Question");
}

TEST_F(MessageBoxTest, YesNoBoxAnswersByKeyClickAndFocus) {
    struct Case {
        const char* name;
        UINT type;
        std::function<void(ModalWindow&)> answer;
        int expected;
    };
    const Case cases[] = {
        {"Y", MB_YESNO, [](ModalWindow& b) { b.PressKey('Y', 10); }, IDYES},
        {"N", MB_YESNO, [](ModalWindow& b) { b.PressKey('N', 10); }, IDNO},
        {"Enter on the first button", MB_YESNO, [](ModalWindow& b) { b.PressKey(VK_RETURN, 10); },
         IDYES},
        {"Tab moves focus and default", MB_YESNO,
         [](ModalWindow& b) {
             b.PressKey(VK_TAB, 10);
             b.PressKey(VK_RETURN, 20);
         },
         IDNO},
        {"Shift+Tab wraps", MB_YESNO,
         [](ModalWindow& b) {
             b.PressKey(VK_TAB, 10, true);
             b.PressKey(VK_SPACE, 20);
         },
         IDNO},
        {"second button as default", MB_YESNO | MB_DEFBUTTON2,
         [](ModalWindow& b) { b.PressKey(VK_RETURN, 10); }, IDNO},
        {"Escape and close do nothing", MB_YESNO,
         [](ModalWindow& b) {
             b.PressKey(VK_ESCAPE, 10);
             b.RequestClose(20);
             b.PressButton("No", 30);
         },
         IDNO},
        {"click", MB_YESNO | MB_ICONQUESTION, [](ModalWindow& b) { b.PressButton(IDYES, 10); },
         IDYES},
    };
    for (const Case& c : cases) {
        AnswerWith(c.answer);
        EXPECT_EQ(Ask(c.type), c.expected) << c.name;
    }
}

TEST_F(MessageBoxTest, OwnerIsDisabledAndTheBoxCentredOverIt) {
    RECT box_rect{};
    bool owner_enabled_inside = true;
    AnswerWith([&](ModalWindow& box) {
        GetWindowRect(box.hwnd(), &box_rect);
        owner_enabled_inside = IsWindowEnabled(owner);
        EXPECT_EQ(GetParent(box.hwnd()), owner);
        // Input meant for the owner goes nowhere while the box is open.
        env.host.PressKey(harness::HostWindowOf(owner), 'A', box.now() + 5);
        env.host.Click(harness::HostWindowOf(owner), 50, 50, box.now() + 6);
        box.PressKey(VK_RETURN, 10);
    });
    log.Clear();
    EXPECT_EQ(Ask(MB_OK | MB_ICONHAND), IDOK);
    EXPECT_FALSE(owner_enabled_inside);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
    EXPECT_EQ(log.Count(WM_KEYDOWN), 0);
    EXPECT_EQ(log.Count(WM_LBUTTONDOWN), 0);
    EXPECT_NEAR((box_rect.left + box_rect.right) / 2, 400, 1);
    EXPECT_NEAR((box_rect.top + box_rect.bottom) / 2, 300, 1);

    // A box without an owner sits in the middle of the screen.
    AnswerWith([&](ModalWindow& box) {
        GetWindowRect(box.hwnd(), &box_rect);
        box.PressKey(VK_RETURN, 10);
    });
    EXPECT_EQ(MessageBoxA(nullptr, "Alone", "Alone", MB_SYSTEMMODAL), IDOK);
    EXPECT_NEAR((box_rect.left + box_rect.right) / 2, 512, 1);
}

TEST_F(MessageBoxTest, OwnersTimerKeepsTickingAndReentersItsHandler) {
    int ticks = 0, depth = 0, deepest = 0, answer = 0;
    log.handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message != WM_TIMER) return false;
        ++ticks;
        ++depth;
        deepest = std::max(deepest, depth);
        if (ticks == 1) answer = MessageBoxA(hwnd, "Tick", "Tick", MB_OK);
        --depth;
        return true;
    };
    AnswerWith([](ModalWindow& box) { box.PressKey(VK_RETURN, 500); });
    SetTimer(owner, 1, 0, nullptr);
    harness::PumpMessagesUntil(1000);
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(deepest, 2);
    EXPECT_EQ(ticks, 64);  // the box took none of them away
    KillTimer(owner, 1);
}

TEST_F(MessageBoxTest, QuitInsideTheBoxEndsItAndGoesOn) {
    int answer = -1;
    log.handler = [&](HWND hwnd, UINT message, WPARAM wparam, LPARAM, LRESULT*) {
        if (message == WM_TIMER && wparam == 1) {
            KillTimer(hwnd, 1);
            answer = MessageBoxA(hwnd, "Quit", "Quit", MB_YESNO);
            return true;
        }
        if (message == WM_TIMER && wparam == 2) {
            KillTimer(hwnd, 2);
            PostQuitMessage(7);
            return true;
        }
        return false;
    };
    env.answers.Answer("Quit", [](ModalWindow&) {});  // never answered
    SetTimer(owner, 1, 10, nullptr);
    SetTimer(owner, 2, 50, nullptr);
    EXPECT_FALSE(harness::PumpMessagesUntil(1000));
    EXPECT_EQ(answer, 0);
    EXPECT_TRUE(IsWindowEnabled(owner));
    MSG msg;
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 7u);
}

// Counts the pixels of one colour in a rectangle.
int CountColour(const Surface& s, uint32_t rgb, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += s.Pixel(x, y) == rgb;
    return n;
}

TEST_F(MessageBoxTest, PicturesOfAnOkBoxAndAYesNoBox) {
    struct Shot {
        const char* file;
        UINT type;
        const char* text;
        uint32_t icon_colour;
    };
    const Shot shots[] = {
        {"message_box_ok_exclamation.png", MB_OK | MB_ICONEXCLAMATION,
         "The house is on fire!\nThis line is long enough that the box has to wrap it onto "
         "another line.",
         0xFFFF00},
        {"message_box_yes_no_question.png", MB_YESNO | MB_ICONQUESTION, "Play Again?", 0x0000FF},
        {"message_box_ok_stop.png", MB_OK | MB_ICONHAND, "Stop.", 0xFF0000},
        {"message_box_ok_information.png", MB_OK | MB_ICONASTERISK, "Information.", 0x0000FF},
    };
    for (const Shot& shot : shots) {
        Surface picture;
        AnswerWith([&](ModalWindow& box) {
            HWND hwnd = box.hwnd();
            env.host.Call(box.now() + 10,
                          [&picture, hwnd] { picture = *harness::WindowPixels(hwnd); });
            box.PressKey(VK_RETURN, 20);
        });
        MessageBoxA(owner, shot.text, "Zandrofel", shot.type);
        ASSERT_GT(picture.width, 0);
        EXPECT_TRUE(png::WritePng(shot.file, picture, 2)) << shot.file;
        // Button face around everything, the icon's colour in its 32 x 32 corner, and the
        // default button's black frame below.
        EXPECT_EQ(picture.Pixel(1, 1), 0xC0C0C0u) << shot.file;
        EXPECT_GT(CountColour(picture, shot.icon_colour, 12, 0, 44, picture.height - 26), 30)
            << shot.file;
        EXPECT_GT(
            CountColour(picture, 0x000000, 0, picture.height - 40, picture.width, picture.height),
            100)
            << shot.file;
        EXPECT_GT(
            CountColour(picture, 0xFFFFFF, 0, picture.height - 40, picture.width, picture.height),
            50)
            << shot.file;
    }
}

}  // namespace
}  // namespace platform
