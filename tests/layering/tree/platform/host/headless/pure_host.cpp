// A host as it should be.
#include "platform/core/surface.h"
#include "platform/host.h"
