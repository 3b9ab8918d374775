// Fingers in, clicks and arrow keys out: each case is a script of what the page reported and
// the actions it must give, written as "click x,y", "right x,y", "down k", "repeat k", "up k"
// (k: 37 left, 38 up, 39 right, 40 down).
#include "platform/host/web/touch_gestures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::web::TouchAction;
using platform::web::TouchGestures;

struct Step {
    char what;  // d(own), m(ove), u(p), c(ancel), a(dvance)
    double x, y, ms;
    int finger = 1;
};

std::string Describe(const std::vector<TouchAction>& actions) {
    std::string text;
    for (const TouchAction& action : actions) {
        if (!text.empty()) text += "; ";
        switch (action.kind) {
            case TouchAction::Kind::kClick:
            case TouchAction::Kind::kRightClick:
                text += action.kind == TouchAction::Kind::kClick ? "click " : "right ";
                text += std::to_string(int(action.x)) + "," + std::to_string(int(action.y));
                break;
            case TouchAction::Kind::kKeyDown:
                text += (action.repeat ? "repeat " : "down ") + std::to_string(action.virtual_key);
                break;
            case TouchAction::Kind::kKeyUp:
                text += "up " + std::to_string(action.virtual_key);
                break;
        }
    }
    return text;
}

std::string Play(const std::vector<Step>& steps) {
    TouchGestures gestures;
    std::vector<TouchAction> all;
    for (const Step& step : steps) {
        std::vector<TouchAction> some;
        switch (step.what) {
            case 'd':
                some = gestures.Down(step.finger, step.x, step.y, step.ms);
                break;
            case 'm':
                some = gestures.Move(step.finger, step.x, step.y, step.ms);
                break;
            case 'u':
                some = gestures.Up(step.finger, step.x, step.y, step.ms);
                break;
            case 'c':
                some = gestures.Cancel(step.finger);
                break;
            default:
                some = gestures.Advance(step.ms);
                break;
        }
        all.insert(all.end(), some.begin(), some.end());
    }
    return Describe(all);
}

struct Case {
    const char* name;
    std::vector<Step> steps;
    const char* actions;
};

TEST(TouchGestures, FingersBecomeClicksAndArrows) {
    const Case cases[] = {
        {"a tap clicks once where it landed",
         {{'d', 100, 50, 0}, {'m', 104, 53, 40}, {'u', 106, 55, 120}, {'a', 0, 0, 900}},
         "click 100,50"},
        {"a finger that wandered and came back is no tap",
         {{'d', 0, 0, 0}, {'m', 15, 0, 50}, {'u', 2, 0, 100}},
         ""},
        {"a long press is a right click as the time is up",
         {{'d', 10, 20, 0},
          {'a', 0, 0, 499},
          {'a', 0, 0, 500},
          {'a', 0, 0, 900},
          {'u', 10, 20, 1200}},
         "right 10,20"},
        {"a long press no one looked at until the lift is still one",
         {{'d', 10, 20, 0}, {'u', 10, 20, 650}},
         "right 10,20"},
        {"a press that wandered is no long press",
         {{'d', 10, 20, 0}, {'m', 22, 20, 100}, {'a', 0, 0, 800}, {'u', 22, 20, 900}},
         ""},
        {"swipe up", {{'d', 50, 50, 0}, {'m', 52, 26, 60}, {'u', 52, 10, 90}}, "down 38; up 38"},
        {"swipe down", {{'d', 50, 50, 0}, {'m', 40, 80, 60}, {'u', 40, 90, 90}}, "down 40; up 40"},
        {"swipe left", {{'d', 50, 50, 0}, {'m', 20, 60, 60}, {'u', 10, 60, 90}}, "down 37; up 37"},
        {"swipe right", {{'d', 50, 50, 0}, {'m', 80, 35, 60}, {'u', 90, 35, 90}}, "down 39; up 39"},
        {"a flick the page saw no movement of",
         {{'d', 50, 50, 0}, {'u', 10, 55, 80}},
         "down 37; up 37"},
        {"a finger held after a swipe repeats as a held key, never in a burst",
         {{'d', 0, 0, 0},
          {'m', 0, 30, 50},
          {'a', 0, 0, 549},
          {'a', 0, 0, 550},
          {'a', 0, 0, 560},
          {'a', 0, 0, 1000},
          {'u', 0, 30, 1010},
          {'a', 0, 0, 2000}},
         "down 40; repeat 40; repeat 40; up 40"},
        {"a held finger that strokes another way turns",
         {{'d', 0, 0, 0},
          {'m', 30, 0, 50},
          {'m', 60, 0, 80},
          {'m', 60, -10, 90},
          {'m', 60, -30, 120},
          {'u', 60, -30, 150}},
         "down 39; up 39; down 38; up 38"},
        {"a second finger is ignored until the first lifts",
         {{'d', 5, 5, 0, 1},
          {'d', 300, 300, 10, 2},
          {'m', 300, 200, 20, 2},
          {'u', 300, 200, 30, 2},
          {'u', 5, 5, 40, 1},
          {'d', 7, 7, 100, 2},
          {'u', 7, 7, 140, 2}},
         "click 5,5; click 7,7"},
        {"a cancelled swipe lets its arrow go; a cancelled press does nothing",
         {{'d', 0, 0, 0},
          {'m', -30, 0, 40},
          {'c', 0, 0, 50},
          {'d', 0, 0, 60},
          {'c', 0, 0, 70},
          {'a', 0, 0, 1000},
          {'u', 0, 0, 1100}},
         "down 37; up 37"},
    };
    for (const Case& c : cases) EXPECT_EQ(Play(c.steps), c.actions) << c.name;
}

TEST(TouchGestures, TheHostIsWokenForTheLongPressAndEachRepeat) {
    TouchGestures gestures;
    EXPECT_EQ(gestures.NextDeadlineMs(), std::numeric_limits<double>::infinity());
    gestures.Down(1, 0, 0, 100);
    EXPECT_EQ(gestures.NextDeadlineMs(), 600);
    gestures.Move(1, 0, -40, 150);
    EXPECT_EQ(gestures.NextDeadlineMs(), 650);
    gestures.Advance(650);
    EXPECT_DOUBLE_EQ(gestures.NextDeadlineMs(), 650 + 1000.0 / 30);
    gestures.Up(1, 0, -40, 700);
    EXPECT_EQ(gestures.NextDeadlineMs(), std::numeric_limits<double>::infinity());
}

}  // namespace
