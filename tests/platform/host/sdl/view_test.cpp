// Scaling, fullscreen and the host's own keys: the arithmetic of viewports and densities, the
// keys the translator keeps from the program, and the host on SDL's dummy video driver
// presenting magnified pixels and mapping clicks back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <string>

#include "platform/host/sdl/display_connection.h"
#include "platform/host/sdl/event_translator.h"
#include "platform/host/sdl/sdl_host.h"
#include "platform/host/sdl/viewport.h"
#include "tests/platform/host/sdl/dummy_host.h"

namespace platform::sdl {
namespace {

TEST(Viewport, MapsWindowPixelsToClientPixelsAndDropsBars) {
    Viewport doubled{.scale = 2, .client_width = 10, .client_height = 5};
    Viewport barred{
        .scale = 3, .left = 7, .top = 4, .client_width = 10, .client_height = 5, .bars = true};
    struct Case {
        const Viewport* view;
        int x, y;
        bool inside;
        int client_x, client_y;
    };
    for (const Case& c : std::initializer_list<Case>{
             {&doubled, 0, 0, true, 0, 0},
             {&doubled, 1, 1, true, 0, 0},
             {&doubled, 19, 9, true, 9, 4},
             {&doubled, -1, -3, true, -1, -2},  // a drag past the edge keeps going
             {&barred, 7, 4, true, 0, 0},
             {&barred, 36, 18, true, 9, 4},
             {&barred, 6, 10, false, -1, 2},
             {&barred, 37, 10, false, 10, 2},
             {&barred, 20, 19, false, 4, 5},
         }) {
        int x = 99, y = 99;
        EXPECT_EQ(c.view->ToClient(c.x, c.y, &x, &y), c.inside) << c.x << "," << c.y;
        EXPECT_EQ(x, c.client_x) << c.x;
        EXPECT_EQ(y, c.client_y) << c.y;
    }
}

TEST(Viewport, CentresAtTheLargestWholeScaleThatFits) {
    struct Case {
        int screen_width, screen_height, scale, left, top;
    };
    for (const Case& c : std::initializer_list<Case>{
             {2560, 1600, 2, 492, 231},
             {3840, 2160, 3, 738, 226},
             {1280, 1024, 1, 246, 227},
             {700, 500, 1, -44, -34},  // too small: shown at 1, cut at the edges
         }) {
        Viewport view = Viewport::Centred(788, 569, c.screen_width, c.screen_height);
        EXPECT_EQ(view.scale, c.scale) << c.screen_width;
        EXPECT_EQ(view.left, c.left) << c.screen_width;
        EXPECT_EQ(view.top, c.top) << c.screen_width;
        EXPECT_TRUE(view.bars);
    }
}

TEST(Density, OrdinaryScreensStayAtOneAndDenseOnesTakeTheNearestMultiple) {
    struct Case {
        double dpi;
        int scale;
    };
    for (const Case& c : std::initializer_list<Case>{{0, 1},
                                                     {72, 1},
                                                     {96, 1},
                                                     {120, 1},
                                                     {143.9, 1},
                                                     {144, 2},
                                                     {192, 2},
                                                     {239, 2},
                                                     {240, 3},
                                                     {288, 3},
                                                     {384, 4}}) {
        EXPECT_EQ(DensityScale(c.dpi), c.scale) << c.dpi;
    }
}

TEST(Density, ReadsXftDpiFromTheResourceString) {
    EXPECT_EQ(XftDpiIn("Xft.dpi:\t192\n"), 192);
    EXPECT_EQ(XftDpiIn("Xcursor.size:\t24\nXft.dpi:   144.5\nXft.hinting: 1\n"), 144.5);
    EXPECT_EQ(XftDpiIn("Xcursor.size:\t24\n"), 0);
    EXPECT_EQ(XftDpiIn("MyXft.dpi: 200\n"), 0);  // only the whole name counts
    EXPECT_EQ(XftDpiIn("Xft.dpi: -5\n"), 0);
    EXPECT_EQ(XftDpiIn(""), 0);
    EXPECT_EQ(XftDpiIn(nullptr), 0);
}

TEST(HostKeys, ScaleAndFullscreenKeysAndNothingElse) {
    struct Case {
        SDL_Keycode key;
        Uint16 mod;
        HostCommand command;
    };
    for (const Case& c : std::initializer_list<Case>{
             {SDLK_PLUS, KMOD_LCTRL, HostCommand::kScaleUp},
             {SDLK_EQUALS, KMOD_RCTRL | KMOD_SHIFT, HostCommand::kScaleUp},
             {SDLK_KP_PLUS, KMOD_LCTRL, HostCommand::kScaleUp},
             {SDLK_MINUS, KMOD_LCTRL, HostCommand::kScaleDown},
             {SDLK_KP_MINUS, KMOD_LCTRL, HostCommand::kScaleDown},
             {SDLK_0, KMOD_LCTRL, HostCommand::kScaleReset},
             {SDLK_KP_0, KMOD_RCTRL, HostCommand::kScaleReset},
             {SDLK_RETURN, KMOD_LALT, HostCommand::kToggleFullscreen},
             {SDLK_KP_ENTER, KMOD_RALT, HostCommand::kToggleFullscreen},
             {SDLK_F11, 0, HostCommand::kToggleFullscreen},
             {SDLK_MINUS, 0, HostCommand::kNone},
             {SDLK_0, KMOD_SHIFT, HostCommand::kNone},
             {SDLK_MINUS, KMOD_LCTRL | KMOD_LALT, HostCommand::kNone},
             {SDLK_RETURN, 0, HostCommand::kNone},
             {SDLK_RETURN, KMOD_LCTRL | KMOD_LALT, HostCommand::kNone},
             {SDLK_F11, KMOD_LCTRL, HostCommand::kNone},
             {SDLK_a, KMOD_LCTRL, HostCommand::kNone},
         }) {
        EXPECT_EQ(HostCommandFor(c.key, c.mod), c.command) << c.key << " " << c.mod;
    }
}

class ViewTranslation : public ::testing::Test {
  protected:
    void SetUp() override {
        windows_.Add(1, 100);
        windows_.SetViewport(1, Viewport{.scale = 2,
                                         .left = 10,
                                         .top = 20,
                                         .client_width = 50,
                                         .client_height = 40,
                                         .bars = true});
    }
    std::deque<HostEvent> Translate(const SDL_Event& event) {
        std::deque<HostEvent> out;
        translator_.Translate(event, &out);
        return out;
    }
    static SDL_Event Key(Uint32 type, SDL_Keycode key, Uint16 mod) {
        SDL_Event event{};
        event.key.type = type;
        event.key.windowID = 100;
        event.key.keysym.sym = key;
        event.key.keysym.mod = mod;
        return event;
    }
    static SDL_Event Text(const char* text) {
        SDL_Event event{};
        event.text.type = SDL_TEXTINPUT;
        event.text.windowID = 100;
        std::snprintf(event.text.text, sizeof event.text.text, "%s", text);
        return event;
    }
    static SDL_Event Button(Uint32 type, int x, int y) {
        SDL_Event event{};
        event.button.type = type;
        event.button.windowID = 100;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.x = x;
        event.button.y = y;
        return event;
    }

