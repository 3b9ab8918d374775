// Answers to a modal window: clicks on its buttons and keys typed into it, at virtual times.
#include <cstdio>
#include <string>

#include "platform/host/headless/headless_host.h"
#include "platform/user/geometry.h"
#include "platform/user/user_state.h"

namespace platform::headless {

namespace {
std::string WithoutMnemonics(const std::string& text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    return plain;
}
}  // namespace

void ModalWindow::ClickChild(HWND child, double after_ms) {
    user::UserState& state = user::State();
    const user::Window* window = state.Find(child);
    if (!window) {
        std::fprintf(stderr, "headless host: \"%s\" has no such button\n", title_.c_str());
        return;
    }
    POINT origin = user::ClientOriginInTop(state, child);
    RECT client = user::ClientRect(*window);
    host_.Click(window_, origin.x + client.right / 2, origin.y + client.bottom / 2,
                now() + after_ms);
}

void ModalWindow::PressButton(int control_id, double after_ms) {
    user::UserState& state = user::State();
    const user::Window* dialog = state.Find(hwnd_);
    HWND found = nullptr;
    for (HWND child : dialog ? dialog->children : std::vector<HWND>{})
        if (const user::Window* window = state.Find(child); window && window->id == control_id)
            found = child;
    ClickChild(found, after_ms);
}

void ModalWindow::PressButton(const std::string& caption, double after_ms) {
    user::UserState& state = user::State();
    const user::Window* dialog = state.Find(hwnd_);
    HWND found = nullptr;
    for (HWND child : dialog ? dialog->children : std::vector<HWND>{})
        if (const user::Window* window = state.Find(child);
            window && WithoutMnemonics(window->text) == WithoutMnemonics(caption))
            found = child;
    ClickChild(found, after_ms);
}

void ModalWindow::PressKey(int virtual_key, double after_ms, bool shift) {
    host_.PressKey(window_, virtual_key, now() + after_ms, shift);
}

void ModalWindow::TypeText(const std::string& text, double after_ms) {
    host_.TypeText(window_, text, now() + after_ms);
}

void ModalWindow::RequestClose(double after_ms) {
    host_.RequestClose(window_, now() + after_ms);
}

}  // namespace platform::headless
