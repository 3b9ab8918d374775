// A host reaching into the window system.
#include "platform/host.h"
#include "platform/user/user_state.h"