    WindowDirectory windows_;
    EventTranslator translator_{windows_};
};

TEST_F(ViewTranslation, HostKeysReachTheHostAloneFromPressToRelease) {
    EXPECT_TRUE(Translate(Key(SDL_KEYDOWN, SDLK_EQUALS, KMOD_LCTRL)).empty());
    EXPECT_TRUE(Translate(Text("=")).empty());
    SDL_Event repeat = Key(SDL_KEYDOWN, SDLK_EQUALS, KMOD_LCTRL);
    repeat.key.repeat = 1;
    EXPECT_TRUE(Translate(repeat).empty());
    EXPECT_TRUE(Translate(Key(SDL_KEYUP, SDLK_EQUALS, 0)).empty());  // Ctrl let go first
    EXPECT_TRUE(Translate(Key(SDL_KEYDOWN, SDLK_F11, 0)).empty());
    EXPECT_TRUE(Translate(Key(SDL_KEYUP, SDLK_F11, 0)).empty());
    std::vector<HostCommand> commands = translator_.TakeCommands();
    EXPECT_EQ(commands,
              (std::vector<HostCommand>{HostCommand::kScaleUp, HostCommand::kToggleFullscreen}));
    EXPECT_TRUE(translator_.TakeCommands().empty());

    // Afterwards the same keys are the program's again.
    EXPECT_EQ(Translate(Key(SDL_KEYDOWN, SDLK_EQUALS, 0)).size(), 1u);
    EXPECT_EQ(Translate(Text("=")).size(), 1u);
    EXPECT_EQ(Translate(Key(SDL_KEYUP, SDLK_EQUALS, 0)).size(), 1u);
}

TEST_F(ViewTranslation, ClicksAreMappedToClientPixelsAndBarsTakeNone) {
    auto inside = Translate(Button(SDL_MOUSEBUTTONDOWN, 10 + 2 * 49 + 1, 20 + 2 * 3));
    ASSERT_EQ(inside.size(), 1u);
    EXPECT_EQ(inside[0].x, 49);
    EXPECT_EQ(inside[0].y, 3);
    EXPECT_TRUE(Translate(Button(SDL_MOUSEBUTTONDOWN, 9, 30)).empty());
    EXPECT_TRUE(Translate(Button(SDL_MOUSEBUTTONUP, 10 + 100, 30)).empty());
    EXPECT_TRUE(Translate(Button(SDL_MOUSEBUTTONUP, 30, 20 + 80)).empty());
    SDL_Event motion{};
    motion.motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = 100;
    motion.motion.x = 13;
    motion.motion.y = 25;
    auto moved = Translate(motion);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].x, 1);
    EXPECT_EQ(moved[0].y, 2);
}

