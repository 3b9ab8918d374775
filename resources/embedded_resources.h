// The pictures, sounds and icon built into the program; the source is written at build time.
#pragma once

#include <span>

#include "platform/resources.h"

namespace resources {

std::span<const platform::ResourceEntry> EmbeddedEntries();

}  // namespace resources
