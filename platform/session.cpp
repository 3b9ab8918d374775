#include "platform/session.h"

#include <cassert>

#include "platform/core/handle_table.h"
#include "platform/gdi/gdi_state.h"
#include "platform/host.h"
#include "platform/resources.h"
#include "platform/sound/sound_player.h"
#include "platform/user/dialog/dialog.h"
#include "platform/user/user_state.h"

namespace platform {

namespace {
// The one pointer to the live session; owned by whoever made the session.
Session* g_current = nullptr;
}  // namespace

Session::Session(Host& host, const ResourceCatalogue& resources, std::string module_path)
    : host_(host), resources_(resources), module_path_(std::move(module_path)) {
    assert(!g_current && "only one platform session may be live at a time");
    g_current = this;
    handles_ = std::make_unique<HandleTable>();
    gdi_ = std::make_unique<gdi::GdiState>(*handles_);
    sound_ = std::make_unique<sound::SoundPlayer>(host_, resources_);
    user_ = std::make_unique<user::UserState>(*this);
    user::RegisterSystemClasses(user_->classes());
}

Session::~Session() {
    // What the program keeps per thread goes first, as at a thread's end.
    ReleaseLocalValues(local_values_);
    user_.reset();
    sound_.reset();
    gdi_.reset();
    handles_.reset();
    g_current = nullptr;
}

Session& Session::Current() {
    assert(g_current && "no platform session is live");
    return *g_current;
}

Session* Session::TryCurrent() {
    return g_current;
}

}  // namespace platform