// The host itself, on the dummy driver (96 dpi, so it starts at 1), driven by its own keys.
class ScaledHost : public ::testing::Test {
  protected:
    void SetUp() override {
        // 5 wide, so no screen shape fits it exactly and fullscreen has bars.
        host_ = StartDummyHost(5, 3, &window_);
        ASSERT_TRUE(host_);
        pixels_ = Surface::Color(5, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) pixels_.SetPixel(x, y, 0x010000u * (y + 1) + x);
        host_->Present(window_, pixels_);
    }
    void TearDown() override {
        if (host_) host_->DestroyWindow(window_);
    }

    void PressHostKey(SDL_Keycode key, Uint16 mod) {
        for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
            SDL_Event event{};
            event.key.type = type;
            event.key.windowID = SDL_GetWindowID(host_->SdlWindow(window_));
            event.key.keysym.sym = key;
            event.key.keysym.mod = mod;
            SDL_PushEvent(&event);
        }
    }
    // Takes events until the window system would have presented again after an expose.
    std::vector<HostEvent> Settle() {
        std::vector<HostEvent> events;
        HostEvent event;
        while (host_->WaitEvent(host_->NowMs() + 20, &event)) {
            events.push_back(event);
            if (event.type == HostEventType::kExposed) {
                pixels_.MarkDirty(0, 0, pixels_.width, pixels_.height);
                host_->Present(window_, pixels_);
                pixels_.ClearDirty();
            }
        }
        return events;
    }
    SDL_Surface* Screen() { return SDL_GetWindowSurface(host_->SdlWindow(window_)); }
    uint32_t ScreenPixel(int x, int y) {
        SDL_Surface* surface = Screen();
        return static_cast<const uint32_t*>(surface->pixels)[y * surface->pitch / 4 + x] & 0xFFFFFF;
    }
    void PushButton(int x, int y) {
        SDL_Event event{};
        event.button.type = SDL_MOUSEBUTTONDOWN;
        event.button.windowID = SDL_GetWindowID(host_->SdlWindow(window_));
        event.button.button = SDL_BUTTON_LEFT;
        event.button.x = x;
        event.button.y = y;
        SDL_PushEvent(&event);
    }

    std::unique_ptr<SdlHost> host_;
    HostWindowId window_ = 0;
    Surface pixels_;
};

