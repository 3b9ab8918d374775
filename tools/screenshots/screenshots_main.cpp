// zandrofel-screenshots OUTDIR: runs the real game on the headless host with a fixed seed and
// writes what its windows showed: the splash (splash.png) and the game two seconds after PLAY!
// (game.png).
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "harness/program_runner.h"
#include "harness/test_support.h"
#include "platform/host/headless/headless_host.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "resources/resource_ids.h"
#include "tools/png/png_encoder.h"

namespace {

using platform::headless::HeadlessHost;

constexpr char kSplashTitle[] = "Grommelin Quibbert's Zandrofel V2.27";
constexpr char kMainTitle[] = "Grommelin Quibbert's Zandrofel";
constexpr int64_t kSeed = 20261209;

bool WritePicture(const platform::Surface& pixels, const std::string& path) {
    std::vector<uint8_t> rgb;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            uint32_t pixel = pixels.Pixel(x, y);
            rgb.insert(rgb.end(), {static_cast<uint8_t>(pixel >> 16),
                                   static_cast<uint8_t>(pixel >> 8), static_cast<uint8_t>(pixel)});
        }
    }
    std::vector<uint8_t> png = png::Encode(pixels.width, pixels.height, png::Channels::kRgb, rgb);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (file) std::printf("%s\n", path.c_str());
    return static_cast<bool>(file);
}

bool WriteWindow(const HeadlessHost& host, const char* title, const std::string& path) {
    const HeadlessHost::WindowRecord* window = host.Window(host.FindWindow(title));
    if (!window || window->presented.width == 0) {
        std::fprintf(stderr, "zandrofel-screenshots: no window \"%s\" to take\n", title);
        return false;
    }
    return WritePicture(window->presented, path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zandrofel-screenshots OUTDIR\n");
        return 2;
    }
    const std::string folder = argv[1];
    harness::HeadlessSession env(platform::ModuleResources(), "zandrofel");
    HeadlessHost& host = env.host;
    host.SetCalendarSeconds(kSeed);
    bool ok = true;
    env.answers.Answer(kSplashTitle, [&](harness::ModalWindow& splash) {
        // Once it has painted; then PLAY!.
        host.Call(splash.now() + 100,
                  [&] { ok = WriteWindow(host, kSplashTitle, folder + "/splash.png") && ok; });
        splash.PressButton(IDC_PLAY, 200);
    });
    harness::ProgramRunner runner(host, [] { return harness::RunWinMain(); });
    // The start sound takes the first second, the splash a moment; then two seconds of play.
    runner.RunUntil(3300);
    ok = WriteWindow(host, kMainTitle, folder + "/game.png") && ok;
    runner.Quit();
    return ok ? 0 : 1;
}
