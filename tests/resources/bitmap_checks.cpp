// Checks of the pictures: the file and information headers, the palette, the pixels, and what
// surrounds each picture's subject (the key of a sprite, the band colour of a lane object).
#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "tests/resources/byte_reader.h"
#include "tests/resources/resource_checks.h"

namespace resource_checks {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

std::string Describe(Rgb c) {
    // Appended rather than prefixed: GCC 12 at -O3 warns falsely about "(" + std::string.
    std::string text = "(";
    text += std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
    return text;
}

// Key pixels that the figure closes off from the edges in holes of at most kLargestPinhole.
int CountPinholes(const Image& image, Rgb key) {
    const int w = image.width, h = image.height;
    std::vector<char> seen(static_cast<size_t>(w) * h, 0);
    int pinholes = 0;
    for (int start = 0; start < w * h; ++start) {
        if (seen[start] || image.pixels[start] != key) continue;
        std::vector<int> stack{start};
        seen[start] = 1;
        int size = 0;
        bool touches_edge = false;
        while (!stack.empty()) {
            const int at = stack.back();
            stack.pop_back();
            ++size;
            const int x = at % w, y = at / w;
            touches_edge = touches_edge || x == 0 || y == 0 || x == w - 1 || y == h - 1;
            const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& [nx, ny] : next) {
                if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                const int n = ny * w + nx;
                if (!seen[n] && image.pixels[n] == key) {
                    seen[n] = 1;
                    stack.push_back(n);
                }
            }
        }
        if (!touches_edge && size <= kLargestPinhole) pinholes += size;
    }
    return pinholes;
}

void CheckCorners(const Image& image, Rgb colour, const char* what,
                  std::vector<std::string>& problems) {
    const int w = image.width - 1, h = image.height - 1;
    for (auto [x, y] : {std::pair{0, 0}, {w, 0}, {0, h}, {w, h}}) {
        if (image.At(x, y) != colour) {
            problems.push_back(std::string("corner (") + std::to_string(x) + ", " +
                               std::to_string(y) + ") is " + Describe(image.At(x, y)) + ", not " +
                               what + " " + Describe(colour));
        }
    }
}

void CheckKey(const Image& image, Rgb key, std::vector<std::string>& problems) {
    CheckCorners(image, key, "the key", problems);
    const auto keyed = std::count(image.pixels.begin(), image.pixels.end(), key);
    if (keyed == static_cast<long>(image.pixels.size())) {
        problems.push_back("the picture is nothing but its key colour");
    }
    if (const int pinholes = CountPinholes(image, key); pinholes > 0) {
        problems.push_back(std::to_string(pinholes) +
                           " pixel(s) inside the figure have exactly the key colour");
    }
}

void CheckBackground(const Image& image, Background background,
                     std::vector<std::string>& problems) {
    switch (background) {
        case Background::kFilled:
            break;
        case Background::kKeyWhite:
            CheckKey(image, kWhite, problems);
            break;
        case Background::kKeyBlack:
            CheckKey(image, kBlack, problems);
            break;
        case Background::kRoad:
            CheckCorners(image, kBlack, "the road's", problems);
            break;
        case Background::kRiver:
            CheckCorners(image, kBlue, "the river's", problems);
            break;
        case Background::kBlueGreen: {
            const Rgb ground = image.At(0, 0);
            CheckCorners(image, ground, "the ground's", problems);
            if (ground.g < ground.r + 60 || ground.b < ground.r + 60) {
                problems.push_back("the ground " + Describe(ground) + " is not blue-green");
            }
            break;
        }
        case Background::kSkyCorners:
            for (int x : {0, image.width - 1}) {
                const Rgb c = image.At(x, 0);
                if (c.b < 150 || c.b < c.r + 40) {
                    problems.push_back("top corner " + Describe(c) + " is not sky");
                }
            }
            break;
    }
}

}  // namespace

