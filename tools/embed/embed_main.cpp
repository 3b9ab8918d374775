// The build-time resource embedder: zf_embed OUTPUT.cpp NAMESPACE::FUNCTION FILE...
// Reads each picture, sound and icon file and writes one C++ source holding them all. The output
// is rewritten only when it changes, so an unchanged set of files compiles nothing again.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tools/embed/embed_catalogue.h"

namespace {

bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string CurrentContents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

bool SameKeys(const embed::Resource& a, const embed::Resource& b) {
    return a.type == b.type && a.name == b.name;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: zf_embed OUTPUT.cpp NAMESPACE::FUNCTION FILE...\n");
        return 2;
    }
    std::string output = argv[1];
    std::vector<embed::Resource> resources;
    uint16_t next_image_id = 1;
    for (int i = 3; i < argc; ++i) {
        std::vector<uint8_t> bytes;
        if (!ReadFile(argv[i], &bytes)) {
            std::fprintf(stderr, "zf_embed: cannot read %s\n", argv[i]);
            return 1;
        }
        std::string error;
        auto found = embed::ResourcesForFile(argv[i], std::move(bytes), &next_image_id, &error);
        if (found.empty()) {
            std::fprintf(stderr, "zf_embed: %s: %s\n", argv[i], error.c_str());
            return 1;
        }
        for (embed::Resource& resource : found) {
            for (const embed::Resource& earlier : resources) {
                if (SameKeys(earlier, resource)) {
                    std::fprintf(stderr, "zf_embed: %s: a resource of that name already exists\n",
                                 argv[i]);
                    return 1;
                }
            }
            resources.push_back(std::move(resource));
        }
    }

    std::string source = embed::CatalogueSource(resources, argv[2]);
    if (CurrentContents(output) == source) return 0;
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << source;
    out.close();
    if (!out) {
        std::fprintf(stderr, "zf_embed: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}
