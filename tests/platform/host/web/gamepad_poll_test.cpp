// Pads polled, keys out: each case is a script of readings (or a look at the clock alone) and
// the actions they must give, written as "down k", "char k" (a key that also types), "repeat k",
// "up k" and "fullscreen" (k: 13 Enter, 27 Escape, 37 left, 38 up, 39 right, 40 down).
#include "platform/host/web/gamepad_poll.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::web::GamepadPoll;
using platform::web::PadAction;
using platform::web::PadReading;

struct Step {
    double ms;
    std::vector<PadReading> pads;  // every pad plugged in; none: only the clock moves
    bool poll = true;
    const char* expect = "";
};

std::string Describe(const std::vector<PadAction>& actions) {
    std::string text;
    for (const PadAction& action : actions) {
        if (!text.empty()) text += "; ";
        if (action.kind == PadAction::Kind::kFullscreen) {
            text += "fullscreen";
            continue;
        }
        text += action.kind == PadAction::Kind::kKeyUp ? "up "
                : action.repeat                        ? "repeat "
                : action.character                     ? "char "
                                                       : "down ";
        text += std::to_string(action.virtual_key);
    }
    return text;
}

constexpr int kFull = 32767;
const PadReading kIdle{.pad = 0};

TEST(GamepadPoll, ReadingsBecomeTheDesktopControllersKeys) {
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"the d-pad repeats as a held key, then lets go",
         {{0, {{.pad = 0, .buttons = PadReading::kUp}}, true, "down 38"},
          {499, {}, false, ""},
          {500, {}, false, "repeat 38"},
          {520, {{.pad = 0, .buttons = PadReading::kUp}}, true, ""},
          {540, {kIdle}, true, "up 38"}}},
        {"the stick presses past half way and lets go below a quarter",
         {{0, {{.pad = 0, .x = kFull / 2 - 100}}, true, ""},
          {10, {{.pad = 0, .x = kFull}}, true, "down 39"},
          {20, {{.pad = 0, .x = kFull / 3}}, true, ""},
          {30, {{.pad = 0, .x = kFull / 5}}, true, "up 39"},
          {40, {{.pad = 0, .y = -kFull}}, true, "down 38"}}},
        {"A is Enter, B is Escape, Start asks for fullscreen once",
         {{0,
           {{.pad = 0, .buttons = PadReading::kA | PadReading::kStart}},
           true,
           "char 13; fullscreen"},
          {10,
           {{.pad = 0, .buttons = PadReading::kB | PadReading::kStart}},
           true,
           "up 13; char 27"},
          {20, {kIdle}, true, "up 27"}}},
        {"a pad that goes lets go of all it held, another one goes on",
         {{0,
           {{.pad = 0, .buttons = PadReading::kLeft | PadReading::kA}, {.pad = 3}},
           true,
           "down 37; char 13"},
          {10, {{.pad = 3, .buttons = PadReading::kDown}}, true, "down 40; up 37; up 13"}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        GamepadPoll poll;
        for (const Step& step : test.steps) {
            std::vector<PadAction> actions;
            if (step.poll) actions = poll.Read(step.pads, step.ms);
            for (const PadAction& repeat : poll.Repeat(step.ms)) actions.push_back(repeat);
            EXPECT_EQ(Describe(actions), step.expect) << "at " << step.ms << " ms";
        }
    }
}

}  // namespace
