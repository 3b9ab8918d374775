// Reads the RIFF WAVE header of a sound resource: the one format the program's sounds use,
// uncompressed PCM, one channel, 8 bits unsigned. Anything else is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace platform::sound {

// The samples stay inside the bytes they were read from.
struct Wave {
    int sample_rate = 0;
    const uint8_t* samples = nullptr;
    size_t sample_count = 0;
};

enum class WaveError {
    kNone,
    kTruncated,          // a header or chunk runs past the end
    kNotRiffWave,        // no "RIFF" ... "WAVE" header
    kNoFormat,           // no "fmt " chunk, or one too short
    kNoData,             // no "data" chunk
    kUnsupportedFormat,  // not PCM, not mono, not 8 bits, or no sample rate
};

const char* WaveErrorName(WaveError error);

// Fills *out only on success.
WaveError ParseWave(std::span<const uint8_t> bytes, Wave* out);

}  // namespace platform::sound
