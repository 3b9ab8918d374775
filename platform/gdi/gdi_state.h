// Drawing state owned by the session: stock objects and fonts.
#pragma once

namespace platform {
class HandleTable;
namespace gdi {

class GdiState {
public:
    explicit GdiState(HandleTable& handles) : handles_(handles) {}
    HandleTable& handles() { return handles_; }

private:
    HandleTable& handles_;
};

}  // namespace gdi
}  // namespace platform
