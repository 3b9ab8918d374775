#include "tests/game/golden_image.h"

#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "tools/png/surface_png.h"

namespace game_test {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void PutBig32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t GetBig32(const uint8_t* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           bytes[3];
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutBig32(out, static_cast<uint32_t>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
    PutBig32(out, static_cast<uint32_t>(crc));
}

}  // namespace

bool WriteGoldenPng(const std::string& path, const platform::Surface& surface) {
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(surface.height) * (1 + 3 * surface.width));
    for (int y = 0; y < surface.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < surface.width; ++x) {
            uint32_t rgb = surface.Pixel(x, y);
            raw.insert(raw.end(), {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                                   static_cast<uint8_t>(rgb)});
        }
    }
    uLongf packed_size = compressBound(raw.size());
    std::vector<uint8_t> packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), raw.size(), Z_BEST_COMPRESSION) != Z_OK)
        return false;
    packed.resize(packed_size);

    std::vector<uint8_t> file(std::begin(kSignature), std::end(kSignature));
    std::vector<uint8_t> header;
    PutBig32(header, static_cast<uint32_t>(surface.width));
    PutBig32(header, static_cast<uint32_t>(surface.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", {});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

bool ReadGoldenPng(const std::string& path, platform::Surface* surface) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
    if (file.size() < 8 || !std::equal(std::begin(kSignature), std::end(kSignature), file.begin()))
        return false;
    int width = 0, height = 0;
    std::vector<uint8_t> packed;
    for (size_t at = 8; at + 12 <= file.size();) {
        uint32_t length = GetBig32(&file[at]);
        if (at + 12 + length > file.size()) return false;
        std::string type(reinterpret_cast<const char*>(&file[at + 4]), 4);
        const uint8_t* data = &file[at + 8];
        if (type == "IHDR") {
            // Only what WriteGoldenPng makes: 8-bit RGB, not interlaced.
            if (length != 13 || data[8] != 8 || data[9] != 2 || data[12] != 0) return false;
            width = static_cast<int>(GetBig32(data));
            height = static_cast<int>(GetBig32(data + 4));
        } else if (type == "IDAT") {
            packed.insert(packed.end(), data, data + length);
        }
        at += 12 + length;
    }
    size_t row_bytes = 1 + 3 * static_cast<size_t>(width);
    std::vector<uint8_t> raw(row_bytes * height);
    uLongf raw_size = raw.size();
    if (width <= 0 || height <= 0 ||
        uncompress(raw.data(), &raw_size, packed.data(), packed.size()) != Z_OK ||
        raw_size != raw.size())
        return false;
    *surface = platform::Surface::Color(width, height);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &raw[y * row_bytes];
        if (row[0] != 0) return false;  // unfiltered rows only
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = row + 1 + 3 * x;
            surface->SetPixel(x, y, (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2]);
        }
    }
    return true;
}

::testing::AssertionResult MatchesGolden(const platform::Surface& actual, const std::string& name,
                                         const std::string& failure_folder) {
    std::filesystem::path golden = std::filesystem::path(ZF_GOLDEN_DIR) / name;
    const char* update = std::getenv("ZF_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        if (!WriteGoldenPng(golden.string(), actual))
            return ::testing::AssertionFailure() << "cannot write " << golden;
        return ::testing::AssertionSuccess() << "wrote " << golden;
    }
    platform::Surface expected;
    std::string problem;
    if (!ReadGoldenPng(golden.string(), &expected)) {
        problem = "cannot read the golden picture " + golden.string();
    } else if (expected.width != actual.width || expected.height != actual.height) {
        std::ostringstream text;
        text << "the golden picture is " << expected.width << " x " << expected.height
             << ", the window " << actual.width << " x " << actual.height;
        problem = text.str();
    } else {
        int differing = 0;
        std::ostringstream first;
        for (int y = 0; y < actual.height; ++y) {
            for (int x = 0; x < actual.width; ++x) {
                if (actual.Pixel(x, y) == expected.Pixel(x, y)) continue;
                if (differing++ < 5) {
                    first << " (" << x << ", " << y << ") is " << std::hex << actual.Pixel(x, y)
                          << " not " << expected.Pixel(x, y) << std::dec << ";";
                }
            }
        }
        if (differing == 0) return ::testing::AssertionSuccess();
        problem = std::to_string(differing) + " pixels differ:" + first.str();
    }
    std::filesystem::create_directories(failure_folder);
    std::filesystem::path stem = std::filesystem::path(failure_folder) / golden.stem();
    png::WritePng(stem.string() + ".actual.png", actual);
    if (expected.width > 0) png::WritePng(stem.string() + ".expected.png", expected);
    return ::testing::AssertionFailure()
           << problem << "\nthe actual picture: " << stem.string() << ".actual.png";
}

}  // namespace game_test
