// The drawing the game does every tick, each beside the memory floor for the same bytes:
// a band fill beside memset, a vehicle copy beside memcpy of its rows, and the player's
// colour-keyed sprite.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "framework/dc.h"
#include "platform/gdi/surface_dc.h"
#include "platform/host/headless/headless_host.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "render/sprite.h"

namespace {

constexpr int kWindowWidth = 788, kWindowHeight = 569;

// A session and a window-sized surface with a DC on it, as a tick would have.
struct Scene {
    platform::headless::HeadlessHost host;
    platform::ResourceCatalogue resources;
    platform::Session session{host, resources, "/bench"};
    platform::Surface window = platform::Surface::Color(800, 600);
    HDC dc = platform::gdi::CreateSurfaceDC(&window, {0, 0}, {0, 0, 800, 600});
    ~Scene() { DeleteDC(dc); }
};

void BM_RectangleFill800x100(benchmark::State& state) {
    Scene scene;
    HBRUSH brush = CreateSolidBrush(RGB(90, 90, 90));
    HGDIOBJ old = SelectObject(scene.dc, brush);
    for (auto _ : state) {
        Rectangle(scene.dc, 0, 500, 800, 600);
        benchmark::DoNotOptimize(scene.window.Row(0));
        benchmark::ClobberMemory();
    }
    SelectObject(scene.dc, old);
    DeleteObject(brush);
    state.SetBytesProcessed(state.iterations() * 800 * 100 * 4);
}
BENCHMARK(BM_RectangleFill800x100);

void BM_MemsetFloor800x100(benchmark::State& state) {
    std::vector<uint32_t> pixels(800 * 600);
    for (auto _ : state) {
        std::memset(pixels.data() + 800 * 500, 0x5A, 800 * 100 * 4);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 800 * 100 * 4);
}
BENCHMARK(BM_MemsetFloor800x100);

void BM_BlitCopy100x40(benchmark::State& state) {
    Scene scene;
    HBITMAP picture = CreateBitmap(100, 40, 1, 32, nullptr);
    HDC memory = CreateCompatibleDC(scene.dc);
    HGDIOBJ old = SelectObject(memory, picture);
    for (auto _ : state) {
        BitBlt(scene.dc, 300, 400, 100, 40, memory, 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(scene.window.Row(0));
        benchmark::ClobberMemory();
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(picture);
    state.SetBytesProcessed(state.iterations() * 100 * 40 * 4);
}
BENCHMARK(BM_BlitCopy100x40);

void BM_MemcpyFloor100x40(benchmark::State& state) {
    std::vector<uint32_t> picture(100 * 40, 0x123456);
    std::vector<uint32_t> window(800 * 600);
    for (auto _ : state) {
        for (int y = 0; y < 40; ++y)
            std::memcpy(window.data() + (400 + y) * 800 + 300, picture.data() + y * 100, 400);
        benchmark::DoNotOptimize(window.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 100 * 40 * 4);
}
BENCHMARK(BM_MemcpyFloor100x40);

void BM_DrawTransparent32x53(benchmark::State& state) {
    Scene scene;
    std::vector<uint32_t> pixels(32 * 53, 0xFFFFFF);
    for (int y = 10; y < 45; ++y)
        for (int x = 6; x < 26; ++x) pixels[y * 32 + x] = 0x20A040 + x;
    CSprite sprite;
    sprite.Attach(platform::gdi::CreateBitmapFromPixels(32, 53, pixels.data()));
    CDC target;
    target.Attach(scene.dc);
    for (auto _ : state) {
        sprite.DrawTransparent(&target, 380, 520, RGB(255, 255, 255));
        benchmark::ClobberMemory();
    }
    target.Detach();
}
BENCHMARK(BM_DrawTransparent32x53)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
