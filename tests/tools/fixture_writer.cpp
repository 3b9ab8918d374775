// Writes the small files the embedder is run over at build time for the catalogue tests:
// fixture_writer DIR. The same builders make the bytes the tests expect.
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/tools/fixture_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fixture_writer DIR\n");
        return 2;
    }
    for (const media_test::FixtureFile& file : media_test::FixtureFiles()) {
        std::string path = std::string(argv[1]) + "/" + file.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.bytes.data()),
                  static_cast<std::streamsize>(file.bytes.size()));
        if (!out) {
            std::fprintf(stderr, "fixture_writer: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
