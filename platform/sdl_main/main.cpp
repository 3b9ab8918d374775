// The program's entry on the SDL host: make sure text can be drawn, open the screen, start the
// platform session and hand over to WinMain, as the system's loader would on Win32.
#include <cstdio>
#include <string>

#include "platform/gdi/fonts.h"
#include "platform/host/sdl/sdl_host.h"
#include "platform/resources.h"
#include "platform/sdl_main/tick_log.h"
#include "platform/session.h"
#include "platform/win32.h"

int main(int argc, char** argv) {
    std::string problem;
    // Checked before any window opens: without the fonts no dialog could show its text.
    if (!platform::gdi::FontsAvailable(&problem)) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    std::unique_ptr<platform::sdl::SdlHost> host = platform::sdl::SdlHost::Create(&problem);
    if (!host) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    platform::Session session(*host, platform::ModuleResources(), argc > 0 ? argv[0] : "");
    std::unique_ptr<platform::sdl::TickLog> tick_log =
        platform::sdl::TickLog::FromEnvironment(*host);
    session.AddObserver(tick_log.get());
    char no_command_line[] = "";
    int exit_code = WinMain(GetModuleHandleA(nullptr), nullptr, no_command_line, SW_SHOWNORMAL);
    session.RemoveObserver(tick_log.get());
    return exit_code;
}
