// Answers to the program's modal windows: the splash (the story first, now and then), the story
// and About boxes, the message boxes (OK, Enter, Escape, a close request; Yes or No by button
// or by key) and the name dialog (a random name, typed where it belongs or not, an empty one,
// Escape). Each answer comes after a random pause, while the game ticks on behind the window.
// An answer that leaves its window open (an empty name, a close request on a box without a
// close box, a press that opened the story) is followed by another once the window has waited
// long enough.
#pragma once

#include <cstdint>
#include <map>

#include "harness/headless_input.h"
#include "harness/modal_answers.h"
#include "platform/host/headless/headless_host.h"
#include "platform/win32.h"
#include "tests/program/soak/random.h"

namespace soak {

class Answers {
  public:
    Answers(platform::headless::HeadlessHost& host, Random& random)
        : host_(host), input_(host), random_(random) {}

    // The responder: a modal window has just appeared.
    void Appeared(harness::ModalWindow& window);
    // Answers the topmost modal window again when it has waited too long; true when one is open.
    bool Watch();
    // Once the soak wants the program to end: the quickest answers, and No to another game.
    void StartClosing() { closing_ = true; }

    int64_t names_typed() const { return names_typed_; }
    // Dialogs shown (the splash, the story, About, the name entry); message boxes not counted.
    int64_t dialogs() const { return dialogs_; }

  private:
    void Answer(harness::ModalWindow& window);
    void Splash(harness::ModalWindow& window, double after);
    void Dialog(harness::ModalWindow& window, double after);
    void NameEntry(harness::ModalWindow& window, double after);
    void YesNo(harness::ModalWindow& window, double after);
    void Box(harness::ModalWindow& window, double after);

    platform::headless::HeadlessHost& host_;
    harness::HeadlessInput input_;
    Random& random_;
    std::map<HWND, double> answered_at_;
    bool closing_ = false;
    int64_t names_typed_ = 0;
    int64_t dialogs_ = 0;
};

}  // namespace soak
