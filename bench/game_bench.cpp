// One whole tick of the game (OnTimer with all its painting) on the headless host, beside
// memset of the bytes that tick paints.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "app/game_wnd.h"
#include "framework/win_app.h"
#include "game/game_world.h"
#include "harness/program_runner.h"
#include "harness/test_support.h"
#include "platform/resources.h"

namespace {

constexpr int kClientWidth = 788, kClientHeight = 569;

// The pixels one tick writes on the 788 x 569 client area, shape by shape.
constexpr long kPixelsPerTick = kClientWidth * 100 + kClientWidth * 100 +
                                kClientWidth * 10                        // river, road, stripe
                                + kClientWidth * (kClientHeight - 500)   // footpath
                                + 226 * 25 + (kClientWidth - 600) * 25   // lawn beside the house
                                + 150 * 50 + 175 * 50                    // wall base
                                + 59 * 50 + 55 * 50 + 50 * 75 + 15 * 15  // windows, door, knob
                                + 60 * 40 + 100 * 40 + 2 * 60 * 40       // logs and lily pads
                                + 2 * 40 * 18 + 3 * 100 * 40 + 80 * 35   // vehicles
                                + 32 * 53                                // the player
                                + 3 * 4 * 7 * 16;                        // the status numbers

// The real program, started and painted once, with its timers stopped so that only the
// benchmark ticks it.
struct RunningGame {
    harness::HeadlessSession env{platform::ModuleResources(), "/bench/zandrofel"};
    std::unique_ptr<harness::ProgramRunner> program;

    RunningGame() {
        env.answers.Answer("", [](harness::ModalWindow& window) {
            window.PressButton(1003);  // "PLAY!" on the splash
        });
        program = std::make_unique<harness::ProgramRunner>(env.host,
                                                           [] { return harness::RunWinMain(); });
        program->RunUntil(1000);
        Window().KillTimer(kTickTimer);
        Window().KillTimer(kClockTimer);
    }
    CGameWnd& Window() { return *static_cast<CGameWnd*>(AfxGetApp()->m_pMainWnd); }
};

void BM_GameTick(benchmark::State& state) {
    RunningGame game;
    CGameWnd& window = game.Window();
    for (auto _ : state) {
        window.OnTimer(kTickTimer);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kPixelsPerTick * 4);
    state.counters["state"] = GameWorld.State;  // 1: every tick was an ordinary one
}
BENCHMARK(BM_GameTick)->Unit(benchmark::kMicrosecond)->Repetitions(9);

void BM_MemsetFloorOfATick(benchmark::State& state) {
    std::vector<uint32_t> pixels(static_cast<size_t>(kClientWidth) * kClientHeight);
    for (auto _ : state) {
        std::memset(pixels.data(), 0x5A, kPixelsPerTick * 4);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kPixelsPerTick * 4);
}
BENCHMARK(BM_MemsetFloorOfATick)->Unit(benchmark::kMicrosecond)->Repetitions(9);

}  // namespace

BENCHMARK_MAIN();
