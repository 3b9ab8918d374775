// libFuzzer target: the high-score file's load, save and reload in a private directory.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "round_trip.h"

namespace {

std::string& PrivateDirectory() {
    static std::string dir;
    return dir;
}

void RemovePrivateDirectory() {
    std::error_code error;
    std::filesystem::remove_all(PrivateDirectory(), error);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string& dir = PrivateDirectory();
    dir = (std::filesystem::temp_directory_path() / "zf-fuzz-XXXXXX").string();
    if (!mkdtemp(dir.data()) || chdir(dir.c_str()) != 0) {
        std::perror("private directory");
        std::abort();
    }
    std::atexit(RemovePrivateDirectory);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string failure = CheckRoundTrip(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "round trip failed: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
