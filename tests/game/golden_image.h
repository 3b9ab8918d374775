// Whole-window pictures kept as PNG files beside the tests. A check compares a surface with its
// golden picture pixel for pixel; a failing check writes the actual picture (and the expected
// one) where the failure message says. With ZF_UPDATE_GOLDEN=1 in the environment the check
// writes the golden picture instead.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/core/surface.h"

namespace game_test {

// `name` is the file's name in the folder of golden pictures; failure pictures go below
// `failure_folder`.
::testing::AssertionResult MatchesGolden(const platform::Surface& actual, const std::string& name,
                                         const std::string& failure_folder);

// The PNG files this check writes: 8-bit RGB, every row unfiltered, compressed with zlib.
bool WriteGoldenPng(const std::string& path, const platform::Surface& surface);
bool ReadGoldenPng(const std::string& path, platform::Surface* surface);

}  // namespace game_test
