#include "platform/tick_log.h"

#include <cstdint>
#include <cstdlib>

namespace platform {

std::unique_ptr<TickLog> TickLog::FromEnvironment(Host& host) {
    const char* path = std::getenv("ZF_TICK_LOG");
    if (!path || !*path) return nullptr;
    std::FILE* file = std::fopen(path, "w");
    if (!file) return nullptr;
    // Buffered: a write to the disk on every tick would cost more than the tick it measures.
    std::setvbuf(file, nullptr, _IOFBF, 1 << 16);
    return std::unique_ptr<TickLog>(new TickLog(host, file));
}

TickLog::~TickLog() {
    std::fclose(file_);
}

void TickLog::MessageHandled(HWND hwnd, UINT message, WPARAM wparam, LPARAM) {
    if (message != WM_TIMER) return;
    double now = host_.NowMs();
    std::fprintf(file_, "%.3f tick %llu %llu\n", now, static_cast<unsigned long long>(wparam),
                 static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)));
    // Once a second, so that a program killed rather than closed loses at most that much.
    if (now - flushed_at_ >= 1000) {
        std::fflush(file_);
        flushed_at_ = now;
    }
}

void TickLog::SoundStarted(LPCSTR name, UINT) {
    std::fprintf(file_, "%.3f sound %s\n", host_.NowMs(), name ? name : "");
}

void TickLog::MessageBoxEnded(HWND, LPCSTR, LPCSTR, UINT, int answer) {
    std::fprintf(file_, "%.3f box %d\n", host_.NowMs(), answer);
}

}  // namespace platform
