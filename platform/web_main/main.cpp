// The program's entry in the browser: the page has loaded the saved files and started us after
// its "click to play"; open the screen, start the session and hand over to WinMain, then leave
// the page saying the game has ended.
#include <emscripten.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/gdi/fonts.h"
#include "platform/host/web/web_host.h"
#include "platform/resources.h"
#include "platform/sdl_main/tick_log.h"
#include "platform/session.h"
#include "platform/win32.h"

EM_JS(void, zf_game_ended, (), {
    if (Module.zfGameEnded) Module.zfGameEnded();
});

// The saved files (scores.txt) live in the browser's storage, mounted here by the page.
constexpr const char* kSaveFolder = "/save";

int main() {
    std::string problem;
    if (!platform::gdi::FontsAvailable(&problem)) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    if (chdir(kSaveFolder) != 0) std::fprintf(stderr, "no saved files: scores are not kept\n");
    int exit_code = 0;
    {
        platform::web::WebHost host;
        platform::Session session(host, platform::ModuleResources(), "zandrofel");
        std::unique_ptr<platform::sdl::TickLog> tick_log =
            platform::sdl::TickLog::FromEnvironment(host);
        session.AddObserver(tick_log.get());
        char no_command_line[] = "";
        exit_code = WinMain(GetModuleHandleA(nullptr), nullptr, no_command_line, SW_SHOWNORMAL);
        session.RemoveObserver(tick_log.get());
    }
    zf_game_ended();
    return exit_code;
}