TEST_F(ScaledHost, ScaleKeysMagnifyEveryPixelIntoASquareAndMapClicksBack) {
    EXPECT_EQ(host_->scale(), 1);
    EXPECT_TRUE(pixels_.DrawsIn(Screen()->pixels));
    PressHostKey(SDLK_EQUALS, KMOD_LCTRL);
    PressHostKey(SDLK_EQUALS, KMOD_LCTRL);
    for (const HostEvent& event : Settle())
        EXPECT_NE(event.type, HostEventType::kKeyDown) << "a host key reached the program";
    ASSERT_EQ(host_->scale(), 3);
    int width = 0, height = 0;
    SDL_GetWindowSize(host_->SdlWindow(window_), &width, &height);
    EXPECT_EQ(width, 15);
    EXPECT_EQ(height, 9);
    EXPECT_FALSE(pixels_.DrawsIn(Screen()->pixels));  // magnified pixels cannot be lent
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 15; ++x)
            ASSERT_EQ(ScreenPixel(x, y), pixels_.Pixel(x / 3, y / 3)) << x << "," << y;

    // A changed box is shown magnified, and only where it is.
    pixels_.SetPixel(2, 1, 0xABCDEF);
    pixels_.MarkDirty(2, 1, 3, 2);
    host_->Present(window_, pixels_);
    pixels_.ClearDirty();
    EXPECT_EQ(ScreenPixel(6, 3), 0xABCDEFu);
    EXPECT_EQ(ScreenPixel(8, 5), 0xABCDEFu);
    EXPECT_EQ(ScreenPixel(9, 5), pixels_.Pixel(3, 1));

    PushButton(3 * 3 + 2, 2 * 3);
    HostEvent click;
    ASSERT_TRUE(host_->WaitEvent(host_->NowMs() + 100, &click));
    EXPECT_EQ(click.type, HostEventType::kButtonDown);
    EXPECT_EQ(click.x, 3);
    EXPECT_EQ(click.y, 2);

    // Ctrl+0 goes back to the start-up scale; the pixels are lent again.
    PressHostKey(SDLK_0, KMOD_LCTRL);
    Settle();
    EXPECT_EQ(host_->scale(), 1);
    EXPECT_TRUE(pixels_.DrawsIn(Screen()->pixels));
    EXPECT_EQ(ScreenPixel(2, 1), 0xABCDEFu);
    PressHostKey(SDLK_MINUS, KMOD_LCTRL);  // never below 1
    Settle();
    EXPECT_EQ(host_->scale(), 1);
}

TEST_F(ScaledHost, NewWindowsOpenAtTheScaleWithTheirPositionsScaled) {
    PressHostKey(SDLK_KP_PLUS, KMOD_LCTRL);
    Settle();
    ASSERT_EQ(host_->scale(), 2);
    HostWindowId other = host_->CreateWindow(
        {.title = "Other", .client_width = 30, .client_height = 20, .x = 40, .y = 10});
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(host_->SdlWindow(other), &x, &y);
    SDL_GetWindowSize(host_->SdlWindow(other), &width, &height);
    EXPECT_EQ(x, 80);
    EXPECT_EQ(y, 20);
    EXPECT_EQ(width, 60);
    EXPECT_EQ(height, 40);
    SDL_Rect bounds;
    ASSERT_EQ(SDL_GetDisplayBounds(0, &bounds), 0);
    int screen_width = 0, screen_height = 0;
    host_->ScreenSize(&screen_width, &screen_height);
    EXPECT_EQ(screen_width, bounds.w / 2);  // the window system's screen is in its pixels
    host_->DestroyWindow(other);
}

