// A host reaching for the session.
#include "platform/session.h"
