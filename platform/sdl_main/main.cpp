// The program's entry on the SDL host: the fonts are checked before the screen opens, then the
// host runs the program.
#include <memory>
#include <string>

#include "platform/host/sdl/sdl_host.h"
#include "platform/program.h"

int main(int argc, char** argv) {
    std::string problem;
    std::unique_ptr<platform::sdl::SdlHost> host;
    if (platform::ProgramCanStart(&problem)) host = platform::sdl::SdlHost::Create(&problem);
    if (!host) return platform::RefuseToStart(problem);
    return platform::RunProgram(*host, argc > 0 ? argv[0] : "");
}
