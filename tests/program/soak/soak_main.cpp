// zandrofel-soak [TICKS] [SEED]: the soak at any length (a million ticks unless told), in a
// fresh working directory, with its figures. Status 1 when it failed, with the reason.
// ZF_SOAK_MEMORY=FILE also writes every memory sample there: tick, resident and heap KiB.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "harness/test_support.h"
#include "tests/program/soak/soak.h"

namespace {

bool ParseCount(const char* text, long long* value) {
    char* end = nullptr;
    *value = std::strtoll(text, &end, 10);
    return *text && !*end && *value >= 0;
}

}  // namespace

int main(int argc, char** argv) {
    soak::Options options;
    options.ticks = 1'000'000;
    long long ticks = 0, seed = 0;
    if (argc > 3 || (argc > 1 && !ParseCount(argv[1], &ticks)) ||
        (argc > 2 && !ParseCount(argv[2], &seed))) {
        std::fprintf(stderr, "usage: zandrofel-soak [TICKS] [SEED]\n");
        return 2;
    }
    if (argc > 1) options.ticks = ticks;
    if (argc > 2) options.seed = static_cast<uint64_t>(seed);
    // Said first, so that a crash can be reproduced from the log.
    std::fprintf(stderr, "soak: %lld ticks, seed %llu\n", static_cast<long long>(options.ticks),
                 static_cast<unsigned long long>(options.seed));

    harness::TempWorkingDirectory directory;
    auto start = std::chrono::steady_clock::now();
    soak::Figures figures = soak::Run(options);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("%s", soak::Summary(figures).c_str());
    int64_t warm_up = options.ticks / 10;
    soak::Growth growth = soak::GrowthAfterWarmUp(figures, warm_up);
    std::printf("growth after the first %lld ticks: resident %lld KiB, heap in use %lld KiB\n",
                static_cast<long long>(warm_up), static_cast<long long>(growth.resident_kib),
                static_cast<long long>(growth.heap_kib));
    std::printf("wall time %.1f s, %.0f ticks a second\n", seconds,
                static_cast<double>(figures.ticks) / seconds);
    if (const char* path = std::getenv("ZF_SOAK_MEMORY"); path && *path) {
        if (std::FILE* file = std::fopen(path, "w")) {
            std::fprintf(file, "# tick resident_kib heap_kib\n");
            for (const soak::MemorySample& sample : figures.memory)
                std::fprintf(file, "%lld %lld %lld\n", static_cast<long long>(sample.tick),
                             static_cast<long long>(sample.resident_kib),
                             static_cast<long long>(sample.heap_kib));
            std::fclose(file);
        }
    }
    if (!figures.failure.empty()) {
        std::printf("FAILED: %s\n", figures.failure.c_str());
        return 1;
    }
    return 0;
}
