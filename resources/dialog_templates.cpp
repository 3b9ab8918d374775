// The dialog templates; none are written yet.
#include "resources/dialog_templates.h"

namespace resources {

std::span<const platform::ResourceEntry> DialogTemplateEntries() {
    return {};
}

}  // namespace resources
