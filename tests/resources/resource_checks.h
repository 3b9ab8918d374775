// Checks of the game's pictures, icon and sounds against the catalogue, made on bytes, so they
// serve the files in resources/ and the copies embedded in the program alike. Each check returns
// the list of what is wrong, empty when all is well.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace resource_checks {

using Bytes = std::span<const std::uint8_t>;

// What lies around the picture's subject.
enum class Background {
    kFilled,      // the picture fills its rectangle
    kKeyWhite,    // a sprite keyed on white
    kKeyBlack,    // a sprite keyed on black
    kRoad,        // black, as the road band
    kRiver,       // blue, as the river band
    kBlueGreen,   // a plain blue-green ground
    kSkyCorners,  // the sky shows at the top corners
};

struct CataloguedBitmap {
    const char* name;  // lower case; digits for a numbered resource
    int width;
    int height;
    int depth;
    Background background;
};

struct CataloguedSound {
    const char* name;
    std::uint32_t rate;
    std::uint32_t samples;
};

std::span<const CataloguedBitmap> Bitmaps();
std::span<const CataloguedSound> Sounds();

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // top row first
    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The sixteen standard system colours in their standard order.
std::span<const Rgb> SystemColours();

// Reads an uncompressed bottom-up BMP with a 40-byte header; what is wrong goes to problems.
Image DecodeBmp(Bytes bytes, std::vector<std::string>& problems);

// Key pixels cut off from the edges in a hole no bigger than this are a flaw, not a gap.
inline constexpr int kLargestPinhole = 11;

std::vector<std::string> CheckBitmap(Bytes bytes, const CataloguedBitmap& want);
std::vector<std::string> CheckSound(Bytes bytes, const CataloguedSound& want);
// The icon file, or one icon image as a compiled resource holds it (header, palette, colour
// rows and mask rows, without the file's directory).
std::vector<std::string> CheckIcon(Bytes bytes);
std::vector<std::string> CheckIconImage(Bytes image);

}  // namespace resource_checks