Image DecodeBmp(Bytes bytes, std::vector<std::string>& problems) {
    ByteReader in(bytes);
    Image image;
    if (in.size() < 54 || in.U8(0) != 'B' || in.U8(1) != 'M') {
        problems.push_back("not a BMP file");
        return image;
    }
    if (in.U32(2) != in.size()) problems.push_back("file size field disagrees with the file");
    const std::uint32_t offset = in.U32(10);
    const std::int32_t width = in.I32(18), height = in.I32(22);
    const std::uint32_t depth = in.U16(28);
    if (in.U32(14) != 40) problems.push_back("information header is not 40 bytes");
    if (in.U16(26) != 1) problems.push_back("planes is not 1");
    if (in.U32(30) != 0) problems.push_back("compressed (not BI_RGB)");
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
        problems.push_back("size is not a positive bottom-up size");
        return image;
    }
    if (depth != 4 && depth != 8 && depth != 24) {
        problems.push_back("depth " + std::to_string(depth) + " is not 4, 8 or 24");
        return image;
    }
    const std::uint32_t used = in.U32(46);
    const std::uint32_t colours = depth == 24 ? 0 : 1u << depth;
    if (depth != 24 && used != 0 && used != colours) {
        problems.push_back("palette holds " + std::to_string(used) + " colours, not " +
                           std::to_string(colours));
    }
    if (offset != 54 + 4 * colours) problems.push_back("pixel data does not follow the palette");
    const size_t stride = ((static_cast<size_t>(width) * depth + 31) / 32) * 4;
    const std::uint32_t image_size = in.U32(34);
    if (image_size != 0 && image_size != stride * height) {
        problems.push_back("image size field disagrees with the rows");
    }
    if (!in.Fits(offset, stride * height)) {
        problems.push_back("pixel rows run past the end of the file");
        return image;
    }
    std::vector<Rgb> palette(colours);
    for (std::uint32_t i = 0; i < colours; ++i) {
        const size_t at = 54 + 4 * i;
        palette[i] =
            Rgb{static_cast<std::uint8_t>(in.U8(at + 2)), static_cast<std::uint8_t>(in.U8(at + 1)),
                static_cast<std::uint8_t>(in.U8(at))};
    }
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const size_t row = offset + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            Rgb& out = image.pixels[static_cast<size_t>(y) * width + x];
            if (depth == 24) {
                const size_t at = row + 3 * static_cast<size_t>(x);
                out = Rgb{static_cast<std::uint8_t>(in.U8(at + 2)),
                          static_cast<std::uint8_t>(in.U8(at + 1)),
                          static_cast<std::uint8_t>(in.U8(at))};
            } else if (depth == 8) {
                out = palette[in.U8(row + x)];
            } else {
                const std::uint32_t byte = in.U8(row + x / 2);
                out = palette[x % 2 ? byte & 15 : byte >> 4];
            }
        }
    }
    if (depth == 4 && !std::equal(palette.begin(), palette.end(), SystemColours().begin())) {
        problems.push_back("the 16 colours are not the standard system colours in order");
    }
    return image;
}

std::vector<std::string> CheckBitmap(Bytes bytes, const CataloguedBitmap& want) {
    std::vector<std::string> problems;
    ByteReader in(bytes);
    if (in.size() >= 30 && (in.I32(18) != want.width || in.I32(22) != want.height ||
                            static_cast<int>(in.U16(28)) != want.depth)) {
        problems.push_back("is " + std::to_string(in.I32(18)) + " x " + std::to_string(in.I32(22)) +
                           " at depth " + std::to_string(in.U16(28)) + ", not " +
                           std::to_string(want.width) + " x " + std::to_string(want.height) +
                           " at depth " + std::to_string(want.depth));
        return problems;
    }
    Image image = DecodeBmp(bytes, problems);
    if (image.pixels.empty()) return problems;
    CheckBackground(image, want.background, problems);
    // A picture, not a blank rectangle.
    auto& pixels = image.pixels;
    std::sort(pixels.begin(), pixels.end(),
              [](Rgb a, Rgb b) { return std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b); });
    if (std::unique(pixels.begin(), pixels.end()) - pixels.begin() < 4) {
        problems.push_back("has fewer than four colours");
    }
    return problems;
}

}  // namespace resource_checks
