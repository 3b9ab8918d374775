// The program's one resource catalogue: the embedded files, then the dialog templates.
#include <vector>

#include "platform/resources.h"
#include "resources/dialog_templates.h"
#include "resources/embedded_resources.h"

namespace platform {

const ResourceCatalogue& ModuleResources() {
    static const std::vector<ResourceEntry> entries = [] {
        std::vector<ResourceEntry> all;
        for (const ResourceEntry& entry : resources::EmbeddedEntries()) all.push_back(entry);
        for (const ResourceEntry& entry : resources::DialogTemplateEntries()) all.push_back(entry);
        return all;
    }();
    static const ResourceCatalogue catalogue{entries};
    return catalogue;
}

}  // namespace platform
