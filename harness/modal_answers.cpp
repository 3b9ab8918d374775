#include "harness/modal_answers.h"

#include <cstdio>

namespace harness {

namespace {

std::string WithoutMnemonics(const std::string& text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    return plain;
}

// The last child of `parent` that `matches`; nullptr for none.
template <typename Match>
HWND LastChild(HWND parent, Match matches) {
    HWND found = nullptr;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (matches(child)) found = child;
    return found;
}

}  // namespace

std::string WindowText(HWND hwnd) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void ModalWindow::ClickChild(HWND child, double after_ms) {
    RECT client;
    if (!child || !GetClientRect(child, &client)) {
        std::fprintf(stderr, "harness: \"%s\" has no such button\n", title_.c_str());
        return;
    }
    // The middle of the button, in the client coordinates of the window it sits in.
    POINT middle{client.right / 2, client.bottom / 2};
    ClientToScreen(child, &middle);
    ScreenToClient(hwnd_, &middle);
    input_.Click(hwnd_, middle, now() + after_ms);
}

void ModalWindow::PressButton(int control_id, double after_ms) {
    ClickChild(LastChild(hwnd_, [&](HWND child) { return GetDlgCtrlID(child) == control_id; }),
               after_ms);
}

void ModalWindow::PressButton(const std::string& caption, double after_ms) {
    std::string wanted = WithoutMnemonics(caption);
    ClickChild(
        LastChild(hwnd_, [&](HWND child) { return WithoutMnemonics(WindowText(child)) == wanted; }),
        after_ms);
}

void ModalWindow::PressKey(int virtual_key, double after_ms, bool shift) {
    input_.PressKey(hwnd_, virtual_key, now() + after_ms, shift);
}

void ModalWindow::TypeText(const std::string& text, double after_ms) {
    input_.TypeText(hwnd_, text, now() + after_ms);
}

void ModalWindow::RequestClose(double after_ms) {
    input_.RequestClose(hwnd_, now() + after_ms);
}

void ModalAnswers::Answer(const std::string& title, Responder responder, Times times) {
    answerers_.push_back(Answerer{title, std::move(responder), times});
}

void ModalAnswers::WindowShown(HWND hwnd) {
    bool modal = (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_POPUP) || GetWindow(hwnd, GW_OWNER);
    if (!modal) return;
    std::string title = WindowText(hwnd);
    modal_titles_.push_back(title);
    for (auto it = answerers_.begin(); it != answerers_.end(); ++it) {
        if (!it->title.empty() && it->title != title) continue;
        Responder responder = it->responder;
        if (it->times == Times::kOnce) answerers_.erase(it);
        ModalWindow window(input_, hwnd, title);
        responder(window);
        return;
    }
}

}  // namespace harness
