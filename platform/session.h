// The live platform: everything the Win32 operations work on (handles, windows, timers, sound,
// the runtime's generator) is owned by one Session, made by whoever starts the program (the
// SDL host's main, the replay tool, a test) and reached by the operations through Current().
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace platform {

class Host;
class HandleTable;
class ResourceCatalogue;
namespace gdi {
class GdiState;
}
namespace user {
class UserState;
}
namespace sound {
class SoundPlayer;
}

// Hooks through which a tool or a test watches a program run: the messages its windows handle,
// the sounds it starts, and the message boxes and dialogs it shows with their answers. The
// platform only reports; an observer changes nothing and is told nothing about the program.
class Observer {
  public:
    virtual ~Observer() = default;

    // A window procedure has returned from a message, sent or dispatched. The window may be
    // gone by now.
    virtual void MessageHandled(HWND, UINT /*message*/, WPARAM, LPARAM) {}
    // DispatchMessageA is about to return: a message taken from the queue has been handled,
    // with everything its handler sent on the way.
    virtual void MessageDispatched(const MSG& /*msg*/) {}
    // A sound has started (a synchronous one before its length has passed).
    virtual void SoundStarted(LPCSTR /*name*/, UINT /*flags*/) {}
    // MessageBoxA is about to return `answer`; the caption is the one shown.
    virtual void MessageBoxEnded(HWND /*owner*/, LPCSTR /*text*/, LPCSTR /*caption*/, UINT /*type*/,
                                 int /*answer*/) {}
    // A modal dialog made from this template is about to return `result`.
    virtual void DialogEnded(LPCDLGTEMPLATEA, INT_PTR /*result*/) {}
    // A top-level window has just appeared on the screen (it was hidden until now).
    virtual void WindowShown(HWND) {}
};

class Session {
  public:
    // module_path is the program file's path, which names the application.
    Session(Host& host, const ResourceCatalogue& resources, std::string module_path);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The one live session; asserts that there is one.
    static Session& Current();
    static Session* TryCurrent();

    Host& host() { return host_; }
    const ResourceCatalogue& resources() const { return resources_; }
    const std::string& module_path() const { return module_path_; }
    HandleTable& handles() { return *handles_; }
    gdi::GdiState& gdi() { return *gdi_; }
    user::UserState& user() { return *user_; }
    sound::SoundPlayer& sound() { return *sound_; }

    // The C runtime's generator state; 1 until srand, as in a fresh process.
    uint32_t& random_state() { return random_state_; }

    // The values of the fiber-local slots (FlsSetValue), by slot.
    std::vector<void*>& local_values() { return local_values_; }

    // Whoever watches the run, told in the order they were added; nullptr adds nobody.
    void AddObserver(Observer* observer) {
        if (observer) observers_.push_back(observer);
    }
    void RemoveObserver(Observer* observer) { std::erase(observers_, observer); }
    template <typename Tell>
    void Notify(Tell&& tell) {
        // By index: an observer may add or remove one while it is told.
        for (size_t i = 0; i < observers_.size(); ++i) tell(*observers_[i]);
    }

  private:
    Host& host_;
    const ResourceCatalogue& resources_;
    std::string module_path_;
    uint32_t random_state_ = 1;
    std::vector<Observer*> observers_;
    std::vector<void*> local_values_;
    // Destroyed bottom-up: windows first, then sound, then drawing objects, then the table.
    std::unique_ptr<HandleTable> handles_;
    std::unique_ptr<gdi::GdiState> gdi_;
    std::unique_ptr<sound::SoundPlayer> sound_;
    std::unique_ptr<user::UserState> user_;
};

// Gives each value still set to its slot's callback (the session's end).
void ReleaseLocalValues(std::vector<void*>& values);

}  // namespace platform
