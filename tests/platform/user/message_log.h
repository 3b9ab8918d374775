// A window procedure that writes down what it receives, for message-sequence tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace platform::testing {

struct LoggedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

// One log per test; the procedure reaches it through Current().
class MessageLog {
  public:
    MessageLog() { current_ = this; }
    ~MessageLog() { current_ = nullptr; }
    static MessageLog& Current() { return *current_; }

    // Messages of interest, in order; `only` empty means every message.
    std::vector<UINT> Messages(HWND hwnd = nullptr) const {
        std::vector<UINT> out;
        for (const LoggedMessage& m : entries)
            if (!hwnd || m.hwnd == hwnd) out.push_back(m.message);
        return out;
    }
    int Count(UINT message) const {
        int n = 0;
        for (const LoggedMessage& m : entries) n += m.message == message;
        return n;
    }
    void Clear() { entries.clear(); }

    std::vector<LoggedMessage> entries;
    // Runs inside the procedure before the default handling; returns true to stop there.
    std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> handler;

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
        MessageLog& log = Current();
        log.entries.push_back(LoggedMessage{hwnd, message, wparam, lparam});
        LRESULT result = 0;
        if (log.handler && log.handler(hwnd, message, wparam, lparam, &result)) return result;
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }

  private:
    static inline MessageLog* current_ = nullptr;
};

inline ATOM RegisterLoggingClass(const char* name, UINT style = 0,
                                 HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)) {
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = &MessageLog::Proc;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassA(&wc);
}

}  // namespace platform::testing
