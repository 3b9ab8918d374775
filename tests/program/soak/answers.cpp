#include "tests/program/soak/answers.h"

#include <string>
#include <vector>

#include "harness/test_support.h"
#include "platform/user/user_state.h"
#include "resources/resource_ids.h"

namespace soak {
namespace {

using harness::ModalWindow;

constexpr char kSplashTitle[] = "Grommelin Quibbert's Zandrofel V2.27";
constexpr char kNameTitle[] = "Quibbert's Hall of Fame";
// Longer than any pause before an answer, so a window is asked again only when its answer
// did not end it.
constexpr double kPatienceMs = 6000;

const std::string kNameCharacters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789    .-'!";

bool IsModal(const platform::user::Window& window) {
    return window.IsVisibleFlag() && !window.IsDisabledFlag() &&
           ((window.style & WS_POPUP) || window.owner);
}

}  // namespace

void Answers::Appeared(ModalWindow& window) {
    // A message box has an OK or a Yes button and none of the dialogs' titles.
    const std::string& title = window.title();
    if (title == kSplashTitle || title == kNameTitle || title == "The Story..." || title == "About")
        ++dialogs_;
    Answer(window);
}

bool Answers::Watch() {
    platform::user::UserState& state = platform::user::State();
    // Forget windows that have gone.
    for (auto it = answered_at_.begin(); it != answered_at_.end();)
        it = state.Find(it->first) ? std::next(it) : answered_at_.erase(it);
    // The last modal window made that still takes input is the one on top.
    const platform::user::Window* top = nullptr;
    for (HWND hwnd : state.windows().top_levels())
        if (const platform::user::Window* window = state.Find(hwnd); window && IsModal(*window))
            top = window;
    if (!top) return false;
    auto answered = answered_at_.find(top->hwnd);
    double waited = answered == answered_at_.end() ? kPatienceMs : host_.NowMs() - answered->second;
    if (waited >= (closing_ ? kPatienceMs / 10 : kPatienceMs)) {
        ModalWindow window(input_, top->hwnd, top->text);
        Answer(window);
    }
    return true;
}

void Answers::Answer(ModalWindow& window) {
    answered_at_[window.hwnd()] = host_.NowMs();
    // Mostly soon; sometimes the box stays up a while and the game goes on behind it.
    double after = closing_              ? 0
                   : random_.Chance(0.1) ? random_.Between(1500.0, 5000.0)
                                         : random_.Between(0.0, 1500.0);
    if (window.title() == kSplashTitle)
        Splash(window, after);
    else if (window.title() == kNameTitle)
        NameEntry(window, after);
    else if (GetDlgItem(window.hwnd(), IDYES))
        YesNo(window, after);
    else if (window.title() == "The Story..." || window.title() == "About")
        Dialog(window, after);
    else
        Box(window, after);
}

void Answers::Splash(ModalWindow& window, double after) {
    int pick = closing_ ? 99 : random_.Between(0, 99);
    if (pick < 15)
        window.PressButton(IDCANCEL, after);  // "Story"
    else if (pick < 22)
        window.PressKey(VK_ESCAPE, after);  // also the story
    else if (pick < 27)
        window.PressKey(VK_RETURN, after);  // the focus starts on "Story"
    else if (pick < 30)
        window.RequestClose(after);  // no close box: nothing happens
    else
        window.PressButton(IDC_PLAY, after);
}

void Answers::Dialog(ModalWindow& window, double after) {
    int pick = closing_ ? 0 : random_.Between(0, 99);
    if (pick < 50)
        window.PressButton(IDOK, after);
    else if (pick < 70)
        window.PressKey(VK_ESCAPE, after);
    else if (pick < 85)
        window.PressKey(VK_RETURN, after);
    else
        window.RequestClose(after);
}

void Answers::NameEntry(ModalWindow& window, double after) {
    if (closing_) {
        window.PressKey(VK_ESCAPE);
        return;
    }
    int pick = random_.Between(0, 99);
    if (pick < 60) {
        std::string name;
        int shape = random_.Between(0, 9);
        if (shape == 0) {
            name.assign(1, ' ');  // taken as no name
        } else if (shape == 1) {
            // Assigned as characters: GCC 12 at -O3 warns falsely on a short literal.
            name.assign(2, ' ');
        } else {
            int length = random_.Between(1, 26);  // the field takes 20
            for (int i = 0; i < length; ++i) name += random_.Of(kNameCharacters);
        }
        // The focus starts on the button: the field has to be clicked first, mostly.
        if (random_.Chance(0.85)) window.PressButton(IDC_NAME, after);
        window.TypeText(name, after + random_.Between(10.0, 300.0));
        if (random_.Chance(0.3))
            window.PressKey(VK_RETURN, after + 400);
        else
            window.PressButton(IDC_NAME_OK, after + 400);
        ++names_typed_;
    } else if (pick < 75) {
        window.PressKey(VK_ESCAPE, after);
    } else if (pick < 88) {
        window.PressButton(IDC_NAME_OK, after);  // nothing typed: the error box
    } else if (pick < 94) {
        window.PressKey(VK_RETURN, after);
    } else {
        window.RequestClose(after);  // no close box: nothing happens
    }
}

void Answers::YesNo(ModalWindow& window, double after) {
    bool yes = !closing_ && random_.Chance(0.85);
    int pick = random_.Between(0, 99);
    if (pick < 55)
        window.PressButton(yes ? IDYES : IDNO, after);
    else if (pick < 90)
        window.PressKey(yes ? 'Y' : 'N', after);
    else if (pick < 95 && !closing_)
        window.RequestClose(after);  // without a close box: asked again later
    else
        window.PressKey(VK_ESCAPE, after);  // no cancel: asked again later
}

void Answers::Box(ModalWindow& window, double after) {
    int pick = closing_ ? 0 : random_.Between(0, 99);
    if (pick < 45)
        window.PressButton(IDOK, after);
    else if (pick < 65)
        window.PressKey(VK_RETURN, after);
    else if (pick < 78)
        window.PressKey(VK_ESCAPE, after);
    else if (pick < 88)
        window.PressKey(VK_SPACE, after);
    else if (pick < 96)
        window.RequestClose(after);  // an OK box takes it as OK
    else
        window.PressKey('N', after);  // no such button here: nothing happens
}

}  // namespace soak
