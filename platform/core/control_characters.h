// The control characters Ctrl types with a key on Win32, whichever host's keyboard the key comes
// from: the hosts hand them to the program as character messages, so Ctrl with a letter counts
// as a character key there too.
#pragma once

namespace platform {

// The character of Ctrl (without Alt) and the key of this virtual-key code: Ctrl+A to Ctrl+Z
// are 1 to 26, Ctrl+[ 27, Ctrl+backslash 28, Ctrl+] 29, Ctrl+Enter a line feed and
// Ctrl+Backspace DEL; 0 for a key that types nothing with Ctrl.
inline constexpr int CtrlCharacterFor(int virtual_key) {
    if (virtual_key >= 'A' && virtual_key <= 'Z') return virtual_key - 'A' + 1;
    switch (virtual_key) {
        case 0xDB:  // [
            return 27;
        case 0xDC:  // backslash
            return 28;
        case 0xDD:  // ]
            return 29;
        case 0x0D:  // Enter
            return 10;
        case 0x08:  // Backspace
            return 127;
        default:
            return 0;
    }
}

}  // namespace platform
