// Answers to a program's modal windows (message boxes, dialogs, other owned or pop-up windows)
// as they appear. They are found and read through Win32 calls any program could make, and
// answered with input at times on the program's clock, so the same answers could drive the
// program on another system.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/session.h"
#include "platform/win32.h"

namespace harness {

// Where answers go: input to a top-level window at a time on the program's clock.
class WindowInput {
  public:
    virtual ~WindowInput() = default;
    virtual double Now() = 0;
    // `point` is in the window's client coordinates.
    virtual void Click(HWND window, POINT point, double at_ms) = 0;
    virtual void PressKey(HWND window, int virtual_key, double at_ms, bool shift) = 0;
    virtual void TypeText(HWND window, const std::string& text, double at_ms) = 0;
    virtual void RequestClose(HWND window, double at_ms) = 0;
};

// What a responder gets: the modal window, and ways to answer it after some virtual time.
class ModalWindow {
  public:
    ModalWindow(WindowInput& input, HWND hwnd, std::string title)
        : input_(input), hwnd_(hwnd), title_(std::move(title)) {}

    const std::string& title() const { return title_; }
    HWND hwnd() const { return hwnd_; }
    double now() const { return input_.Now(); }

    // Clicks the child button with this control id, or whose caption (without '&') matches.
    void PressButton(int control_id, double after_ms = 0);
    void PressButton(const std::string& caption, double after_ms = 0);
    void PressKey(int virtual_key, double after_ms = 0, bool shift = false);
    void TypeText(const std::string& text, double after_ms = 0);
    void RequestClose(double after_ms = 0);

  private:
    void ClickChild(HWND child, double after_ms);

    WindowInput& input_;
    HWND hwnd_;
    std::string title_;
};

// Watches a session for windows appearing and hands each modal one to the first responder
// whose title matches.
class ModalAnswers : public platform::Observer {
  public:
    using Responder = std::function<void(ModalWindow&)>;
    enum class Times { kOnce, kEvery };

    explicit ModalAnswers(WindowInput& input) : input_(input) {}

    // An empty title answers any modal window. The first matching responder is used.
    void Answer(const std::string& title, Responder responder, Times times = Times::kOnce);
    // Titles of the modal windows that were shown, in order, answered or not.
    const std::vector<std::string>& modal_titles() const { return modal_titles_; }
    // Drops the titles, so that a run of hours keeps nothing of what is gone.
    void ForgetTitles() { modal_titles_.clear(); }

    void WindowShown(HWND hwnd) override;

  private:
    struct Answerer {
        std::string title;
        Responder responder;
        Times times;
    };

    WindowInput& input_;
    std::vector<Answerer> answerers_;
    std::vector<std::string> modal_titles_;
};

// A window's text as GetWindowTextA gives it.
std::string WindowText(HWND hwnd);

}  // namespace harness
