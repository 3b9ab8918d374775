// The program's entry in the browser: the page has loaded the saved files and started us after
// its "click to play"; run the program on the page, then leave the page saying the game has
// ended.
#include <emscripten.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/host/web/web_host.h"
#include "platform/program.h"

EM_JS(void, zf_game_ended, (), {
    if (Module.zfGameEnded) Module.zfGameEnded();
});

// The saved files (scores.txt) live in the browser's storage, mounted here by the page.
constexpr const char* kSaveFolder = "/save";

int main() {
    std::string problem;
    if (!platform::ProgramCanStart(&problem)) return platform::RefuseToStart(problem);
    if (chdir(kSaveFolder) != 0) std::fprintf(stderr, "no saved files: scores are not kept\n");
    int exit_code = 0;
    {
        platform::web::WebHost host;
        exit_code = platform::RunProgram(host, "zandrofel");
    }
    zf_game_ended();
    return exit_code;
}
