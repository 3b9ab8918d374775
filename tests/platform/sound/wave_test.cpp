#include "platform/sound/wave.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/test_files.h"

namespace platform::sound {
namespace {

using media_test::MakeWave;
using media_test::WaveRecipe;

TEST(ParseWave, ReadsRateAndSamplesInPlace) {
    WaveRecipe recipe{.rate = 22254, .samples = {128, 0, 255, 127, 129}};
    std::vector<uint8_t> bytes = MakeWave(recipe);
    Wave wave;
    ASSERT_EQ(ParseWave(bytes, &wave), WaveError::kNone);
    EXPECT_EQ(wave.sample_rate, 22254);
    ASSERT_EQ(wave.sample_count, 5u);
    EXPECT_EQ(wave.samples, bytes.data() + 44);
    EXPECT_EQ(std::vector<uint8_t>(wave.samples, wave.samples + 5), recipe.samples);
}

TEST(ParseWave, SkipsOtherChunksAndTheirPadding) {
    WaveRecipe recipe{.rate = 11025, .samples = {1, 2, 3}, .chunk_before_format = true};
    Wave wave;
    std::vector<uint8_t> bytes = MakeWave(recipe);
    ASSERT_EQ(ParseWave(bytes, &wave), WaveError::kNone);
    EXPECT_EQ(wave.sample_rate, 11025);
    EXPECT_EQ(std::vector<uint8_t>(wave.samples, wave.samples + wave.sample_count), recipe.samples);
}

TEST(ParseWave, EmptySoundIsAcceptedWithNoSamples) {
    Wave wave;
    ASSERT_EQ(ParseWave(MakeWave({}), &wave), WaveError::kNone);
    EXPECT_EQ(wave.sample_count, 0u);
}

TEST(ParseWave, OtherFormatsAreRefused) {
    const WaveRecipe refused[] = {
        {.format = 2},                      // compressed
        {.channels = 2, .block_align = 2},  // stereo
        {.bits = 16, .block_align = 2},     // 16-bit
        {.block_align = 2},                 // frames that do not match the samples
        {.rate = 0},
    };
    for (const WaveRecipe& recipe : refused) {
        Wave wave;
        EXPECT_EQ(ParseWave(MakeWave(recipe), &wave), WaveError::kUnsupportedFormat)
            << recipe.format << " " << recipe.channels << " " << recipe.bits << " " << recipe.rate;
        EXPECT_EQ(wave.samples, nullptr);
    }
}

TEST(ParseWave, MalformedFilesAreRefusedWithoutReadingPastTheEnd) {
    const std::vector<uint8_t> good = MakeWave({.samples = {128, 128, 128, 128}});
    using media_test::PutLe32;
    struct Damage {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> apply;
        WaveError expected;
    };
    const Damage damages[] = {
        {"empty", [](auto& b) { b.clear(); }, WaveError::kTruncated},
        {"not RIFF", [](auto& b) { b[0] = 'X'; }, WaveError::kNotRiffWave},
        {"not WAVE", [](auto& b) { b[11] = 'X'; }, WaveError::kNotRiffWave},
        {"RIFF size past the end",
         [](auto& b) { PutLe32(b, media_test::kWaveRiffSize, static_cast<uint32_t>(b.size())); },
         WaveError::kTruncated},
        {"data size past the end", [](auto& b) { PutLe32(b, media_test::kWaveDataSize, 5); },
         WaveError::kTruncated},
        {"huge data size", [](auto& b) { PutLe32(b, media_test::kWaveDataSize, 0xFFFFFFFF); },
         WaveError::kTruncated},
        {"cut inside the samples", [](auto& b) { b.resize(b.size() - 1); }, WaveError::kTruncated},
        {"no data chunk", [](auto& b) { b[36] = 'x'; }, WaveError::kNoData},
        {"no format chunk", [](auto& b) { b[12] = 'x'; }, WaveError::kNoFormat},
        {"short format chunk", [](auto& b) { PutLe32(b, 16, 14); }, WaveError::kNoFormat},
    };
    for (const Damage& damage : damages) {
        std::vector<uint8_t> bytes = good;
        damage.apply(bytes);
        Wave wave;
        EXPECT_EQ(ParseWave(bytes, &wave), damage.expected) << damage.what;
        EXPECT_EQ(wave.samples, nullptr) << damage.what;
    }
}

}  // namespace
}  // namespace platform::sound
