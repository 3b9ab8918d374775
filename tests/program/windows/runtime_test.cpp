// The runtime's generator under the names the game calls: the same sequence as our Linux
// layer gives from the same seed, so a recorded game replays the same on both.
#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

#include "platform/win32.h"

namespace {

std::vector<int> Draws(unsigned int seed, int count) {
    platform::srand(seed);
    std::vector<int> out;
    for (int i = 0; i < count; ++i) out.push_back(platform::rand());
    return out;
}

// The formula both runtimes share, worked by hand.
std::vector<int> Formula(unsigned int seed, int count) {
    uint32_t state = seed;
    std::vector<int> out;
    for (int i = 0; i < count; ++i) {
        state = state * 214013u + 2531011u;
        out.push_back(static_cast<int>((state >> 16) & 0x7FFF));
    }
    return out;
}

TEST(Runtime, SeedOneGivesTheKnownFirstDraws) {
    EXPECT_EQ(Draws(1, 5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
}

TEST(Runtime, EverySeedFollowsTheFormula) {
    for (unsigned int seed : {0u, 2u, 12345u, 1765000000u, 0xFFFFFFFFu}) {
        EXPECT_EQ(Draws(seed, 1000), Formula(seed, 1000)) << "seed " << seed;
    }
}

// The game seeds and draws on its one thread; a draw on another thread must not disturb it.
TEST(Runtime, AnotherThreadDoesNotShareTheState) {
    platform::srand(7);
    int first = platform::rand();
    std::thread([] { Draws(99, 50); }).join();
    EXPECT_EQ(platform::rand(), Formula(7, 2)[1]);
    EXPECT_EQ(first, Formula(7, 1)[0]);
}

TEST(Runtime, TimeIsTheCalendarClock) {
    time_t now = 0;
    time_t returned = platform::time(&now);
    EXPECT_EQ(returned, now);
    EXPECT_GT(now, time_t{1600000000});  // after 2020
}

}  // namespace
