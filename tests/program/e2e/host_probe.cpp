// zf_host_probe LOG: a program on the SDL host alone, without the window system, for the
// end-to-end tests of the host. It logs every host event to LOG, one line each, and paints its
// main window in four coloured quarters. The M key opens a small owned box (green) that Enter,
// Escape or its close button shuts; closing the main window ends the program.
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <limits>
#include <string>

#include "platform/host/sdl/sdl_host.h"

namespace {

using platform::HostEvent;
using platform::HostEventType;
using platform::HostShow;
using platform::HostWindowId;
using platform::Surface;

constexpr uint32_t kQuarters[4] = {0xFF0000, 0x0000FF, 0xFFFF00, 0x00FFFF};

void PaintQuarters(Surface* surface) {
    for (int y = 0; y < surface->height; ++y)
        for (int x = 0; x < surface->width; ++x)
            surface->SetPixel(x, y,
                              kQuarters[(x * 2 / surface->width) + 2 * (y * 2 / surface->height)]);
    surface->MarkDirty(0, 0, surface->width, surface->height);
}

const char* Name(HostEventType type) {
    static const char* const kNames[] = {"keydown",   "keyup",    "char",    "buttondown",
                                         "buttonup",  "move",     "close",   "resized",
                                         "minimized", "restored", "exposed", "quit"};
    static_assert(std::size(kNames) == static_cast<size_t>(HostEventType::kQuitRequest) + 1);
    return kNames[static_cast<int>(type)];
}

void Log(std::FILE* log, const HostEvent& event) {
    if (event.type == HostEventType::kMouseMove) return;  // too many to be useful
    std::fprintf(log, "%s %u key=%d repeat=%d shift=%d char=%d button=%d x=%d y=%d w=%d h=%d\n",
                 Name(event.type), event.window, event.virtual_key, event.repeat, event.shift,
                 event.character, static_cast<int>(event.button), event.x, event.y, event.width,
                 event.height);
    std::fflush(log);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zf_host_probe LOG\n");
        return 2;
    }
    std::FILE* log = std::fopen(argv[1], "w");
    std::string problem;
    auto host = platform::sdl::SdlHost::Create(&problem);
    if (!log || !host) {
        std::fprintf(stderr, "zf_host_probe: %s\n", log ? problem.c_str() : "cannot write the log");
        return 1;
    }
    Surface main_pixels = Surface::Color(320, 240);
    PaintQuarters(&main_pixels);
    HostWindowId main_window = host->CreateWindow({.title = "Host probe",
                                                   .client_width = 320,
                                                   .client_height = 240,
                                                   .x = 40,
                                                   .y = 30,
                                                   .resizable = true});
    host->ShowWindow(main_window, HostShow::kNormal);
    host->Present(main_window, main_pixels);
    main_pixels.ClearDirty();

    Surface box_pixels = Surface::Color(120, 80);
    for (int y = 0; y < box_pixels.height; ++y)
        std::fill_n(box_pixels.Row(y), box_pixels.width, 0x00FF00u);
    HostWindowId box = 0;
    for (;;) {
        HostEvent event;
        // No timer runs here, so the host is asked to wait for input alone.
        if (!host->WaitEvent(std::numeric_limits<double>::infinity(), &event)) continue;
        Log(log, event);
        if (event.window == main_window && event.type == HostEventType::kCloseRequest) break;
        if (event.type == HostEventType::kQuitRequest) break;
        if (event.window == main_window && event.type == HostEventType::kResized) {
            main_pixels.Resize(event.width, event.height);
            PaintQuarters(&main_pixels);
            host->Present(main_window, main_pixels);
            main_pixels.ClearDirty();
        }
        if (event.window == main_window && event.type == HostEventType::kExposed)
            host->Present(main_window, main_pixels);
        if (!box && event.window == main_window && event.type == HostEventType::kChar &&
            (event.character == 'm' || event.character == 'M')) {
            box = host->CreateWindow({.title = "Probe box",
                                      .client_width = 120,
                                      .client_height = 80,
                                      .owner = main_window});
            host->ShowWindow(box, HostShow::kNormal);
            host->Present(box, box_pixels);
        }
        bool box_ends = event.type == HostEventType::kCloseRequest ||
                        (event.type == HostEventType::kChar &&
                         (event.character == 13 || event.character == 27));
        if (box && event.window == box && box_ends) {
            host->DestroyWindow(box);
            box = 0;
        }
        // As the window system does after each batch: whatever the host marked (an expose of
        // pixels it lent) is shown now.
        if (main_pixels.HasDirty()) {
            host->Present(main_window, main_pixels);
            main_pixels.ClearDirty();
        }
    }
    std::fclose(log);
    return 0;
}
