// The soak: the real game, through WinMain on the headless host, played for a number of ticks
// by seeded random input: arrows, characters, clicks anywhere, and answers to every box and
// dialog, so that rounds end every way, games end and start again and now and then end for
// good (after which the input goes on and must change nothing, and a fresh program run
// starts). After every dispatched message the live drawing objects must be what the open
// windows own (see gdi_watch.h); at the end of each run nothing may be left.
// Everything follows from the seed, which every failure names.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace soak {

struct Options {
    int64_t ticks = 100000;  // timer messages handled by the main window
    uint64_t seed = 1;
    int64_t memory_every = 1000;  // ticks between samples of resident memory
};

struct MemorySample {
    int64_t tick;
    int64_t resident_kib;  // from /proc/self/statm
    int64_t heap_kib;      // what the allocator has handed out and not had back
};

struct Figures {
    int64_t ticks = 0;
    int64_t handlers_checked = 0;      // dispatched messages after which the objects were counted
    std::array<int64_t, 7> endings{};  // rounds ended, by the state they ended in
    int64_t burnt_then_run_over = 0;   // the house burnt, then a vehicle came
    int64_t games_over = 0;            // game-over flows begun
    int64_t games_again = 0;           // "Yes": a new game at once
    int64_t games_for_good = 0;        // the game stayed over
    int64_t pestered = 0;              // keys and clicks sent after a game ended for good
    int64_t program_runs = 0;
    int64_t closed_mid_game = 0;  // runs ended by closing the window during a game
    int64_t boxes_answered = 0;
    int64_t dialogs_answered = 0;
    int64_t names_typed = 0;
    int64_t window_sets = 0;  // different sets of open windows seen
    double virtual_seconds = 0;
    std::vector<MemorySample> memory;
    std::string failure;  // empty when the soak ran clean

    int64_t Rounds() const;
};

Figures Run(const Options& options);

// How much memory grew after warm-up: the highest sample taken after `warm_up` ticks less the
// first one taken at or after it.
struct Growth {
    int64_t resident_kib = 0;
    int64_t heap_kib = 0;
};
Growth GrowthAfterWarmUp(const Figures& figures, int64_t warm_up);
// The figures, a line each.
std::string Summary(const Figures& figures);

}  // namespace soak
