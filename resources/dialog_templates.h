// The dialog templates, as a compiled resource file holds them, typed RT_DIALOG by number.
#pragma once

#include <span>

#include "platform/resources.h"

namespace resources {

std::span<const platform::ResourceEntry> DialogTemplateEntries();

}  // namespace resources
