#include "platform/host/headless/program_runner.h"

#include <limits>

namespace platform::headless {

ProgramRunner::ProgramRunner(HeadlessHost& host, EntryPoint entry)
    : host_(host), entry_(std::move(entry)) {}

ProgramRunner::~ProgramRunner() {
    if (started_ && !finished_) Quit();
    if (thread_.joinable()) thread_.join();
    host_.SetLimit(std::numeric_limits<double>::infinity());
    host_.RequestQuit(false);
}

bool ProgramRunner::RunUntil(double ms) {
    if (finished_) return false;
    host_.SetLimit(ms);
    if (!started_) {
        started_ = true;
        host_.GiveProgramTurn([this] {
            thread_ = std::thread([this] {
                exit_code_ = entry_();
                finished_ = true;
                host_.ProgramFinished();
            });
        });
    } else {
        host_.GiveProgramTurn(nullptr);
    }
    return !finished_;
}

bool ProgramRunner::RunToEnd(double limit_ms) {
    return !RunUntil(limit_ms);
}

int ProgramRunner::Quit() {
    host_.RequestQuit();
    host_.SetLimit(std::numeric_limits<double>::infinity());
    if (!started_) return exit_code_;
    while (!finished_) host_.GiveProgramTurn(nullptr);
    return exit_code_;
}

}  // namespace platform::headless
