// The SDL host through the Host interface, on SDL's dummy video driver: windows, presenting,
// waiting and input. Real windows on a real X server are the end-to-end tests' business.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>
#include <thread>

#include "platform/host/sdl/sdl_host.h"

namespace platform::sdl {
namespace {

class SdlHostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::string problem;
        host_ = SdlHost::Create(&problem);
        ASSERT_TRUE(host_) << problem;
    }

    HostWindowId Open(int width, int height, HostWindowId owner = 0) {
        HostWindowParams spec{
            .title = "Test", .client_width = width, .client_height = height, .owner = owner};
        HostWindowId id = host().CreateWindow(spec);
        EXPECT_NE(id, 0u);
        host().ShowWindow(id, HostShow::kNormal);
        return id;
    }

    uint32_t ScreenPixel(HostWindowId window, int x, int y) {
        SDL_Surface* surface = SDL_GetWindowSurface(host_->SdlWindow(window));
        EXPECT_EQ(surface->format->format, SDL_PIXELFORMAT_RGB888);
        return static_cast<const uint32_t*>(surface->pixels)[y * surface->pitch / 4 + x] & 0xFFFFFF;
    }

    void PushWindowEvent(HostWindowId window, Uint8 what) {
        SDL_Event event{};
        event.window.type = SDL_WINDOWEVENT;
        event.window.event = what;
        event.window.windowID = SDL_GetWindowID(host_->SdlWindow(window));
        SDL_PushEvent(&event);
    }

    Host& host() { return *host_; }
    std::unique_ptr<SdlHost> host_;
};

void Fill(Surface* surface, uint32_t colour) {
    for (int y = 0; y < surface->height; ++y) std::fill_n(surface->Row(y), surface->width, colour);
}

Surface Filled(int width, int height, uint32_t colour) {
    Surface surface = Surface::Color(width, height);
    Fill(&surface, colour);
    return surface;
}

TEST_F(SdlHostTest, OnlyOneHostMayRunAtATime) {
    std::string problem;
    EXPECT_EQ(SdlHost::Create(&problem), nullptr);
    EXPECT_FALSE(problem.empty());
}

TEST_F(SdlHostTest, WindowsAreSizedToTheirClientAreaAndTitledInUtf8) {
    HostWindowId window =
        host().CreateWindow({.title = "Caf\xE9", .client_width = 788, .client_height = 569});
    int width = 0, height = 0;
    SDL_GetWindowSize(host_->SdlWindow(window), &width, &height);
    EXPECT_EQ(width, 788);
    EXPECT_EQ(height, 569);
    EXPECT_STREQ(SDL_GetWindowTitle(host_->SdlWindow(window)), "Caf\xC3\xA9");
    EXPECT_TRUE(SDL_GetWindowFlags(host_->SdlWindow(window)) & SDL_WINDOW_HIDDEN);
    host().SetTitle(window, "\x93Quoted\x94");
    EXPECT_STREQ(SDL_GetWindowTitle(host_->SdlWindow(window)), "\xE2\x80\x9CQuoted\xE2\x80\x9D");
    host().ShowWindow(window, HostShow::kNormal);
    EXPECT_FALSE(SDL_GetWindowFlags(host_->SdlWindow(window)) & SDL_WINDOW_HIDDEN);
    host().ShowWindow(window, HostShow::kHidden);
    EXPECT_TRUE(SDL_GetWindowFlags(host_->SdlWindow(window)) & SDL_WINDOW_HIDDEN);
    host().DestroyWindow(window);
    EXPECT_EQ(host_->SdlWindow(window), nullptr);
    host().DestroyWindow(window);  // a second time does nothing
}