TEST_F(ScaledHost, FullscreenCentresTheLargestMultipleBetweenBlackBarsAndComesBack) {
    int x = 0, y = 0;
    SDL_GetWindowPosition(host_->SdlWindow(window_), &x, &y);
    PressHostKey(SDLK_F11, 0);
    Settle();
    SDL_Rect bounds;
    ASSERT_EQ(SDL_GetDisplayBounds(0, &bounds), 0);
    SDL_Surface* screen = Screen();
    ASSERT_EQ(screen->w, bounds.w);
    ASSERT_EQ(screen->h, bounds.h);
    Viewport view = Viewport::Centred(5, 3, bounds.w, bounds.h);
    ASSERT_GT(view.left, 0);
    EXPECT_EQ(ScreenPixel(0, 0), 0u);
    EXPECT_EQ(ScreenPixel(view.left - 1, view.top), 0u);
    EXPECT_EQ(ScreenPixel(view.left, view.top), pixels_.Pixel(0, 0));
    EXPECT_EQ(ScreenPixel(view.left + view.scale * 5 - 1, view.top + view.scale * 3 - 1),
              pixels_.Pixel(4, 2));
    EXPECT_EQ(ScreenPixel(view.left + view.scale * 5, view.top), 0u);

    PushButton(view.left - 1, view.top);  // a bar
    PushButton(view.left + view.scale, view.top);
    HostEvent click;
    ASSERT_TRUE(host_->WaitEvent(host_->NowMs() + 100, &click));
    EXPECT_EQ(click.x, 1);
    EXPECT_EQ(click.y, 0);

    PressHostKey(SDLK_RETURN, KMOD_LALT);
    Settle();
    int width = 0, height = 0, back_x = 0, back_y = 0;
    SDL_GetWindowSize(host_->SdlWindow(window_), &width, &height);
    SDL_GetWindowPosition(host_->SdlWindow(window_), &back_x, &back_y);
    EXPECT_EQ(width, 5);
    EXPECT_EQ(height, 3);
    EXPECT_EQ(back_x, x);
    EXPECT_EQ(back_y, y);
    EXPECT_TRUE(pixels_.DrawsIn(Screen()->pixels));
}

TEST_F(ScaledHost, SizeChangesAreInClientPixelsAndFullscreenRecentresOnEither) {
    PressHostKey(SDLK_EQUALS, KMOD_LCTRL);
    Settle();
    ASSERT_EQ(host_->scale(), 2);
    SDL_SetWindowSize(host_->SdlWindow(window_), 14, 8);
    HostEvent resized;
    ASSERT_TRUE(host_->WaitEvent(host_->NowMs() + 100, &resized));
    EXPECT_EQ(resized.type, HostEventType::kResized);
    EXPECT_EQ(resized.width, 7);
    EXPECT_EQ(resized.height, 4);

    PressHostKey(SDLK_F11, 0);
    Settle();
    pixels_.Resize(9, 5);  // the window system's own size change, then the screen's
    host_->Present(window_, pixels_);
    SDL_Rect bounds;
    ASSERT_EQ(SDL_GetDisplayBounds(0, &bounds), 0);
    for (bool screen_changed : {false, true}) {
        int width = screen_changed ? bounds.w / 2 : bounds.w;
        int height = screen_changed ? bounds.h / 2 : bounds.h;
        if (screen_changed) {
            SDL_Event sized{};
            sized.window.type = SDL_WINDOWEVENT;
            sized.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
            sized.window.windowID = SDL_GetWindowID(host_->SdlWindow(window_));
            sized.window.data1 = width;
            sized.window.data2 = height;
            SDL_PushEvent(&sized);
            for (const HostEvent& event : Settle()) EXPECT_EQ(event.type, HostEventType::kExposed);
        }
        Viewport view = Viewport::Centred(9, 5, width, height);
        PushButton(view.left - 1, view.top);  // a bar
        PushButton(view.left + view.scale * 8, view.top + view.scale * 4);
        HostEvent click;
        ASSERT_TRUE(host_->WaitEvent(host_->NowMs() + 100, &click)) << screen_changed;
        EXPECT_EQ(click.x, 8) << screen_changed;
        EXPECT_EQ(click.y, 4) << screen_changed;
    }
}

}  // namespace
}  // namespace platform::sdl
