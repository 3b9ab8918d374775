#include "harness/program_runner.h"

#include <limits>

namespace harness {

namespace {
constexpr double kNoLimit = std::numeric_limits<double>::infinity();
}  // namespace

void QuitEveryWait(platform::headless::HeadlessHost& host) {
    host.SetWaitGate([] {
        PostQuitMessage(0);
        return false;
    });
}

ProgramRunner::ProgramRunner(platform::headless::HeadlessHost& host, EntryPoint entry)
    : host_(host), entry_(std::move(entry)) {}

ProgramRunner::~ProgramRunner() {
    if (started_ && !finished_) Quit();
    if (thread_.joinable()) thread_.join();
    host_.SetLimit(kNoLimit, nullptr);
    host_.SetWaitGate(nullptr);
}

bool ProgramRunner::RunUntil(double ms) {
    if (finished_) return false;
    host_.SetLimit(ms, [this] { Park(); });
    GiveProgramTurn();
    return !finished_;
}

bool ProgramRunner::RunToEnd(double limit_ms) {
    return !RunUntil(limit_ms);
}

int ProgramRunner::Quit() {
    QuitEveryWait(host_);
    host_.SetLimit(kNoLimit, [this] { Park(); });
    if (!started_) return exit_code_;
    while (!finished_) GiveProgramTurn();
    return exit_code_;
}

void ProgramRunner::GiveProgramTurn() {
    std::unique_lock lock(mutex_);
    turn_ = Turn::kProgram;
    turn_changed_.notify_all();
    if (!started_) {
        started_ = true;
        thread_ = std::thread([this] {
            {
                // The program starts once the test's thread waits.
                std::unique_lock program_lock(mutex_);
                turn_changed_.wait(program_lock, [&] { return turn_ == Turn::kProgram; });
            }
            int code = entry_();
            exit_code_ = code;
            Finished();
        });
    }
    turn_changed_.wait(lock, [&] { return turn_ == Turn::kTest; });
}

void ProgramRunner::Finished() {
    std::lock_guard lock(mutex_);
    finished_ = true;
    turn_ = Turn::kTest;
    turn_changed_.notify_all();
}

void ProgramRunner::Park() {
    std::unique_lock lock(mutex_);
    turn_ = Turn::kTest;
    turn_changed_.notify_all();
    turn_changed_.wait(lock, [&] { return turn_ == Turn::kProgram; });
}

}  // namespace harness
