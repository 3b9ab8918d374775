#include "platform/program.h"

#include <cstdio>
#include <memory>

#include "platform/gdi/fonts.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "platform/tick_log.h"
#include "platform/win32.h"

namespace platform {

bool ProgramCanStart(std::string* problem) {
    // Without the fonts no dialog could show its text.
    return gdi::FontsAvailable(problem);
}

int RefuseToStart(const std::string& problem) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    return 1;
}

int RunProgram(Host& host, std::string module_path) {
    Session session(host, ModuleResources(), std::move(module_path));
    std::unique_ptr<TickLog> tick_log = TickLog::FromEnvironment(host);
    session.AddObserver(tick_log.get());
    char no_command_line[] = "";
    int exit_code = WinMain(GetModuleHandleA(nullptr), nullptr, no_command_line, SW_SHOWNORMAL);
    session.RemoveObserver(tick_log.get());
    return exit_code;
}

}  // namespace platform
