// ZF_TICK_LOG=FILE: one line for every timer message a window has handled, every sound started
// and every message box answered, each with the host's clock in milliseconds, so that a
// measurement can take the intervals between ticks and leave out the pauses between rounds.
// Written only when the environment asks for it; flushed every second and at the end.
//
//   <ms> tick <timer id> <window>
//   <ms> sound <name>
//   <ms> box <answer>
#pragma once

#include <cstdio>
#include <memory>

#include "platform/host.h"
#include "platform/session.h"

namespace platform {

class TickLog : public Observer {
  public:
    // The log ZF_TICK_LOG names; nullptr when it names none or the file cannot be made.
    static std::unique_ptr<TickLog> FromEnvironment(Host& host);
    ~TickLog() override;
    TickLog(const TickLog&) = delete;
    TickLog& operator=(const TickLog&) = delete;

    void MessageHandled(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) override;
    void SoundStarted(LPCSTR name, UINT flags) override;
    void MessageBoxEnded(HWND owner, LPCSTR text, LPCSTR caption, UINT type, int answer) override;

  private:
    TickLog(Host& host, std::FILE* file) : host_(host), file_(file) {}

    Host& host_;
    std::FILE* file_;
    double flushed_at_ = 0;
};

}  // namespace platform
