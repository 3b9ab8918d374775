// The program's strings are single-byte Windows-1252; SDL speaks UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace platform::sdl {

// A window title for SDL.
std::string CodePageToUtf8(std::string_view text);

// Typed text as the program's bytes; characters the code page lacks and malformed sequences
// are dropped, so nothing is ever invented.
std::string Utf8ToCodePage(std::string_view text);

}  // namespace platform::sdl
