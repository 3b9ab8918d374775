// Checks of the sounds: the RIFF WAVE layout, the PCM format, rate and length, and that each
// is a sound at a sensible level: not silent, not clipped, centred on 128, no click at either end.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tests/resources/byte_reader.h"
#include "tests/resources/resource_checks.h"

namespace resource_checks {
namespace {

bool IsTag(ByteReader& in, size_t at, const char* tag) {
    for (size_t i = 0; i < 4; ++i) {
        if (in.U8(at + i) != static_cast<unsigned char>(tag[i])) return false;
    }
    return true;
}

void CheckLevels(Bytes samples, std::vector<std::string>& problems) {
    if (samples.empty()) return;
    double sum = 0, squares = 0;
    int peak = 0, clipped = 0;
    for (std::uint8_t s : samples) {
        const int v = static_cast<int>(s) - 128;
        sum += v;
        squares += static_cast<double>(v) * v;
        peak = std::max(peak, std::abs(v));
        clipped += s == 0 || s == 255;
    }
    const double count = static_cast<double>(samples.size());
    if (std::abs(sum / count) > 1.5) problems.push_back("off centre (DC offset)");
    if (peak < 40) problems.push_back("too quiet: peak " + std::to_string(peak) + " of 127");
    if (std::sqrt(squares / count) < 4) problems.push_back("nearly silent throughout");
    if (clipped) problems.push_back(std::to_string(clipped) + " clipped sample(s)");
    const size_t edge = std::min<size_t>(2, samples.size());
    for (size_t i = 0; i < edge; ++i) {
        if (std::abs(samples[i] - 128) > 4 || std::abs(samples[samples.size() - 1 - i] - 128) > 4) {
            problems.push_back("does not start and end in silence (a click)");
            break;
        }
    }
}

}  // namespace

std::vector<std::string> CheckSound(Bytes bytes, const CataloguedSound& want) {
    std::vector<std::string> problems;
    ByteReader in(bytes);
    if (in.size() < 12 || !IsTag(in, 0, "RIFF") || !IsTag(in, 8, "WAVE")) {
        problems.push_back("not a RIFF WAVE file");
        return problems;
    }
    if (in.U32(4) + 8 != in.size()) problems.push_back("RIFF size disagrees with the file");
    bool have_format = false;
    Bytes data;
    for (size_t at = 12; at + 8 <= in.size();) {
        const std::uint32_t size = in.U32(at + 4);
        if (!in.Fits(at + 8, size)) {
            problems.push_back("a chunk runs past the end of the file");
            return problems;
        }
        if (IsTag(in, at, "fmt ")) {
            have_format = true;
            if (size < 16 || in.U16(at + 8) != 1) problems.push_back("not PCM");
            if (in.U16(at + 10) != 1) problems.push_back("not one channel");
            if (in.U32(at + 12) != want.rate) {
                problems.push_back("rate " + std::to_string(in.U32(at + 12)) + ", not " +
                                   std::to_string(want.rate));
            }
            if (in.U32(at + 16) != want.rate || in.U16(at + 20) != 1) {
                problems.push_back("byte rate or block size wrong for 8-bit mono");
            }
            if (in.U16(at + 22) != 8) problems.push_back("not 8 bits per sample");
        } else if (IsTag(in, at, "data")) {
            data = bytes.subspan(at + 8, size);
        }
        at += 8 + size + (size & 1);
    }
    if (!have_format) problems.push_back("no format chunk");
    if (data.size() != want.samples) {
        problems.push_back(std::to_string(data.size()) + " samples, not " +
                           std::to_string(want.samples));
    }
    CheckLevels(data, problems);
    return problems;
}

}  // namespace resource_checks
