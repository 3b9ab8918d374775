// What a high-score save costs on this disk, and what its two syncs add: the game's whole save
// (lock, read again, temporary file, syncs, rename, reload) beside a bare write and rename with
// and without the syncs, and memcpy of the same bytes as the floor. Run from a folder on the
// disk to be measured; it works in a new folder below the current one.
#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "scores/high_scores.h"

namespace {

namespace fs = std::filesystem;

// A full table: ten scores and ten names of twenty characters, about 300 bytes.
std::string FullTable() {
    std::string bytes;
    for (int i = 0; i < 10; ++i) bytes += std::to_string(900000 - i) + "\r\n";
    for (int i = 0; i < 10; ++i) bytes += std::string(20, char('A' + i)) + (i < 9 ? "\r\n" : "");
    return bytes;
}

// A fresh folder below the working directory, removed at the end.
struct Folder {
    Folder() {
        std::string pattern = (fs::current_path() / "score-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        path = pattern;
    }
    ~Folder() { fs::remove_all(path); }
    fs::path path;
};

void BareWriteAndRename(const fs::path& dir, const std::string& bytes, bool sync) {
    const std::string temporary = (dir / "scores.txt.00000000.tmp").string();
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size())) std::abort();
    if (sync) fsync(fd);
    close(fd);
    if (rename(temporary.c_str(), (dir / "scores.txt").c_str()) != 0) std::abort();
    if (sync) {
        const int folder = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
        fsync(folder);
        close(folder);
    }
}

void BM_WriteAndRename(benchmark::State& state) {
    Folder folder;
    const std::string bytes = FullTable();
    for (auto _ : state) BareWriteAndRename(folder.path, bytes, state.range(0) != 0);
}
BENCHMARK(BM_WriteAndRename)->ArgName("synced")->Arg(0)->Arg(1)->UseRealTime();

void BM_GameSave(benchmark::State& state) {
    Folder folder;
    const fs::path previous = fs::current_path();
    fs::current_path(folder.path);
    std::FILE* file = std::fopen("scores.txt", "wb");
    const std::string bytes = FullTable();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    LoadHighScores();
    int32_t score = 1000000;
    for (auto _ : state) {
        NewEntryName = "Benchmark";
        WriteHighScoreFile(++score);  // always rank 1, so always a whole save
    }
    fs::current_path(previous);
}
BENCHMARK(BM_GameSave)->UseRealTime();

void BM_MemcpyFloor(benchmark::State& state) {
    const std::string bytes = FullTable();
    std::string copy(bytes.size(), '\0');
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_MemcpyFloor);

}  // namespace

BENCHMARK_MAIN();
