// What every entry of the program shares, whatever machine it runs on: the fonts it cannot do
// without, the platform session, the tick log when the environment asks for one, and WinMain,
// as the system's loader starts a program on Win32. Each host's main only makes its host.
#pragma once

#include <string>

#include "platform/host.h"

namespace platform {

// Whether the program can start at all; if not, why, in one line for the player.
bool ProgramCanStart(std::string* problem);

// Prints the reason the program cannot start and gives its exit status.
int RefuseToStart(const std::string& problem);

// Runs the program on the host until WinMain returns, and gives its exit status. module_path
// is the program file's path, which names the application.
int RunProgram(Host& host, std::string module_path);

}  // namespace platform
