// zandrofel-replay SEED SCRIPT: plays the game headless from a script and prints what
// happened, one line per event. See script.h for the script and replay.h for the lines.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "harness/program_runner.h"
#include "harness/test_support.h"
#include "platform/host/headless/headless_host.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "tools/replay/replay.h"
#include "tools/replay/script.h"

namespace {

// A run that never reaches its first paint still ends, after this much virtual time.
constexpr double kGiveUpMs = 10 * 60 * 1000;

int Usage() {
    std::fprintf(stderr, "usage: zandrofel-replay SEED SCRIPT\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return Usage();
    char* end = nullptr;
    long long seed = std::strtoll(argv[1], &end, 10);
    if (!*argv[1] || *end || seed < 0) return Usage();
    std::ifstream file(argv[2], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "zandrofel-replay: cannot read %s\n", argv[2]);
        return 2;
    }
    std::stringstream text;
    text << file.rdbuf();
    std::string error;
    std::optional<replay::Script> script = replay::ParseScript(text.str(), &error);
    if (!script) {
        std::fprintf(stderr, "zandrofel-replay: %s: %s\n", argv[2], error.c_str());
        return 2;
    }

    harness::HeadlessSession env(platform::ModuleResources(), "zandrofel");
    platform::headless::HeadlessHost& host = env.host;
    host.SetCalendarSeconds(seed);
    replay::Replay replay(host, std::move(*script));
    env.session.AddObserver(&replay);
    env.answers.Answer(
        "", [&replay](harness::ModalWindow& window) { replay.Answer(window); },
        harness::ModalAnswers::Times::kEvery);
    host.Call(kGiveUpMs, [&host, &replay] {
        if (!replay.painted()) harness::QuitEveryWait(host);
    });
    harness::RunWinMain();
    env.session.RemoveObserver(&replay);
    replay.Write(std::cout);
    return 0;
}
