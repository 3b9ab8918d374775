// Helpers for tests and tools on the headless host: a session over it with answers to its
// modal windows, a fresh working directory, what the window system holds beyond Win32 (a
// window's retained pixels, its host window), and a message pump that stops at a virtual time.
#pragma once

#include <memory>
#include <string>

#include "harness/headless_input.h"
#include "harness/modal_answers.h"
#include "platform/host/headless/headless_host.h"
#include "platform/resources.h"
#include "platform/session.h"

namespace harness {

// A headless host with a live session over it, whose modal windows `answers` answers.
struct HeadlessSession {
    explicit HeadlessSession(platform::ResourceCatalogue catalogue = platform::ResourceCatalogue{},
                             std::string module_path = "/usr/games/zandrofel")
        : resources(catalogue), session(host, resources, std::move(module_path)) {
        session.AddObserver(&answers);
    }
    ~HeadlessSession() { session.RemoveObserver(&answers); }
    HeadlessSession(const HeadlessSession&) = delete;
    HeadlessSession& operator=(const HeadlessSession&) = delete;

    platform::headless::HeadlessHost host;
    platform::ResourceCatalogue resources;  // a view of entries the caller keeps
    platform::Session session;
    HeadlessInput input{host};
    ModalAnswers answers{input};
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
const platform::Surface* WindowPixels(HWND hwnd);
// The host window showing a top-level window (or the one holding a child); 0 for none.
platform::HostWindowId HostWindowOf(HWND hwnd);

// Dispatches messages on this thread, waiting for timers and scripted input, until the virtual
// clock reaches `until_ms`; false when WM_QUIT came first (it is put back).
bool PumpMessagesUntil(double until_ms);

}  // namespace harness
