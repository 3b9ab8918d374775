// Little-endian reads that never run past the end: a read out of range gives 0 and marks the
// reader as short, so a truncated file is reported rather than read beyond.
#pragma once

#include <cstdint>
#include <span>

namespace resource_checks {

class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint32_t U8(size_t at) { return Fits(at, 1) ? bytes_[at] : 0; }
    std::uint32_t U16(size_t at) { return Fits(at, 2) ? bytes_[at] | bytes_[at + 1] << 8 : 0; }
    std::uint32_t U32(size_t at) {
        if (!Fits(at, 4)) return 0;
        return bytes_[at] | bytes_[at + 1] << 8 | bytes_[at + 2] << 16 |
               static_cast<std::uint32_t>(bytes_[at + 3]) << 24;
    }
    std::int32_t I32(size_t at) { return static_cast<std::int32_t>(U32(at)); }
    bool Fits(size_t at, size_t count) {
        bool fits = at <= bytes_.size() && count <= bytes_.size() - at;
        short_ = short_ || !fits;
        return fits;
    }
    bool Short() const { return short_; }
    size_t size() const { return bytes_.size(); }

  private:
    std::span<const std::uint8_t> bytes_;
    bool short_ = false;
};

}  // namespace resource_checks
