// Keys on the whole page, the mouse on the canvas, fingers anywhere on the page, and what a
// phone's own keyboard types into the page's hidden text field. Handlers only queue (the program
// may be suspended inside a wait while they run). Keys the page would use itself (arrows and
// space scroll, Tab moves the focus) are kept from it; letters are not, or their characters are
// lost.
#include "page_input.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

#include "page.h"
#include "platform/core/control_characters.h"
#include "web_host.h"

EM_JS(void, zf_no_context_menu, (), {
    document.getElementById('canvas').addEventListener(
        'contextmenu', function(e) { e.preventDefault(); });
});

// JavaScript bodies pass through the C preprocessor: no backslashes in them.
// clang-format off

// Fingers, once the program listens. Their default is kept from the page, so that it neither
// scrolls, zooms nor makes mouse events of them (a tap would click twice). A browser that brings
// its keyboard up only inside a gesture gets the hidden field focused on the next lift.
EM_JS(void, zf_listen_to_touches, (), {
    function handler(phase) {
        return function(e) {
            if (!Module.zfListening) return;
            e.preventDefault();
            Module.zfTouched = true;
            for (var i = 0; i < e.changedTouches.length; ++i) {
                var t = e.changedTouches[i];
                Module._zf_page_touch(phase, t.identifier, t.clientX, t.clientY);
            }
            if (phase >= 2 && Module.zfShowKeyboard) Module.zfShowKeyboard(Module.zfTextWanted);
        };
    }
    ['touchstart', 'touchmove', 'touchend', 'touchcancel'].forEach(function(type, phase) {
        document.addEventListener(type, handler(phase), {passive: false});
    });
});

// A phone's keyboard types into the hidden field; what changed since the last look goes to the
// program as characters, and as Backspace for what went. The field keeps two spaces before the
// caret so that Backspace always has something to delete (else no event comes).
EM_JS(void, zf_listen_to_typing, (), {
    var field = document.getElementById('keyboard');
    if (!field) return;
    var base = '  ', last = base;
    function reset() {
        field.value = last = base;
        field.setSelectionRange(base.length, base.length);
    }
    field.addEventListener('input', function(e) {
        var now = field.value, same = 0;
        while (same < last.length && same < now.length && last[same] === now[same]) ++same;
        for (var i = same; i < last.length; ++i) Module._zf_page_typed(8);
        for (var i = same; i < now.length; ++i) {
            var code = now.charCodeAt(i);
            if (code === 10) code = 13;
            if (code < 256) Module._zf_page_typed(code);
        }
        last = now;
        if (!e.isComposing && (now.length < base.length || now.length > 64)) reset();
    });
    // Only for a page that has been touched: with a mouse and a keyboard nothing changes.
    Module.zfShowKeyboard = function(shown) {
        Module.zfTextWanted = shown;
        if (shown && Module.zfTouched && document.activeElement !== field) {
            reset();
            field.focus({preventScroll: true});
        } else if (!shown && document.activeElement === field) {
            field.blur();
        }
    };
});

// Whether anyone can see the page, and game controllers, which the page only lets us see once
// one has been used.
EM_JS(void, zf_listen_to_the_page, (), {
    document.addEventListener('visibilitychange', function() {
        if (Module.zfListening) Module._zf_page_hidden(document.hidden ? 1 : 0);
    });
    addEventListener('gamepadconnected', function() {
        Module.zfPadsSeen = true;
        if (Module.zfWake) Module.zfWake();
    });
});

EM_JS(void, zf_set_listening, (int on), {
    Module.zfListening = !!on;
    if (!on && Module.zfShowKeyboard) Module.zfShowKeyboard(false);
});

// clang-format on

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

// Ctrl with a letter, a bracket, Enter or Backspace types a control character on Win32, which a
// page never reports. Ctrl with Alt is AltGr, whose characters come as key presses.
bool TypesControlCharacter(const EmscriptenKeyboardEvent& event) {
    return event.ctrlKey && !event.altKey && CtrlCharacterFor(static_cast<int>(event.keyCode));
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void*) {
    if (!listener) return EM_FALSE;
    int key = static_cast<int>(event->keyCode);
    HostKeyStroke stroke = type == EMSCRIPTEN_EVENT_KEYDOWN ? HostKeyStroke::kDown
                           : type == EMSCRIPTEN_EVENT_KEYUP ? HostKeyStroke::kUp
                                                            : HostKeyStroke::kCharacter;
    if (listener->TakeHostKey(stroke, key, event->altKey)) return EM_TRUE;
    if (type == EMSCRIPTEN_EVENT_KEYDOWN) {
        listener->KeyDown(key, event->repeat, event->shiftKey || key == kShift);
        if (TypesControlCharacter(*event))
            listener->Character(CtrlCharacterFor(key));
        else if (int character = CharacterOfKeptKey(key))
            listener->Character(character);
    } else if (type == EMSCRIPTEN_EVENT_KEYUP) {
        listener->KeyUp(key);
    } else {
        // Its character was given with the key-down.
        if (TypesControlCharacter(*event)) return EM_TRUE;
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

extern "C" {

EMSCRIPTEN_KEEPALIVE void zf_page_touch(int phase, int finger, double x, double y) {
    if (listener) listener->Touch(static_cast<TouchPhase>(phase), finger, x, y);
}

EMSCRIPTEN_KEEPALIVE void zf_page_hidden(int hidden) {
    if (listener) listener->PageHidden(hidden != 0);
}

EMSCRIPTEN_KEEPALIVE void zf_page_typed(int character) {
    if (!listener) return;
    if (character == kBackspace || character == kEnter) {
        listener->KeyDown(character, false, false);
        listener->Character(character);
        listener->KeyUp(character);
    } else {
        listener->Character(character);
    }
}

}  // extern "C"

void ListenToPage(WebHost* host) {
    static bool listening = false;
    listener = host;
    zf_set_listening(host != nullptr);
    if (!host || listening) return;
    listening = true;
    const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(page, nullptr, EM_FALSE, OnKey);
    emscripten_set_keyup_callback(page, nullptr, EM_FALSE, OnKey);
    emscripten_set_keypress_callback(page, nullptr, EM_FALSE, OnKey);
    emscripten_set_mousedown_callback("#canvas", nullptr, EM_FALSE, OnMouse);
    emscripten_set_mouseup_callback("#canvas", nullptr, EM_FALSE, OnMouse);
    emscripten_set_mousemove_callback("#canvas", nullptr, EM_FALSE, OnMouse);
    zf_no_context_menu();
    zf_listen_to_touches();
    zf_listen_to_typing();
    zf_listen_to_the_page();
}

}  // namespace platform::web
