// A host reaching for the Win32 layer.
#include "platform/win32.h"
