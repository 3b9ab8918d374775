// Watches the game run on the headless host and writes down what happened, one line per event:
// ticks with the world after them, inputs as they are delivered, paints, sounds, message boxes
// and dialogs with their answers. Times are virtual milliseconds since the main window's first
// paint. It also delivers the script's input and answers every modal window the moment it opens.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "harness/modal_answers.h"
#include "platform/host/headless/headless_host.h"
#include "platform/session.h"
#include "tools/replay/script.h"

namespace replay {

class Replay : public platform::Observer {
  public:
    Replay(platform::headless::HeadlessHost& host, Script script);

    void MessageHandled(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) override;
    void SoundStarted(LPCSTR name, UINT flags) override;
    void MessageBoxEnded(HWND owner, LPCSTR text, LPCSTR caption, UINT type, int answer) override;
    void DialogEnded(LPCDLGTEMPLATEA dialog_template, INT_PTR result) override;

    void Answer(harness::ModalWindow& window);
    bool painted() const { return painted_; }
    // Every line, with times taken from the first paint (or from the start if there was none).
    void Write(std::ostream& out) const;

  private:
    struct Line {
        double at_ms;
        std::string kind;
        std::string rest;
    };
    void Add(const char* kind, std::string rest);
    void OnFirstPaint();
    void Deliver(const Input& input);
    HWND MainWindow() const;

    platform::headless::HeadlessHost& host_;
    Script script_;
    std::vector<Line> lines_;
    bool painted_ = false;
    double first_paint_ms_ = 0;
};

}  // namespace replay
