// Modal answers reaching past Win32.
#include "platform/user/user_state.h"
