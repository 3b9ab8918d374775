// RIFF WAVE reading: walks the chunks inside the RIFF size, each bounded by the bytes present.
#include "platform/sound/wave.h"

#include <cstring>

#include "platform/core/little_endian.h"

namespace platform::sound {

namespace {

constexpr size_t kRiffHeaderSize = 12;
constexpr size_t kChunkHeaderSize = 8;
constexpr size_t kPcmFormatSize = 16;
constexpr uint16_t kFormatPcm = 1;

bool IsTag(const uint8_t* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

WaveError CheckFormat(const uint8_t* fmt, int* sample_rate) {
    uint16_t tag = ReadLe16(fmt);
    uint16_t channels = ReadLe16(fmt + 2);
    uint32_t rate = ReadLe32(fmt + 4);
    uint16_t block_align = ReadLe16(fmt + 12);
    uint16_t bits = ReadLe16(fmt + 14);
    if (tag != kFormatPcm || channels != 1 || bits != 8 || block_align != 1)
        return WaveError::kUnsupportedFormat;
    if (rate == 0 || rate > 1'000'000) return WaveError::kUnsupportedFormat;
    *sample_rate = static_cast<int>(rate);
    return WaveError::kNone;
}

}  // namespace

const char* WaveErrorName(WaveError error) {
    switch (error) {
        case WaveError::kNone:
            return "none";
        case WaveError::kTruncated:
            return "truncated";
        case WaveError::kNotRiffWave:
            return "not a RIFF WAVE file";
        case WaveError::kNoFormat:
            return "no format chunk";
        case WaveError::kNoData:
            return "no data chunk";
        case WaveError::kUnsupportedFormat:
            return "unsupported format";
    }
    return "unknown";
}

WaveError ParseWave(std::span<const uint8_t> bytes, Wave* out) {
    if (bytes.size() < kRiffHeaderSize) return WaveError::kTruncated;
    const uint8_t* base = bytes.data();
    if (!IsTag(base, "RIFF") || !IsTag(base + 8, "WAVE")) return WaveError::kNotRiffWave;
    uint64_t riff_end = uint64_t{ReadLe32(base + 4)} + kChunkHeaderSize;
    if (riff_end > bytes.size()) return WaveError::kTruncated;

    const uint8_t* format = nullptr;
    Wave wave;
    bool has_data = false;
    // Chunks start on even offsets; an odd-sized chunk is followed by a pad byte.
    for (uint64_t at = kRiffHeaderSize; at + kChunkHeaderSize <= riff_end;) {
        const uint8_t* chunk = base + at;
        uint64_t size = ReadLe32(chunk + 4);
        uint64_t body = at + kChunkHeaderSize;
        if (body + size > riff_end) return WaveError::kTruncated;
        if (IsTag(chunk, "fmt ") && !format) {
            if (size < kPcmFormatSize) return WaveError::kNoFormat;
            format = base + body;
        } else if (IsTag(chunk, "data") && !has_data) {
            has_data = true;
            wave.samples = base + body;
            wave.sample_count = static_cast<size_t>(size);
        }
        at = body + size + (size & 1);
    }
    if (!format) return WaveError::kNoFormat;
    if (!has_data) return WaveError::kNoData;
    if (WaveError e = CheckFormat(format, &wave.sample_rate); e != WaveError::kNone) return e;
    *out = wave;
    return WaveError::kNone;
}

}  // namespace platform::sound
