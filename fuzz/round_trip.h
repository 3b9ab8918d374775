// One load, save and reload of "scores.txt" in the working directory, checked against a small
// independent model of the file. Shared by the fuzzer and the regression tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The input is a score (4 bytes, little-endian), a name length n (1 byte), n bytes of name and
// the rest as the file's bytes; a short input reads as zeros. Returns "" when every check
// passed, else what failed.
std::string CheckRoundTrip(const uint8_t* data, size_t size);