TEST_F(SdlHostTest, AfterTheFirstPresentTheSurfaceDrawsStraightIntoTheWindow) {
    HostWindowId window = Open(8, 6);
    Surface pixels = Filled(8, 6, 0x112233);
    host().Present(window, pixels);  // the first present shows everything, dirty or not
    EXPECT_EQ(ScreenPixel(window, 0, 0), 0x112233u);
    EXPECT_EQ(ScreenPixel(window, 7, 5), 0x112233u);
    SDL_Surface* screen = SDL_GetWindowSurface(host_->SdlWindow(window));
    ASSERT_TRUE(pixels.DrawsIn(screen->pixels));

    pixels.SetPixel(3, 2, 0x445566);
    pixels.MarkDirty(3, 2, 4, 3);
    host().Present(window, pixels);
    EXPECT_EQ(ScreenPixel(window, 3, 2), 0x445566u);
    EXPECT_TRUE(pixels.DrawsIn(screen->pixels));

    // A copy owns its pixels: drawing in it leaves the window alone.
    Surface copy = pixels;
    EXPECT_FALSE(copy.DrawsIn(screen->pixels));
    copy.SetPixel(0, 0, 0xABCDEF);
    EXPECT_EQ(ScreenPixel(window, 0, 0), 0x112233u);
    EXPECT_EQ(copy.Pixel(3, 2), 0x445566u);

    // Destroying the window gives the pixels back before SDL's memory goes.
    const void* memory = screen->pixels;  // SDL frees the image with the window
    host().DestroyWindow(window);
    EXPECT_FALSE(pixels.DrawsIn(memory));
    EXPECT_EQ(pixels.Pixel(3, 2), 0x445566u);
    EXPECT_EQ(pixels.Pixel(7, 5), 0x112233u);
}

TEST_F(SdlHostTest, AMovedSurfaceOwnsItsPixelsAndAnotherSurfaceEndsTheLoan) {
    HostWindowId window = Open(8, 6);
    Surface pixels = Filled(8, 6, 0x010203);
    host().Present(window, pixels);
    SDL_Surface* screen = SDL_GetWindowSurface(host_->SdlWindow(window));
    Surface moved = std::move(pixels);  // the lent one keeps drawing on the screen
    EXPECT_FALSE(moved.DrawsIn(screen->pixels));
    moved.SetPixel(1, 1, 0x0000FF);
    EXPECT_EQ(ScreenPixel(window, 1, 1), 0x010203u);
    pixels.SetPixel(1, 1, 0x00FF00);
    EXPECT_EQ(ScreenPixel(window, 1, 1), 0x00FF00u);

    Surface other = Filled(8, 6, 0x00FF00);
    host().Present(window, other);  // a new surface: shown whole, the first one given back
    EXPECT_EQ(ScreenPixel(window, 7, 5), 0x00FF00u);
    EXPECT_FALSE(pixels.DrawsIn(screen->pixels));
    EXPECT_EQ(pixels.Pixel(7, 5), 0x010203u);
    const void* memory = screen->pixels;
    host().DestroyWindow(window);  // before the lent surface goes, as the host asks
    EXPECT_FALSE(other.DrawsIn(memory));
}

TEST_F(SdlHostTest, AResizeByTheWindowSystemKeepsThePixelsAndEndsTheLoan) {
    HostWindowId window = Open(8, 6);
    Surface pixels = Filled(8, 6, 0x112233);
    host().Present(window, pixels);
    pixels.Resize(10, 7);  // the window is still 8 x 6, so the next present copies
    EXPECT_EQ(pixels.Pixel(7, 5), 0x112233u);
    EXPECT_EQ(pixels.Pixel(9, 6), 0u);
    Fill(&pixels, 0x445566);
    host().Present(window, pixels);
    EXPECT_EQ(ScreenPixel(window, 7, 5), 0x445566u);
    EXPECT_FALSE(pixels.DrawsIn(SDL_GetWindowSurface(host_->SdlWindow(window))->pixels));
}

TEST_F(SdlHostTest, ASizeChangeMakesTheNextPresentCopyEverything) {
    HostWindowId window = Open(8, 6);
    Surface blue = Filled(8, 6, 0x0000FF);
    host().Present(window, blue);
    const void* dropped = SDL_GetWindowSurface(host_->SdlWindow(window))->pixels;
    SDL_SetWindowSize(host_->SdlWindow(window), 10, 7);  // SDL gives the window a new surface
    HostEvent event;
    ASSERT_TRUE(host().WaitEvent(host().NowMs() + 1000, &event));
    EXPECT_EQ(event.type, HostEventType::kResized);
    EXPECT_EQ(event.width, 10);
    EXPECT_EQ(event.height, 7);

    // Not yet resized by the window system, and drawing in SDL's dropped image: the pixels are
    // taken back before SDL frees that image.
    blue.SetPixel(0, 0, 0x00FF00);
    blue.MarkDirty(0, 0, 1, 1);
    host().Present(window, blue);
    EXPECT_FALSE(blue.DrawsIn(dropped));
    EXPECT_EQ(blue.Pixel(7, 5), 0x0000FFu);
    EXPECT_EQ(ScreenPixel(window, 0, 0), 0x00FF00u);
    EXPECT_EQ(ScreenPixel(window, 7, 5), 0x0000FFu);
    EXPECT_EQ(ScreenPixel(window, 9, 6), 0u);  // past the client surface
}

