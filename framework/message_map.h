// Message maps: constant tables from a message (or a command id) to a member handler, one table
// per class, each chained to its base class's. A handler is reached through a small function
// made for its signature, so a handler of the wrong shape does not compile.
//
//   class CMyWnd : public CFrameWnd {
//       void OnPaint();
//       void OnTimer(UINT_PTR id);
//       DECLARE_MESSAGE_MAP()
//   };
//   BEGIN_MESSAGE_MAP(CMyWnd, CFrameWnd)
//       ON_WM_PAINT()
//       ON_WM_TIMER()
//   END_MESSAGE_MAP()
#pragma once

#include "platform/win32.h"

class CWnd;

// A point of the client area, as handlers receive it.
struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(int x_, int y_) : POINT{x_, y_} {}
    explicit CPoint(LPARAM lparam) : POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)} {}
};

struct MessageMapEntry {
    UINT message;  // 0 ends the table
    UINT id;       // the command id, for WM_COMMAND entries
    LRESULT (*call)(CWnd* target, WPARAM wparam, LPARAM lparam);
};

struct MessageMap {
    const MessageMap* (*base)();  // nullptr for the root
    const MessageMapEntry* entries;
};

// The handler adapters, one per signature.
namespace message_map {

template <class T, void (T::*F)()>
LRESULT NoArguments(CWnd* target, WPARAM, LPARAM) {
    (static_cast<T*>(target)->*F)();
    return 0;
}
template <class T, void (T::*F)(UINT_PTR)>
LRESULT Timer(CWnd* target, WPARAM wparam, LPARAM) {
    (static_cast<T*>(target)->*F)(static_cast<UINT_PTR>(wparam));
    return 0;
}
// Keys and characters: the code, the repeat count and the flags (scan code and state bits).
template <class T, void (T::*F)(UINT, UINT, UINT)>
LRESULT Key(CWnd* target, WPARAM wparam, LPARAM lparam) {
    (static_cast<T*>(target)->*F)(static_cast<UINT>(wparam), LOWORD(lparam), HIWORD(lparam));
    return 0;
}
template <class T, void (T::*F)(UINT, CPoint)>
LRESULT Mouse(CWnd* target, WPARAM wparam, LPARAM lparam) {
    (static_cast<T*>(target)->*F)(static_cast<UINT>(wparam), CPoint(lparam));
    return 0;
}
template <class T, void (T::*F)(UINT, int, int)>
LRESULT Size(CWnd* target, WPARAM wparam, LPARAM lparam) {
    (static_cast<T*>(target)->*F)(static_cast<UINT>(wparam), LOWORD(lparam), HIWORD(lparam));
    return 0;
}
template <class T, int (T::*F)(CREATESTRUCTA*)>
LRESULT Create(CWnd* target, WPARAM, LPARAM lparam) {
    return (static_cast<T*>(target)->*F)(reinterpret_cast<CREATESTRUCTA*>(lparam));
}

}  // namespace message_map

#define DECLARE_MESSAGE_MAP()                     \
  protected:                                      \
    static const MessageMap* GetThisMessageMap(); \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)          \
    const MessageMap* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                     \
    }                                                   \
    const MessageMap* theClass::GetThisMessageMap() {   \
        using ThisClass [[maybe_unused]] = theClass;    \
        using TheBaseClass = baseClass;                 \
        static constexpr MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                          \
    { 0, 0, nullptr }                                                              \
    }                                                                              \
    ;                                                                              \
    static constexpr MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                                   \
    }

// The cast picks the handler of the expected signature, also when a base class declares it.
#define ZF_HANDLER(adapter, type, member) \
    &message_map::adapter<ThisClass, static_cast<type>(&ThisClass::member)>

#define ON_WM_PAINT() {WM_PAINT, 0, ZF_HANDLER(NoArguments, void(ThisClass::*)(), OnPaint)},
#define ON_WM_TIMER() {WM_TIMER, 0, ZF_HANDLER(Timer, void(ThisClass::*)(UINT_PTR), OnTimer)},
#define ON_WM_KEYDOWN() \
    {WM_KEYDOWN, 0, ZF_HANDLER(Key, void(ThisClass::*)(UINT, UINT, UINT), OnKeyDown)},
#define ON_WM_KEYUP() {WM_KEYUP, 0, ZF_HANDLER(Key, void(ThisClass::*)(UINT, UINT, UINT), OnKeyUp)},
#define ON_WM_CHAR() {WM_CHAR, 0, ZF_HANDLER(Key, void(ThisClass::*)(UINT, UINT, UINT), OnChar)},
#define ON_WM_LBUTTONDOWN() \
    {WM_LBUTTONDOWN, 0, ZF_HANDLER(Mouse, void(ThisClass::*)(UINT, CPoint), OnLButtonDown)},
#define ON_WM_LBUTTONUP() \
    {WM_LBUTTONUP, 0, ZF_HANDLER(Mouse, void(ThisClass::*)(UINT, CPoint), OnLButtonUp)},
#define ON_WM_LBUTTONDBLCLK() \
    {WM_LBUTTONDBLCLK, 0, ZF_HANDLER(Mouse, void(ThisClass::*)(UINT, CPoint), OnLButtonDblClk)},
#define ON_WM_RBUTTONDOWN() \
    {WM_RBUTTONDOWN, 0, ZF_HANDLER(Mouse, void(ThisClass::*)(UINT, CPoint), OnRButtonDown)},
#define ON_WM_RBUTTONUP() \
    {WM_RBUTTONUP, 0, ZF_HANDLER(Mouse, void(ThisClass::*)(UINT, CPoint), OnRButtonUp)},
#define ON_WM_MOUSEMOVE() \
    {WM_MOUSEMOVE, 0, ZF_HANDLER(Mouse, void(ThisClass::*)(UINT, CPoint), OnMouseMove)},
#define ON_WM_SIZE() {WM_SIZE, 0, ZF_HANDLER(Size, void(ThisClass::*)(UINT, int, int), OnSize)},
#define ON_WM_CREATE() \
    {WM_CREATE, 0, ZF_HANDLER(Create, int(ThisClass::*)(CREATESTRUCTA*), OnCreate)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, ZF_HANDLER(NoArguments, void(ThisClass::*)(), OnDestroy)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, ZF_HANDLER(NoArguments, void(ThisClass::*)(), OnClose)},
// A command (WM_COMMAND) from a button or menu with this id.
#define ON_COMMAND(id, member) \
    {WM_COMMAND, static_cast<UINT>(id), ZF_HANDLER(NoArguments, void(ThisClass::*)(), member)},
// A push button's click: the command a button sends, spelled for dialogs.
#define ON_BN_CLICKED(id, member) ON_COMMAND(id, member)
