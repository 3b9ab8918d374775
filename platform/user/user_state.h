// Window system state owned by the session: classes, windows, the message queue, timers,
// focus and activation, the keyboard state and the mouse capture.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "platform/host.h"
#include "platform/user/timers.h"
#include "platform/user/window.h"
#include "platform/user/window_class.h"
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
    double Now();

    // Windows
    Window* Find(HWND hwnd) const;
    HWND Add(std::unique_ptr<Window> window);
    std::unique_ptr<Window> Remove(HWND hwnd);
    const std::vector<HWND>& top_levels() const { return top_levels_; }
    Window* FindByHost(HostWindowId host_window) const;
    void RegisterHostWindow(HWND hwnd, HostWindowId host_window);
    HWND TopLevelOf(HWND hwnd) const;
    bool IsAncestor(HWND ancestor, HWND hwnd) const;  // true for the window itself too
    // The window and every parent are enabled / visible.
    bool IsEnabledChain(HWND hwnd) const;
    bool IsVisibleChain(HWND hwnd) const;
    // The deepest visible, enabled child under a point of the top-level client area.
    HWND ChildAt(HWND top_level, POINT client_point) const;

    // Calls a window's procedure; 0 for a window that is gone.
    LRESULT Send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    // The queue
    void Post(const MSG& msg) { posted_.push_back(msg); }
    void PostInput(const InputMessage& input) { input_.push_back(input); }
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

    // Focus, activation, capture, keys
    HWND focus() const { return focus_; }
    HWND active() const { return active_; }
    HWND capture() const { return capture_; }
    void set_focus_raw(HWND hwnd) { focus_ = hwnd; }
    void set_active_raw(HWND hwnd) { active_ = hwnd; }
    void SetCapture(HWND hwnd) { capture_ = hwnd; }
    void ReleaseCapture() { capture_ = nullptr; }
    short KeyState(int virtual_key) const;
    void SetKeyDown(int virtual_key, bool down);

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
    std::vector<HWND> top_levels_;
    std::map<HostWindowId, HWND> by_host_;
    std::deque<MSG> posted_;
    std::deque<InputMessage> input_;
    bool quit_pending_ = false;
    int quit_code_ = 0;
    HWND focus_ = nullptr;
    HWND active_ = nullptr;
    HWND capture_ = nullptr;
    std::array<uint8_t, 256> keys_{};  // 0x80 down, 0x01 toggled
    bool tearing_down_ = false;
    std::map<ULONG_PTR, HICON> icons_;
    std::vector<HDC> client_dcs_;
    std::array<HBRUSH, 32> system_brushes_{};

    // The last left press, for double clicks.
    struct Click {
        HWND hwnd = nullptr;
        double time_ms = -1e9;
        POINT point{};
        bool was_double = false;
        bool left = true;
    } last_click_;
};

// The window system of the live session.
UserState& State();

}  // namespace user
}  // namespace platform