TEST_F(SdlHostTest, AnExposeIsAnsweredByTheHostOnceItHoldsThePixels) {
    HostWindowId window = Open(4, 4);
    HostEvent event;
    PushWindowEvent(window, SDL_WINDOWEVENT_EXPOSED);
    ASSERT_TRUE(host().WaitEvent(host().NowMs() + 1000, &event));  // nothing to show yet
    EXPECT_EQ(event.type, HostEventType::kExposed);

    Surface grey = Filled(4, 4, 0x808080);
    host().Present(window, grey);
    grey.ClearDirty();
    PushWindowEvent(window, SDL_WINDOWEVENT_EXPOSED);
    EXPECT_FALSE(host().WaitEvent(host().NowMs() + 20, &event));
    // The pixels may be mid-frame, so they wait for the next present.
    EXPECT_TRUE(grey.HasDirty());
    host().DestroyWindow(window);
}

TEST_F(SdlHostTest, WaitEventDeliversInputInOrderAndForgetsDestroyedWindows) {
    HostWindowId first = Open(4, 4);
    HostWindowId second = Open(4, 4);
    SDL_Event key{};
    key.key.type = SDL_KEYDOWN;
    key.key.windowID = SDL_GetWindowID(host_->SdlWindow(second));
    key.key.keysym.sym = SDLK_ESCAPE;
    SDL_PushEvent(&key);
    PushWindowEvent(first, SDL_WINDOWEVENT_CLOSE);

    HostEvent event;
    ASSERT_TRUE(host().WaitEvent(0, &event));  // a past deadline still takes what waits
    EXPECT_EQ(event.type, HostEventType::kKeyDown);
    EXPECT_EQ(event.window, second);
    EXPECT_EQ(event.virtual_key, 0x1B);
    host().DestroyWindow(second);  // its Escape character is gone with it
    ASSERT_TRUE(host().WaitEvent(0, &event));
    EXPECT_EQ(event.type, HostEventType::kCloseRequest);
    EXPECT_EQ(event.window, first);
    EXPECT_FALSE(host().WaitEvent(0, &event));
}

// A busy machine may wake any one wait late, so each length is tried until one wait ends
// close to its deadline; a host that rounds to whole milliseconds or oversleeps by a fixed
// amount never manages that, however idle the machine.
TEST_F(SdlHostTest, WaitEventSleepsUntilTheDeadlineAndNotLonger) {
    Open(4, 4);
    HostEvent event;
    constexpr double kCloseMs = 0.3;
    constexpr int kTries = 50;
    for (double wait : {0.4, 3.5, 15.625}) {
        double best = std::numeric_limits<double>::infinity();
        for (int attempt = 0; attempt < kTries && best > wait + kCloseMs; ++attempt) {
            double start = host().NowMs();
            EXPECT_FALSE(host().WaitEvent(start + wait, &event));
            double waited = host().NowMs() - start;
            EXPECT_GE(waited, wait);
            best = std::min(best, waited);
        }
        EXPECT_LE(best, wait + kCloseMs) << "no wait of " << wait << " ms ended near its deadline";
    }
    double start = host().NowMs();
    host().Sleep(5.5);
    EXPECT_GE(host().NowMs() - start, 5.5);
}

