// Text in the selected raster font: TextOutA (top-left aligned, opaque or transparent),
// extents and metrics.
#include "platform/gdi/access.h"
#include "platform/gdi/canvas.h"

namespace platform::gdi {

namespace {

LoadedFont* FontOf(const DeviceContext& dc) {
    const FontObject* font = Handles().Get<FontObject>(dc.font, ObjectKind::kFont);
    return font ? Gdi().fonts().Find(font->choice) : nullptr;
}

void DrawGlyph(Canvas& canvas, const Glyph& glyph, int64_t x, int64_t y, uint32_t ink) {
    for (int row = 0; row < glyph.height; ++row) {
        const uint8_t* bits = glyph.pixels.data() + static_cast<size_t>(row) * glyph.width;
        int col = 0;
        // Runs of ink go down as one span each.
        while (col < glyph.width) {
            if (!bits[col]) {
                ++col;
                continue;
            }
            int start = col;
            while (col < glyph.width && bits[col]) ++col;
            canvas.FillSpan(y + glyph.top + row, x + glyph.left + start, x + glyph.left + col, ink);
        }
    }
}

}  // namespace

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int count) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc || count < 0 || (count > 0 && !text)) return FALSE;
    LoadedFont* font = FontOf(*dc);
    if (!font) return FALSE;
    Canvas canvas(*dc);
    if (dc->bk_mode == OPAQUE) {
        int64_t width = font->TextWidth(text, count);
        canvas.FillDeviceBox(x, y, x + width, int64_t{y} + font->metrics().height,
                             canvas.Ink(dc->bk_colour));
    }
    uint32_t ink = canvas.Ink(dc->text_colour);
    int64_t pen_x = x;
    for (int i = 0; i < count; ++i) {
        const Glyph& glyph = font->GlyphFor(static_cast<unsigned char>(text[i]));
        DrawGlyph(canvas, glyph, pen_x, y, ink);
        pen_x += glyph.advance;
    }
    return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc || !size || count < 0 || (count > 0 && !text)) return FALSE;
    LoadedFont* font = FontOf(*dc);
    if (!font) return FALSE;
    size->cx = font->TextWidth(text, count);
    size->cy = font->metrics().height;
    return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC hdc, TEXTMETRICA* metrics) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc || !metrics) return FALSE;
    LoadedFont* font = FontOf(*dc);
    if (!font) return FALSE;
    const FontMetrics& m = font->metrics();
    *metrics = TEXTMETRICA{};
    metrics->tmHeight = m.height;
    metrics->tmAscent = m.ascent;
    metrics->tmDescent = m.descent;
    metrics->tmInternalLeading = m.internal_leading;
    metrics->tmExternalLeading = m.external_leading;
    metrics->tmAveCharWidth = m.average_width;
    metrics->tmMaxCharWidth = m.max_width;
    metrics->tmWeight = m.weight;
    metrics->tmOverhang = 0;
    metrics->tmDigitizedAspectX = 96;
    metrics->tmDigitizedAspectY = 96;
    metrics->tmFirstChar = static_cast<BYTE>(m.first_char);
    metrics->tmLastChar = static_cast<BYTE>(m.last_char);
    metrics->tmDefaultChar = static_cast<BYTE>(m.default_char);
    metrics->tmBreakChar = static_cast<BYTE>(m.break_char);
    metrics->tmPitchAndFamily = static_cast<BYTE>(m.pitch_and_family);
    metrics->tmCharSet = static_cast<BYTE>(m.charset);
    return TRUE;
}
