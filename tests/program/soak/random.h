// The soak's own generator, apart from the game's: every choice of a run comes from it, so a
// seed gives the same run on every machine (the standard distributions may differ between
// library versions; this does not).
#pragma once

#include <cstdint>
#include <string>

namespace soak {

class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}

    // splitmix64: small, fast and good enough for choosing inputs.
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number in [low, high].
    int Between(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1));
    }
    // A real number in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    double Between(double low, double high) { return low + (high - low) * Unit(); }
    bool Chance(double probability) { return Unit() < probability; }
    // One character of `choices`.
    char Of(const std::string& choices) {
        return choices[static_cast<size_t>(Between(0, static_cast<int>(choices.size()) - 1))];
    }

  private:
    uint64_t state_;
};

}  // namespace soak
