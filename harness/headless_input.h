// Answers' input as the headless host's scripted events, for the host window showing each
// top-level window.
#pragma once

#include "harness/modal_answers.h"
#include "platform/host/headless/headless_host.h"

namespace harness {

class HeadlessInput : public WindowInput {
  public:
    explicit HeadlessInput(platform::headless::HeadlessHost& host) : host_(host) {}

    double Now() override { return host_.NowMs(); }
    void Click(HWND window, POINT point, double at_ms) override;
    void PressKey(HWND window, int virtual_key, double at_ms, bool shift) override;
    void TypeText(HWND window, const std::string& text, double at_ms) override;
    void RequestClose(HWND window, double at_ms) override;

  private:
    platform::headless::HeadlessHost& host_;
};

}  // namespace harness