TEST_F(SdlHostTest, WithoutADeadlineWaitEventWaitsForInputAlone) {
    HostWindowId window = Open(4, 4);
    Uint32 sdl_id = SDL_GetWindowID(host_->SdlWindow(window));
    std::thread typist([sdl_id] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        SDL_Event key{};
        key.key.type = SDL_KEYDOWN;
        key.key.windowID = sdl_id;
        key.key.keysym.sym = SDLK_UP;
        SDL_PushEvent(&key);
    });
    HostEvent event;
    double start = host().NowMs();
    bool got = host().WaitEvent(std::numeric_limits<double>::infinity(), &event);
    typist.join();
    ASSERT_TRUE(got);
    EXPECT_EQ(event.virtual_key, 38);
    EXPECT_GE(host().NowMs() - start, 40);
}

TEST_F(SdlHostTest, TheClockIsMonotonicWithSubMillisecondSteps) {
    double first = host().NowMs();
    double next = first;
    while (next == first) next = host().NowMs();
    EXPECT_GT(next, first);
    EXPECT_LT(next - first, 0.1);
    EXPECT_GT(host().CalendarSeconds(), 1600000000);
}

TEST_F(SdlHostTest, TheClockStandsStillWhileTheMainWindowIsMinimised) {
    HostWindowId main = Open(40, 30);
    HostWindowId box = Open(20, 10, main);  // a box over it keeps nobody watching
    HostEvent event;
    auto advance_over_real = [&](double ms) {
        double before = host().NowMs();
        auto until =
            std::chrono::steady_clock::now() + std::chrono::duration<double, std::milli>(ms);
        while (std::chrono::steady_clock::now() < until) host().WaitEvent(0, &event);
        return host().NowMs() - before;
    };
    PushWindowEvent(main, SDL_WINDOWEVENT_MINIMIZED);
    EXPECT_LT(advance_over_real(60), 1.0);
    // A sound's wait goes on only once the window is back, and counts none of the absence.
    PushWindowEvent(main, SDL_WINDOWEVENT_RESTORED);
    double before = host().NowMs();
    host().Sleep(30);
    EXPECT_NEAR(host().NowMs() - before, 30, 5);
    EXPECT_GT(advance_over_real(30), 20.0);
    host().DestroyWindow(box);
}

TEST_F(SdlHostTest, AnOwnedWindowOpensCentredOverItsOwner) {
    HostWindowId owner = host().CreateWindow(
        {.title = "Main", .client_width = 400, .client_height = 300, .x = 100, .y = 50});
    host().ShowWindow(owner, HostShow::kNormal);
    HostWindowId box = Open(200, 100, owner);
    int x = 0, y = 0;
    SDL_GetWindowPosition(host_->SdlWindow(box), &x, &y);
    EXPECT_EQ(x, 100 + (400 - 200) / 2);
    EXPECT_EQ(y, 50 + (300 - 100) / 2);

    // Kept on the screen when the owner is larger than it.
    HostWindowId big = Open(1000, 1000, owner);
    SDL_GetWindowPosition(host_->SdlWindow(big), &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST_F(SdlHostTest, TheScreenSizeIsTheDisplays) {
    int width = 0, height = 0;
    host().ScreenSize(&width, &height);
    SDL_Rect bounds;
    ASSERT_EQ(SDL_GetDisplayBounds(0, &bounds), 0);
    EXPECT_EQ(width, bounds.w);
    EXPECT_EQ(height, bounds.h);
    EXPECT_GT(width, 0);
}

TEST(SdlHostFrameLog, RecordsEachPresentWithItsTimeAndWindow) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::string path = ::testing::TempDir() + "frames.log";
    setenv("ZF_FRAME_LOG", path.c_str(), 1);
    {
        std::string problem;
        auto host = SdlHost::Create(&problem);
        ASSERT_TRUE(host) << problem;
        HostWindowId window =
            host->CreateWindow({.title = "Log", .client_width = 2, .client_height = 2});
        Surface pixels = Surface::Color(2, 2);
        host->Present(window, pixels);
        host->Sleep(2);
        host->Present(window, pixels);
        host->DestroyWindow(window);
    }
    unsetenv("ZF_FRAME_LOG");
    std::ifstream log(path);
    double first = 0, second = 0;
    unsigned window_one = 0, window_two = 0;
    ASSERT_TRUE(log >> first >> window_one >> second >> window_two);
    EXPECT_EQ(window_one, 1u);
    EXPECT_EQ(window_two, 1u);
    EXPECT_GE(second - first, 2.0);
    std::remove(path.c_str());
}

}  // namespace
}  // namespace platform::sdl
