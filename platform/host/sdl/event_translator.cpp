// Character messages come from two places, as on Win32 where the keyboard layout makes them:
// text input for printable characters, and the keys Enter, Escape, Backspace and Tab and the
// Ctrl combinations, whose control characters SDL's text input leaves out.
#include "event_translator.h"

#include "key_map.h"
#include "text_codec.h"

namespace platform::sdl {

void EventTranslator::Translate(const SDL_Event& event, std::deque<HostEvent>* out) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            TranslateKey(event.key, out);
            break;
        case SDL_TEXTINPUT:
            TranslateText(event.text, out);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            TranslateButton(event.button, out);
            break;
        case SDL_MOUSEMOTION:
            TranslateMotion(event.motion, out);
            break;
        case SDL_WINDOWEVENT:
            TranslateWindow(event.window, out);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
            // A controller has no Alt+Enter: its Start is the host's fullscreen key.
            if (event.cbutton.button == SDL_CONTROLLER_BUTTON_START)
                commands_.push_back(HostCommand::kToggleFullscreen);
            break;
        case SDL_QUIT:
            // A signal or the session ending; the window system decides how the program ends.
            out->push_back({.type = HostEventType::kQuitRequest});
            break;
        default:
            break;
    }
}

HostWindowId EventTranslator::KeyboardTarget(uint32_t sdl_id) const {
    return sdl_id == 0 ? windows_.KeyboardWindow() : windows_.FromSdl(sdl_id);
}

void EventTranslator::TranslateKey(const SDL_KeyboardEvent& key, std::deque<HostEvent>* out) {
    if (TakeHostKey(key)) return;
    HostWindowId window = KeyboardTarget(key.windowID);
    int virtual_key = VirtualKeyFor(key.keysym.sym, key.keysym.scancode);
    if (!window || !virtual_key) return;
    HostEvent event{.window = window, .virtual_key = virtual_key};
    if (key.type == SDL_KEYUP) {
        event.type = HostEventType::kKeyUp;
        out->push_back(event);
        return;
    }
    event.type = HostEventType::kKeyDown;
    event.repeat = key.repeat != 0;
    event.shift = (key.keysym.mod & KMOD_SHIFT) != 0;
    out->push_back(event);
    if (int character = ControlCharacterFor(key.keysym.sym, key.keysym.scancode, key.keysym.mod))
        out->push_back({.type = HostEventType::kChar, .window = window, .character = character});
}

// A host key is the host's from its press to its release, repeats included.
bool EventTranslator::TakeHostKey(const SDL_KeyboardEvent& key) {
    SDL_Keycode code = key.keysym.sym;
    if (key.type == SDL_KEYUP) return host_keys_held_.erase(code) > 0;
    if (host_keys_held_.contains(code)) return true;
    HostCommand command = HostCommandFor(key.keysym.sym, key.keysym.mod);
    if (command == HostCommand::kNone) return false;
    host_keys_held_.insert(code);
    commands_.push_back(command);
    return true;
}

void EventTranslator::TranslateText(const SDL_TextInputEvent& text, std::deque<HostEvent>* out) {
    HostWindowId window = KeyboardTarget(text.windowID);
    // The text of a host key (the "+" of Ctrl+Plus on some layouts) is the host's as well.
    if (!window || !host_keys_held_.empty()) return;
    for (char byte : Utf8ToCodePage(text.text))
        out->push_back({.type = HostEventType::kChar,
                        .window = window,
                        .character = static_cast<unsigned char>(byte)});
}

void EventTranslator::TranslateButton(const SDL_MouseButtonEvent& button,
                                      std::deque<HostEvent>* out) {
    HostWindowId window = windows_.FromSdl(button.windowID);
    if (!window) return;
    HostEvent event{.type = button.type == SDL_MOUSEBUTTONDOWN ? HostEventType::kButtonDown
                                                               : HostEventType::kButtonUp,
                    .window = window};
    switch (button.button) {
        case SDL_BUTTON_LEFT:
            event.button = MouseButton::kLeft;
            break;
        case SDL_BUTTON_RIGHT:
            event.button = MouseButton::kRight;
            break;
        case SDL_BUTTON_MIDDLE:
            event.button = MouseButton::kMiddle;
            break;
        default:
            return;  // the side buttons mean nothing to the program
    }
    if (!windows_.ViewportOf(window).ToClient(button.x, button.y, &event.x, &event.y))
        return;  // a click on a black bar goes nowhere
    out->push_back(event);
}

void EventTranslator::TranslateMotion(const SDL_MouseMotionEvent& motion,
                                      std::deque<HostEvent>* out) {
    HostEvent move{.type = HostEventType::kMouseMove, .window = windows_.FromSdl(motion.windowID)};
    if (move.window &&
        windows_.ViewportOf(move.window).ToClient(motion.x, motion.y, &move.x, &move.y))
        out->push_back(move);
}

void EventTranslator::TranslateWindow(const SDL_WindowEvent& window, std::deque<HostEvent>* out) {
    HostWindowId id = windows_.FromSdl(window.windowID);
    if (!id) return;
    HostEvent event{.window = id};
    switch (window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            event.type = HostEventType::kCloseRequest;
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            event.type = HostEventType::kResized;  // in the SDL window's pixels
            event.width = window.data1;
            event.height = window.data2;
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            if (!minimized_.insert(id).second) return;
            event.type = HostEventType::kMinimized;
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
            // Either may come first when a minimised window comes back; the first one counts.
            if (!minimized_.erase(id)) return;
            event.type = HostEventType::kRestored;
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            event.type = HostEventType::kExposed;
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            host_keys_held_.clear();  // their key-ups may go elsewhere; text must not stay eaten
            return;
        default:
            return;
    }
    out->push_back(event);
}

}  // namespace platform::sdl
