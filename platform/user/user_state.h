// Window system state owned by the session: windows, the message queue and timers.
#pragma once

namespace platform {
class Session;
namespace user {

class UserState {
public:
    explicit UserState(Session& session) : session_(session) {}

private:
    [[maybe_unused]] Session& session_;
};

}  // namespace user
}  // namespace platform
