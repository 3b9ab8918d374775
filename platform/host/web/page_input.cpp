// Keys on the whole page, the mouse on the canvas. Handlers only queue (the program may be
// suspended inside a wait while they run). Keys the page would use itself (arrows and space
// scroll, Tab moves the focus) are kept from it; letters are not, or their characters are lost.
#include "page_input.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

#include "page.h"
#include "web_host.h"

EM_JS(void, zf_no_context_menu, (), {
    document.getElementById('canvas').addEventListener(
        'contextmenu', function(e) { e.preventDefault(); });
});

namespace platform::web {

namespace {

WebHost* listener = nullptr;

constexpr int kBackspace = 8, kTab = 9, kEnter = 13, kShift = 16, kEscape = 27, kSpace = 32;

bool PageWouldUse(int key) {
    return key == kBackspace || key == kTab || key == kEnter || key == kEscape || key == kSpace ||
           (key >= 33 && key <= 40);  // page up and down, end, home, the arrows
}

// Keys whose character the page would not report once their key-down is kept from it (or ever,
// for the control characters).
int CharacterOfKeptKey(int key) {
    return key == kBackspace || key == kTab || key == kEnter || key == kEscape || key == kSpace
               ? key
               : 0;
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void*) {
    if (!listener) return EM_FALSE;
    int key = static_cast<int>(event->keyCode);
    if (type == EMSCRIPTEN_EVENT_KEYDOWN) {
        listener->KeyDown(key, event->repeat, event->shiftKey || key == kShift);
        if (int character = CharacterOfKeptKey(key)) listener->Character(character);
    } else if (type == EMSCRIPTEN_EVENT_KEYUP) {
        listener->KeyUp(key);
    } else {
        unsigned character = event->charCode;
        if (character > 0 && character < 256) listener->Character(static_cast<int>(character));
        return EM_TRUE;
    }
    return PageWouldUse(key) ? EM_TRUE : EM_FALSE;
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* event, void*) {
    if (!listener) return EM_FALSE;
    double scale = page::CanvasScale();
    if (!(scale > 0)) scale = 1;
    int x = static_cast<int>(std::floor(event->targetX / scale));
    int y = static_cast<int>(std::floor(event->targetY / scale));
    MouseButton button = event->button == 2   ? MouseButton::kRight
                         : event->button == 1 ? MouseButton::kMiddle
                                              : MouseButton::kLeft;
    HostEventType kind = type == EMSCRIPTEN_EVENT_MOUSEDOWN ? HostEventType::kButtonDown
                         : type == EMSCRIPTEN_EVENT_MOUSEUP ? HostEventType::kButtonUp
                                                            : HostEventType::kMouseMove;
    listener->Mouse(kind, button, x, y);
    return type == EMSCRIPTEN_EVENT_MOUSEMOVE ? EM_FALSE : EM_TRUE;
}

}  // namespace

void ListenToPage(WebHost* host) {
    bool first = listener == nullptr && host != nullptr;
    listener = host;
    if (!first) return;
    const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(page, nullptr, EM_FALSE, OnKey);
    emscripten_set_keyup_callback(page, nullptr, EM_FALSE, OnKey);
    emscripten_set_keypress_callback(page, nullptr, EM_FALSE, OnKey);
    emscripten_set_mousedown_callback("#canvas", nullptr, EM_FALSE, OnMouse);
    emscripten_set_mouseup_callback("#canvas", nullptr, EM_FALSE, OnMouse);
    emscripten_set_mousemove_callback("#canvas", nullptr, EM_FALSE, OnMouse);
    zf_no_context_menu();
}

}  // namespace platform::web
