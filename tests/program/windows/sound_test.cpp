// Sounds by name on the real system: the name finds the program's "SOUND" resource, a waiting
// sound lasts its length even where the system returns at once (Wine with no sound card), and
// anything that is not a sound is silent and says so.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <string>

#include "platform/win32.h"

namespace {

struct SoundCase {
    const char* name;
    UINT flags;
    BOOL result;
    long long at_least_ms;
    long long at_most_ms;
};

// giggle.wav is 22254 samples at 22254 a second: one second; splat.wav 5512 at 11025.
const SoundCase kCases[] = {
    {"giggle", SND_SYNC, TRUE, 1000, 1600},
    {"GiGgLe", SND_SYNC, TRUE, 1000, 1600},  // names are found without regard to case
    {"splat", SND_SYNC, TRUE, 499, 1100},
    {"giggle", SND_ASYNC, TRUE, 0, 400},
    {"no such sound", SND_SYNC, FALSE, 0, 400},
    {"SKY", SND_SYNC, FALSE, 0, 400},   // a picture, not a sound
    {"#110", SND_SYNC, FALSE, 0, 400},  // a dialog's number
};

class Sound : public ::testing::TestWithParam<SoundCase> {};

TEST_P(Sound, PlaysForItsLengthOrNotAtAll) {
    const SoundCase& c = GetParam();
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(sndPlaySoundA(c.name, c.flags), c.result);
    auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::steady_clock::now() - started)
                     .count();
    EXPECT_GE(spent, c.at_least_ms);
    EXPECT_LE(spent, c.at_most_ms);
    sndPlaySoundA(nullptr, 0);
}

std::string CaseName(const ::testing::TestParamInfo<SoundCase>& info) {
    std::string name;
    for (const char* c = info.param.name; *c; ++c)
        if (isalnum(static_cast<unsigned char>(*c))) name += *c;
    return name + (info.param.flags & SND_ASYNC ? "Async" : "Sync") + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Windows, Sound, ::testing::ValuesIn(kCases), CaseName);

}  // namespace
