// Virtual-key codes are layout-dependent for letters and digits, as SDL key codes are, so the
// key code decides; the scancode only helps for keys whose code is a character we do not map.
#include "key_map.h"

#include "platform/core/control_characters.h"

namespace platform::sdl {

namespace {

struct KeyPair {
    SDL_Keycode key;
    int virtual_key;
};

constexpr KeyPair kNamedKeys[] = {
    {SDLK_BACKSPACE, 0x08},    {SDLK_TAB, 0x09},         {SDLK_RETURN, 0x0D},
    {SDLK_KP_ENTER, 0x0D},     {SDLK_PAUSE, 0x13},       {SDLK_CAPSLOCK, 0x14},
    {SDLK_ESCAPE, 0x1B},       {SDLK_SPACE, 0x20},       {SDLK_PAGEUP, 0x21},
    {SDLK_PAGEDOWN, 0x22},     {SDLK_END, 0x23},         {SDLK_HOME, 0x24},
    {SDLK_LEFT, 0x25},         {SDLK_UP, 0x26},          {SDLK_RIGHT, 0x27},
    {SDLK_DOWN, 0x28},         {SDLK_PRINTSCREEN, 0x2C}, {SDLK_INSERT, 0x2D},
    {SDLK_DELETE, 0x2E},       {SDLK_LSHIFT, 0x10},      {SDLK_RSHIFT, 0x10},
    {SDLK_LCTRL, 0x11},        {SDLK_RCTRL, 0x11},       {SDLK_LALT, 0x12},
    {SDLK_RALT, 0x12},         {SDLK_LGUI, 0x5B},        {SDLK_RGUI, 0x5C},
    {SDLK_APPLICATION, 0x5D},  {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D},     {SDLK_KP_PERIOD, 0x6E},   {SDLK_KP_DIVIDE, 0x6F},
    {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},  {SDLK_SEMICOLON, 0xBA},
    {SDLK_EQUALS, 0xBB},       {SDLK_COMMA, 0xBC},       {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},       {SDLK_SLASH, 0xBF},       {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB},  {SDLK_BACKSLASH, 0xDC},   {SDLK_RIGHTBRACKET, 0xDD},
    {SDLK_QUOTE, 0xDE},
};

// Keys of the US layout by position, for layouts whose key codes are characters we do not map.
int VirtualKeyForScancode(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (scancode - SDL_SCANCODE_1);
    if (scancode == SDL_SCANCODE_0) return '0';
    return 0;
}

}  // namespace

int VirtualKeyFor(SDL_Keycode key, SDL_Scancode scancode) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return key;
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
    if (key >= SDLK_F13 && key <= SDLK_F24) return 0x7C + (key - SDLK_F13);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 0x61 + (key - SDLK_KP_1);
    if (key == SDLK_KP_0) return 0x60;
    for (const KeyPair& pair : kNamedKeys)
        if (pair.key == key) return pair.virtual_key;
    return VirtualKeyForScancode(scancode);
}

HostCommand HostCommandFor(SDL_Keycode key, Uint16 modifiers) {
    bool ctrl = (modifiers & KMOD_CTRL) != 0;
    bool alt = (modifiers & KMOD_ALT) != 0;
    if (key == SDLK_F11 && !ctrl && !alt) return HostCommand::kToggleFullscreen;
    if (alt && !ctrl && (key == SDLK_RETURN || key == SDLK_KP_ENTER))
        return HostCommand::kToggleFullscreen;
    if (!ctrl || alt) return HostCommand::kNone;
    switch (key) {
        case SDLK_PLUS:
        case SDLK_EQUALS:
        case SDLK_KP_PLUS:
            return HostCommand::kScaleUp;
        case SDLK_MINUS:
        case SDLK_KP_MINUS:
            return HostCommand::kScaleDown;
        case SDLK_0:
        case SDLK_KP_0:
            return HostCommand::kScaleReset;
        default:
            return HostCommand::kNone;
    }
}

int ControlCharacterFor(SDL_Keycode key, SDL_Scancode scancode, Uint16 modifiers) {
    // Ctrl with Alt is AltGr on many layouts, whose characters come through text input.
    if ((modifiers & KMOD_CTRL) && !(modifiers & KMOD_ALT))
        if (int character = CtrlCharacterFor(VirtualKeyFor(key, scancode))) return character;
    switch (key) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return 13;
        case SDLK_ESCAPE:
            return 27;
        case SDLK_BACKSPACE:
            return 8;
        case SDLK_TAB:
            return 9;
        default:
            return 0;
    }
}

}  // namespace platform::sdl
