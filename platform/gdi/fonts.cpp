// Reads the fonts-wine raster fonts through FreeType and caches their glyphs.
#include "platform/gdi/fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_WINFONTS_H

#include <cstdlib>

namespace platform::gdi {

namespace {

constexpr const char* kFontFolder = "/usr/share/wine/fonts/";
constexpr const char* kPackage = "fonts-wine";
// The 8-point dialog font is the 13-pixel strike of the sans serif file.
constexpr int kDialogStrikeHeight = 13;

const char* FileFor(FontFamily family) {
    return family == FontFamily::kSansSerif ? "sserife.fon" : "vgasys.fon";
}

std::string PathFor(FontFamily family) {
    return std::string(kFontFolder) + FileFor(family);
}

class FtFont : public LoadedFont {
  public:
    FtFont(FT_Face face, const FT_WinFNT_HeaderRec& header) : face_(face) {
        metrics_.height = header.pixel_height;
        metrics_.ascent = header.ascent;
        metrics_.descent = header.pixel_height - header.ascent;
        metrics_.internal_leading = header.internal_leading;
        metrics_.external_leading = header.external_leading;
        metrics_.average_width = header.avg_width;
        metrics_.max_width = header.max_width;
        metrics_.weight = header.weight;
        metrics_.first_char = header.first_char;
        metrics_.last_char = header.last_char;
        // The file counts these from its first character.
        metrics_.default_char = header.first_char + header.default_char;
        metrics_.break_char = header.first_char + header.break_char;
        metrics_.pitch_and_family = header.pitch_and_family;
        metrics_.charset = header.charset;
    }
    ~FtFont() override { FT_Done_Face(face_); }

    const FontMetrics& metrics() const override { return metrics_; }

    const Glyph& GlyphFor(unsigned char code) override {
        if (!loaded_[code]) {
            glyphs_[code] = Render(code);
            loaded_[code] = true;
        }
        return glyphs_[code];
    }

  private:
    Glyph Render(unsigned char code) {
        Glyph glyph;
        // Index 0 is the font's default character, which stands in for missing ones.
        FT_UInt index = FT_Get_Char_Index(face_, code);
        if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return glyph;
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.advance = static_cast<int>(slot->advance.x >> 6);
        glyph.left = slot->bitmap_left;
        glyph.top = metrics_.ascent - slot->bitmap_top;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.height = static_cast<int>(bitmap.rows);
        glyph.pixels.assign(static_cast<size_t>(glyph.width) * glyph.height, 0);
        for (int y = 0; y < glyph.height; ++y) {
            const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
            for (int x = 0; x < glyph.width; ++x) {
                bool on = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                              ? ((row[x >> 3] >> (7 - (x & 7))) & 1) != 0
                              : row[x] >= 128;
                glyph.pixels[static_cast<size_t>(y) * glyph.width + x] = on ? 1 : 0;
            }
        }
        return glyph;
    }

    FT_Face face_;
    FontMetrics metrics_;
    std::array<Glyph, 256> glyphs_;
    std::array<bool, 256> loaded_{};
};

// Opens every strike of a .fon file; empty when the file cannot be read.
std::vector<std::unique_ptr<FtFont>> OpenStrikes(FT_Library library, const std::string& path) {
    std::vector<std::unique_ptr<FtFont>> strikes;
    FT_Face probe;
    if (FT_New_Face(library, path.c_str(), -1, &probe) != 0) return strikes;
    FT_Long count = probe->num_faces;
    FT_Done_Face(probe);
    for (FT_Long i = 0; i < count; ++i) {
        FT_Face face;
        if (FT_New_Face(library, path.c_str(), i, &face) != 0) continue;
        FT_WinFNT_HeaderRec header;
        if (face->num_charmaps < 1 || FT_Get_WinFNT_Header(face, &header) != 0) {
            FT_Done_Face(face);
            continue;
        }
        // Without this every character maps to the same box.
        FT_Set_Charmap(face, face->charmaps[0]);
        if (face->num_fixed_sizes > 0) FT_Set_Pixel_Sizes(face, 0, face->available_sizes[0].height);
        strikes.push_back(std::make_unique<FtFont>(face, header));
    }
    return strikes;
}

// Raster fonts come in fixed strikes: take the tallest that does not exceed the request
// (the smallest when all do), as the font mapper does for raster fonts.
FtFont* PickStrike(const std::vector<std::unique_ptr<FtFont>>& strikes, FontFamily family,
                   int height) {
    if (strikes.empty()) return nullptr;
    if (height == 0) height = family == FontFamily::kSansSerif ? kDialogStrikeHeight : 0;
    FtFont* best = nullptr;
    FtFont* smallest = strikes.front().get();
    for (const auto& strike : strikes) {
        const FontMetrics& m = strike->metrics();
        int size = height < 0 ? m.height - m.internal_leading : m.height;
        if (m.height < smallest->metrics().height) smallest = strike.get();
        if (height != 0 && size > std::abs(height)) continue;
        if (!best || m.height > best->metrics().height) best = strike.get();
    }
    if (height == 0) return smallest;
    return best ? best : smallest;
}

}  // namespace

int LoadedFont::TextWidth(const char* text, int count) {
    int width = 0;
    for (int i = 0; i < count; ++i) width += GlyphFor(static_cast<unsigned char>(text[i])).advance;
    return width;
}

struct FontLibrary::Impl {
    FT_Library library = nullptr;
    bool tried[2] = {false, false};
    std::vector<std::unique_ptr<FtFont>> strikes[2];

    ~Impl() {
        for (auto& family : strikes) family.clear();  // faces before the library
        if (library) FT_Done_FreeType(library);
    }
};

FontLibrary::FontLibrary() : impl_(std::make_unique<Impl>()) {}
FontLibrary::~FontLibrary() = default;

LoadedFont* FontLibrary::Find(const FontChoice& choice) {
    int slot = choice.family == FontFamily::kSansSerif ? 1 : 0;
    if (!impl_->tried[slot]) {
        impl_->tried[slot] = true;
        if (!impl_->library && FT_Init_FreeType(&impl_->library) != 0) impl_->library = nullptr;
        if (impl_->library)
            impl_->strikes[slot] = OpenStrikes(impl_->library, PathFor(choice.family));
    }
    return PickStrike(impl_->strikes[slot], choice.family, choice.height);
}

bool FontsAvailable(std::string* problem) {
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) {
        if (problem) *problem = "The FreeType library could not be started.";
        return false;
    }
    std::string missing;
    for (FontFamily family : {FontFamily::kSystem, FontFamily::kSansSerif}) {
        auto strikes = OpenStrikes(library, PathFor(family));
        bool usable = !strikes.empty();
        if (family == FontFamily::kSansSerif) {
            usable = false;
            for (const auto& strike : strikes)
                usable = usable || strike->metrics().height == kDialogStrikeHeight;
        }
        if (!usable && missing.empty()) missing = PathFor(family);
    }
    FT_Done_FreeType(library);
    if (missing.empty()) return true;
    if (problem)
        *problem =
            "Cannot read the font " + missing + ": install the Debian package " + kPackage + ".";
    return false;
}

}  // namespace platform::gdi
