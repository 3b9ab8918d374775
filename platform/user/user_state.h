// Window system state owned by the session: the window classes, the window tree, where input
// goes (input_state.h), and the message queue with its timers, fed from the host.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "platform/host.h"
#include "platform/user/input_state.h"
#include "platform/user/timers.h"
#include "platform/user/window.h"
#include "platform/user/window_class.h"
#include "platform/user/window_tree.h"
#include "platform/win32.h"

namespace platform {
class Session;
class HandleTable;
namespace user {

// A keyboard or mouse message waiting in the input queue, with the key state it brings.
struct InputMessage {
    MSG msg{};
    int key_down = 0;  // a virtual key that goes down (or up, below) when the message is taken
    int key_up = 0;
    bool shift = false;
};

enum class Removal { kKeep, kRemove };
enum class Waiting { kPollOnly, kWaitForMessage };

class UserState {
  public:
    explicit UserState(Session& session);
    ~UserState();
    UserState(const UserState&) = delete;
    UserState& operator=(const UserState&) = delete;

    Session& session() { return session_; }
    Host& host();
    HandleTable& handles();
    ClassRegistry& classes() { return classes_; }
    TimerList& timers() { return timers_; }
    WindowTree& windows() { return windows_; }
    const WindowTree& windows() const { return windows_; }
    InputState& input() { return input_; }
    const InputState& input() const { return input_; }
    double Now();

    // The window of a handle; nullptr when there is none.
    Window* Find(HWND hwnd) const;
    // Takes a window out of the tree and out of the focus, timers and queue.
    std::unique_ptr<Window> Remove(HWND hwnd);

    // Calls a window's procedure; 0 for a window that is gone.
    LRESULT Send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    // The queue
    void Post(const MSG& msg) { posted_.push_back(msg); }
    void PostInput(const InputMessage& input) { input_queue_.push_back(input); }
    void PostQuit(int exit_code);
    void DropMessagesFor(HWND hwnd);
    // Finds the next message in retrieval order (posted, input, quit, paint, timer), waiting
    // for one when asked. False when there is none (polling only).
    bool Retrieve(MSG* msg, HWND filter, UINT first, UINT last, Removal removal, Waiting waiting);
    // Takes one host event (or waits until deadline_ms for one); false when none came.
    bool PumpHost(double deadline_ms);
    void TakeHostEvent(const HostEvent& event);
    // Shows every visible top-level window whose pixels changed.
    void PresentDirty();

    // The shared icon or cursor for a key (a system id, or a resource), made on first use.
    HICON SharedIcon(ULONG_PTR key, const void* resource);

    // DCs handed out by GetDC, which ReleaseDC alone frees.
    void AddClientDC(HDC hdc) { client_dcs_.push_back(hdc); }
    bool TakeClientDC(HDC hdc) { return std::erase(client_dcs_, hdc) > 0; }

    // The shared brush of a system colour, made on first use; never deleted by its users.
    HBRUSH SystemBrush(int index);

    // Called before windows are destroyed one by one, so nothing is sent to them.
    bool tearing_down() const { return tearing_down_; }

  private:
    bool TakePosted(MSG* msg, HWND filter, UINT first, UINT last, Removal removal);
    bool TakeInput(MSG* msg, HWND filter, UINT first, UINT last, Removal removal);
    bool FindPaint(MSG* msg, HWND filter, UINT first, UINT last);
    bool TakeTimer(MSG* msg, HWND filter, UINT first, UINT last, Removal removal);
    HWND FindPaintIn(HWND hwnd, HWND filter) const;
    bool Accepts(HWND filter, HWND hwnd) const;
    void TakeKeyEvent(Window* top, const HostEvent& event);
    void TakeMouseEvent(Window* top, const HostEvent& event);
    void TakeSizeEvent(Window* top, const HostEvent& event);
    void TakeQuitRequest();
    void DestroyAllSilently();

    Session& session_;
    ClassRegistry classes_;
    TimerList timers_;
    WindowTree windows_;
    InputState input_;
    std::deque<MSG> posted_;
    std::deque<InputMessage> input_queue_;
    bool quit_pending_ = false;
    int quit_code_ = 0;
    bool tearing_down_ = false;
    std::map<ULONG_PTR, HICON> icons_;
    std::vector<HDC> client_dcs_;
    std::array<HBRUSH, 32> system_brushes_{};
};

// The window system of the live session.
UserState& State();

}  // namespace user
}  // namespace platform
