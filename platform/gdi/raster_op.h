// Raster operations as data: any of the 256 three-operand codes that ignores the pattern,
// reduced to result = constant ^ (S & s) ^ (D & d) ^ (S & D & sd), each term all ones or zero.
#pragma once

#include <cstdint>
#include <optional>

namespace platform::gdi {

struct RasterOp {
    uint32_t constant = 0, s = 0, d = 0, sd = 0;

    bool UsesSource() const { return s != 0 || sd != 0; }
    bool IsCopy() const { return constant == 0 && s == ~0u && d == 0 && sd == 0; }
    uint32_t Apply(uint32_t source, uint32_t dest) const {
        return constant ^ (source & s) ^ (dest & d) ^ (source & dest & sd);
    }
};

// No value for codes that need a brush pattern.
inline std::optional<RasterOp> DecodeRasterOp(uint32_t rop) {
    uint32_t table = (rop >> 16) & 0xFFu;  // bit (P << 2 | S << 1 | D) is the result
    if ((table >> 4) != (table & 0xFu)) return std::nullopt;
    auto bit = [&](int s, int d) -> uint32_t { return (table >> ((s << 1) | d)) & 1u; };
    auto all = [](uint32_t b) { return b ? ~0u : 0u; };
    RasterOp op;
    op.constant = all(bit(0, 0));
    op.s = all(bit(1, 0) ^ bit(0, 0));
    op.d = all(bit(0, 1) ^ bit(0, 0));
    op.sd = all(bit(1, 1) ^ bit(1, 0) ^ bit(0, 1) ^ bit(0, 0));
    return op;
}

}  // namespace platform::gdi
