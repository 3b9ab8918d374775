// Gamepads through SDL's virtual joystick: no hardware is needed. The host turns the pad into
// the keys a player would press, with the keyboard's repeat.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/host/sdl/sdl_host.h"
#include "tests/platform/host/sdl/dummy_host.h"

namespace platform::sdl {
namespace {

class Gamepad : public ::testing::Test {
  protected:
    void SetUp() override {
        // Events of a pad reach a program whose window SDL thinks has no focus (the dummy
        // driver has no focus at all).
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        host_ = StartDummyHost(4, 3, &window_);
        ASSERT_TRUE(host_);
        Plug();
    }
    void TearDown() override {
        if (joystick_) SDL_JoystickClose(joystick_);
        if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
    }

    void Plug() {
        SDL_VirtualJoystickDesc pad;
        SDL_zero(pad);
        pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        pad.naxes = SDL_CONTROLLER_AXIS_MAX;
        pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        pad.name = "Test Pad";
        index_ = SDL_JoystickAttachVirtualEx(&pad);
        ASSERT_GE(index_, 0) << SDL_GetError();
        joystick_ = SDL_JoystickOpen(index_);
        ASSERT_NE(joystick_, nullptr);
        Drain(50);  // the host opens the pad as it is announced
    }

    // Every event that arrives within `ms`.
    std::vector<HostEvent> Drain(double ms) {
        std::vector<HostEvent> events;
        double until = host_->NowMs() + ms;
        HostEvent event;
        while (host_->WaitEvent(until, &event)) events.push_back(event);
        return events;
    }
    // Waits for the next event (at most `ms`), stamping when it came.
    bool Next(double ms, HostEvent* event, double* at) {
        bool got = host_->WaitEvent(host_->NowMs() + ms, event);
        *at = host_->NowMs();
        return got;
    }
    void Button(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
    }

    std::unique_ptr<SdlHost> host_;
    HostWindowId window_ = 0;
    int index_ = -1;
    SDL_Joystick* joystick_ = nullptr;
};

TEST_F(Gamepad, TheDpadIsAnArrowKeyWithTheKeyboardsRepeat) {
    double pressed = host_->NowMs();
    Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    HostEvent event;
    double at = 0;
    ASSERT_TRUE(Next(100, &event, &at));
    EXPECT_EQ(event.type, HostEventType::kKeyDown);
    EXPECT_EQ(event.window, window_);
    EXPECT_EQ(event.virtual_key, 0x26);
    EXPECT_FALSE(event.repeat);

    ASSERT_TRUE(Next(1000, &event, &at));
    EXPECT_TRUE(event.repeat);
    EXPECT_EQ(event.virtual_key, 0x26);
    EXPECT_GE(at - pressed, GamepadInput::kFirstRepeatMs);
    // Then about 30 a second: count those within a third of a second.
    std::vector<HostEvent> repeats = Drain(1000.0 / 3);
    EXPECT_GE(repeats.size(), 7u);
    EXPECT_LE(repeats.size(), 11u);

    Button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    std::vector<HostEvent> after = Drain(100);
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.back().type, HostEventType::kKeyUp);
    EXPECT_TRUE(Drain(100).empty()) << "the repeat went on after the release";
}

TEST_F(Gamepad, TheStickIsArrowsAndAIsEnterAndBIsEscape) {
    struct Case {
        SDL_GameControllerAxis axis;
        Sint16 value;
        int virtual_key;
    };
    for (const Case& c : std::initializer_list<Case>{{SDL_CONTROLLER_AXIS_LEFTX, -32768, 0x25},
                                                     {SDL_CONTROLLER_AXIS_LEFTX, 32767, 0x27},
                                                     {SDL_CONTROLLER_AXIS_LEFTY, -32768, 0x26},
                                                     {SDL_CONTROLLER_AXIS_LEFTY, 30000, 0x28}}) {
        SDL_JoystickSetVirtualAxis(joystick_, c.axis, c.value);
        std::vector<HostEvent> pushed = Drain(30);
        ASSERT_EQ(pushed.size(), 1u) << c.axis << " " << c.value;
        EXPECT_EQ(pushed[0].type, HostEventType::kKeyDown);
        EXPECT_EQ(pushed[0].virtual_key, c.virtual_key);
        SDL_JoystickSetVirtualAxis(joystick_, c.axis, c.value / 5);  // past the dead zone
        std::vector<HostEvent> back = Drain(30);
        ASSERT_EQ(back.size(), 1u);
        EXPECT_EQ(back[0].type, HostEventType::kKeyUp);
        EXPECT_EQ(back[0].virtual_key, c.virtual_key);
    }

    struct Press {
        SDL_GameControllerButton button;
        int virtual_key;
    };
    for (const Press& p : std::initializer_list<Press>{{SDL_CONTROLLER_BUTTON_A, 0x0D},
                                                       {SDL_CONTROLLER_BUTTON_B, 0x1B}}) {
        Button(p.button, true);
        std::vector<HostEvent> events = Drain(30);
        Button(p.button, false);
        for (const HostEvent& event : Drain(30)) events.push_back(event);
        ASSERT_EQ(events.size(), 3u);
        EXPECT_EQ(events[0].type, HostEventType::kKeyDown);
        EXPECT_EQ(events[0].virtual_key, p.virtual_key);
        EXPECT_EQ(events[1].type, HostEventType::kChar);
        EXPECT_EQ(events[1].character, p.virtual_key);  // Enter 13, Escape 27
        EXPECT_EQ(events[2].type, HostEventType::kKeyUp);
    }
}

TEST_F(Gamepad, UnpluggingReleasesAHeldDirection) {
    Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    std::vector<HostEvent> down = Drain(30);
    ASSERT_EQ(down.size(), 1u);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    ASSERT_EQ(SDL_JoystickDetachVirtual(index_), 0);
    index_ = -1;
    std::vector<HostEvent> gone = Drain(50);
    ASSERT_EQ(gone.size(), 1u);
    EXPECT_EQ(gone[0].type, HostEventType::kKeyUp);
    EXPECT_EQ(gone[0].virtual_key, 0x25);
    EXPECT_TRUE(Drain(GamepadInput::kFirstRepeatMs + 50).empty());
}

TEST_F(Gamepad, StartTogglesFullscreenAndReachesNoWindow) {
    int width = 0, height = 0;
    Button(SDL_CONTROLLER_BUTTON_START, true);
    for (const HostEvent& event : Drain(30)) EXPECT_EQ(event.type, HostEventType::kExposed);
    Button(SDL_CONTROLLER_BUTTON_START, false);
    EXPECT_TRUE(Drain(30).empty());
    SDL_GetWindowSize(host_->SdlWindow(window_), &width, &height);
    EXPECT_GT(width, 4);
    Button(SDL_CONTROLLER_BUTTON_START, true);
    Drain(30);
    Button(SDL_CONTROLLER_BUTTON_START, false);
    Drain(30);
    SDL_GetWindowSize(host_->SdlWindow(window_), &width, &height);
    EXPECT_EQ(width, 4);
}

}  // namespace
}  // namespace platform::sdl
