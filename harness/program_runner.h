// Runs a program's entry point on a thread of its own over the headless host, so a test can
// stop it at a virtual time, look at it, script more input and let it go on. Only one of the
// two threads runs at any moment, so the run stays deterministic.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/host/headless/headless_host.h"
#include "platform/win32.h"

namespace harness {

class ProgramRunner {
  public:
    using EntryPoint = std::function<int()>;

    // The session must already exist; `entry` is usually the framework's WinMain.
    ProgramRunner(platform::headless::HeadlessHost& host, EntryPoint entry);
    // A program still running is told to quit (every wait finds WM_QUIT) and is joined.
    ~ProgramRunner();
    ProgramRunner(const ProgramRunner&) = delete;
    ProgramRunner& operator=(const ProgramRunner&) = delete;

    // Runs until the virtual clock reaches `ms` or the program ends; true while it runs.
    bool RunUntil(double ms);
    // Runs until the program ends, but not past `limit_ms`; true when it ended.
    bool RunToEnd(double limit_ms);
    // Makes the program quit and waits for it; its exit code.
    int Quit();

    bool finished() const { return finished_; }
    int exit_code() const { return exit_code_; }

  private:
    // The test's thread hands the turn to the program's and waits for it back.
    void GiveProgramTurn();
    // The program's thread, stopped at the limit, hands the turn back and waits for it.
    void Park();
    void Finished();

    platform::headless::HeadlessHost& host_;
    EntryPoint entry_;
    std::thread thread_;
    bool started_ = false;
    bool finished_ = false;
    int exit_code_ = 0;

    std::mutex mutex_;
    std::condition_variable turn_changed_;
    enum class Turn { kTest, kProgram } turn_ = Turn::kTest;
};

// Makes every later wait of the program find WM_QUIT, so that it ends from whatever loop (the
// main one or a modal one) it is in.
void QuitEveryWait(platform::headless::HeadlessHost& host);

// Calls WinMain the way the real host's main does.
inline int RunWinMain(int show_command = SW_SHOWNORMAL) {
    char command_line[] = "";
    return WinMain(GetModuleHandleA(nullptr), nullptr, command_line, show_command);
}

}  // namespace harness
