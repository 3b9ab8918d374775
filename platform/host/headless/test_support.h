// Helpers for tests on the headless host: a session over it, a fresh working directory, and
// a message pump that stops at a virtual time.
#pragma once

#include <memory>
#include <string>

#include "platform/host/headless/headless_host.h"
#include "platform/resources.h"
#include "platform/session.h"

namespace platform::headless {

// A headless host with a live session over it.
struct HeadlessSession {
    explicit HeadlessSession(ResourceCatalogue catalogue = ResourceCatalogue{},
                             std::string module_path = "/usr/games/zandrofel")
        : resources(catalogue), session(host, resources, std::move(module_path)) {}
    HeadlessHost host;
    ResourceCatalogue resources;  // a view of entries the caller keeps
    Session session;
};

// Makes a new empty directory the working directory, and on destruction goes back to the
// previous one and removes it with everything in it.
class TempWorkingDirectory {
  public:
    TempWorkingDirectory();
    ~TempWorkingDirectory();
    TempWorkingDirectory(const TempWorkingDirectory&) = delete;
    TempWorkingDirectory& operator=(const TempWorkingDirectory&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string previous_;
    std::string path_;
};

// The retained client pixels of a top-level window (or of the top-level window holding a
// child); nullptr for a window that does not exist.
const Surface* WindowPixels(HWND hwnd);
// The host window showing a top-level window; 0 for none.
HostWindowId HostWindowOf(HWND hwnd);

// Dispatches messages on this thread, waiting for timers and scripted input, until the virtual
// clock reaches `until_ms`; false when WM_QUIT came first (it is put back).
bool PumpMessagesUntil(double until_ms);

}  // namespace platform::headless
