// A short soak as part of the suite: the run scripts/soak.sh makes, a tenth as long. Under the
// sanitizers a tick costs about eight times as much, so the run is shorter there, to stay near
// a minute on a shared two-core machine. ZF_SOAK_SEED picks another seed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "game/game_world.h"
#include "harness/test_support.h"
#include "tests/program/soak/soak.h"

namespace {

#ifdef ZF_SANITIZE
constexpr int64_t kTicks = 60000;
#else
constexpr int64_t kTicks = 100000;
#endif

uint64_t Seed() {
    const char* seed = std::getenv("ZF_SOAK_SEED");
    return seed && *seed ? std::strtoull(seed, nullptr, 10) : 20250101;
}

TEST(Soak, RandomPlayEndsRoundsEveryWayAndLeavesNothingBehind) {
    soak::Options options;
    options.ticks = kTicks;
    options.seed = Seed();
    // Said first, so that a crash can be reproduced from the log.
    std::fprintf(stderr, "soak: %lld ticks, seed %llu\n", static_cast<long long>(options.ticks),
                 static_cast<unsigned long long>(options.seed));
    harness::TempWorkingDirectory directory;
    soak::Figures figures = soak::Run(options);
    std::fprintf(stderr, "%s", soak::Summary(figures).c_str());

    ASSERT_EQ(figures.failure, "")
        << "reproduce with: scripts/soak.sh " << kTicks << " " << options.seed;
    EXPECT_GE(figures.ticks, kTicks);
    // The input reached every corner it is meant to: each way a round ends, the end of games
    // and what comes after, and fresh program runs.
    for (int ending : {kDrowned, kRunOver, kSplatted, kReachedHome, kHouseBurnt})
        EXPECT_GT(figures.endings[ending], 0) << "no round ended in state " << ending;
    EXPECT_GT(figures.games_again, 0);
    EXPECT_GT(figures.games_for_good, 0);
    EXPECT_GT(figures.pestered, 0);
    EXPECT_GT(figures.names_typed, 0);
    EXPECT_GT(figures.program_runs, 1);
    EXPECT_GT(figures.closed_mid_game, 0);
    EXPECT_GT(figures.boxes_answered, 0);
    EXPECT_GT(figures.dialogs_answered, figures.program_runs);  // a splash each, and more

#ifndef ZF_SANITIZE
    // The sanitizers' quarantine would hide growth; here the allocator tells the truth. Resident
    // memory moves by a few MiB as the heap fragments between program runs; what is in use
    // moves by a few hundred KiB with what is on the screen.
    soak::Growth growth = soak::GrowthAfterWarmUp(figures, kTicks / 10);
    EXPECT_LE(growth.resident_kib, 8 * 1024);
    EXPECT_LE(growth.heap_kib, 1024);
#endif
}

}  // namespace
