// The C runtime's generator and clock, as the game sees them.
#include "platform/host.h"
#include "platform/session.h"
#include "platform/win32.h"

namespace platform {

int rand() {
    uint32_t& state = Session::Current().random_state();
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

void srand(unsigned int seed) {
    Session::Current().random_state() = seed;
}

time_t time(time_t* out) {
    time_t now = static_cast<time_t>(Session::Current().host().CalendarSeconds());
    if (out) *out = now;
    return now;
}

}  // namespace platform
