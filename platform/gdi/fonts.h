// The raster fonts text is drawn with: Debian's fonts-wine files read through FreeType, their
// metrics, and a glyph cache (the status numbers are drawn 64 times a second).
// Only this file's .cpp sees FreeType.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::gdi {

// Checks that the font files can be read; on failure `problem` gets one line naming the
// package and the missing file. The program calls it before any window opens.
bool FontsAvailable(std::string* problem);

enum class FontFamily { kSystem, kSansSerif };

// What a font handle asks for; the library picks the strike when text is drawn.
struct FontChoice {
    FontFamily family = FontFamily::kSystem;
    int height = 0;  // as CreateFontA takes it: > 0 cell height, < 0 character height, 0 default
};

struct FontMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int internal_leading = 0;
    int external_leading = 0;
    int average_width = 0;
    int max_width = 0;
    int weight = 0;
    int first_char = 0;
    int last_char = 0;
    int default_char = 0;
    int break_char = 0;
    int pitch_and_family = 0;
    int charset = 0;
};

// One character's picture within its cell: `pixels` is width x height bytes (1 = ink), placed
// at (left, top) from the cell's top-left corner.
struct Glyph {
    int advance = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

class LoadedFont {
  public:
    virtual ~LoadedFont() = default;
    virtual const FontMetrics& metrics() const = 0;
    virtual const Glyph& GlyphFor(unsigned char code) = 0;
    // Sum of the advances of the first `count` characters.
    int TextWidth(const char* text, int count);
};

class FontLibrary {
  public:
    FontLibrary();
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    // nullptr when the font's file cannot be read.
    LoadedFont* Find(const FontChoice& choice);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform::gdi
