// Registered window classes, found by name without regard to case.
#pragma once

#include <deque>
#include <string>

#include "platform/win32.h"

namespace platform::user {

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int window_extra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;  // a brush, or a system colour index + 1
    ATOM atom = 0;
};

class ClassRegistry {
  public:
    // 0 when the name is taken or the class lacks a name or a procedure.
    ATOM Register(const WNDCLASSA& window_class);
    // A name, or an atom made with MAKEINTRESOURCEA; nullptr when unknown.
    const WindowClass* Find(LPCSTR name_or_atom) const;

  private:
    std::deque<WindowClass> classes_;  // a deque keeps the pointers windows hold valid
};

}  // namespace platform::user
