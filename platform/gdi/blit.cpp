// BitBlt: both rectangles clipped (a source past its bitmap leaves those destination pixels
// alone), the colour/monochrome conversions, and row order chosen so that overlapping copies
// within one surface behave like memmove.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/access.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/raster_op.h"

namespace platform::gdi {

namespace {

// One blit after clipping: `width` x `height` pixels from (src_x, src_y) to (dst_x, dst_y),
// surface coordinates, all inside their surfaces.
struct BlitJob {
    Surface* dst;
    const Surface* src;  // nullptr when the operation ignores the source
    int dst_x, dst_y, src_x, src_y, width, height;
    RasterOp op;
    uint32_t src_bk;    // colour -> mono: this source colour becomes 1
    uint32_t dst_text;  // mono -> colour: 0 becomes this
    uint32_t dst_bk;    //                 1 becomes this
};

// 32 bits of a monochrome row starting at pixel `x`, which may lie outside the row (zeros).
uint32_t BitsAt(const uint32_t* row, int words, int64_t x) {
    int64_t word = x >> 5;
    int shift = static_cast<int>(x & 31);
    auto at = [&](int64_t i) { return i >= 0 && i < words ? row[i] : 0u; };
    uint32_t high = at(word);
    return shift == 0 ? high : (high << shift) | (at(word + 1) >> (32 - shift));
}

// The source row converted to what a colour destination reads: one word per pixel.
void SourceForColour(const BlitJob& job, int y, std::vector<uint32_t>& out) {
    out.resize(job.width);
    if (!job.src) {
        std::fill(out.begin(), out.end(), 0u);
    } else if (!job.src->IsMono()) {
        const uint32_t* row = job.src->Row(job.src_y + y) + job.src_x;
        std::copy(row, row + job.width, out.begin());
    } else {
        for (int i = 0; i < job.width; ++i)
            out[i] = job.src->Bit(job.src_x + i, job.src_y + y) ? job.dst_bk : job.dst_text;
    }
}

// The source row converted to what a monochrome destination reads: bits packed into words
// aligned with the destination's, so word k covers destination pixels from (dst_x & ~31) + 32k.
void SourceForMono(const BlitJob& job, int y, std::vector<uint32_t>& out) {
    int first_word = job.dst_x >> 5;
    int words = ((job.dst_x + job.width - 1) >> 5) - first_word + 1;
    out.assign(words, 0u);
    if (!job.src) return;
    int lead = job.dst_x & 31;  // destination pixels of the first word before the copy
    if (job.src->IsMono()) {
        const uint32_t* row = job.src->Row(job.src_y + y);
        for (int k = 0; k < words; ++k)
            out[k] = BitsAt(row, job.src->stride_words, int64_t{job.src_x} - lead + 32 * k);
    } else {
        const uint32_t* row = job.src->Row(job.src_y + y) + job.src_x;
        for (int i = 0; i < job.width; ++i) {
            if (row[i] == job.src_bk) out[(lead + i) >> 5] |= 1u << (31 - ((lead + i) & 31));
        }
    }
}

void BlitColourRow(const BlitJob& job, int y, const std::vector<uint32_t>& source) {
    uint32_t* row = job.dst->Row(job.dst_y + y) + job.dst_x;
    // Callers clip: every index below lies inside the row.
    for (int i = 0; i < job.width; ++i) row[i] = job.op.Apply(source[i], row[i]) & kRgbMask;
}

void BlitMonoRow(const BlitJob& job, int y, const std::vector<uint32_t>& source) {
    uint32_t* row = job.dst->Row(job.dst_y + y);
    int first_word = job.dst_x >> 5;
    int end = job.dst_x + job.width;
    for (size_t k = 0; k < source.size(); ++k) {
        int word_x = (first_word + static_cast<int>(k)) * 32;
        int from = std::max(job.dst_x, word_x) - word_x;
        int to = std::min(end, word_x + 32) - word_x;
        uint32_t mask = (to - from == 32) ? ~0u : (((1u << (to - from)) - 1u) << (32 - to));
        uint32_t& dest = row[first_word + k];
        dest = (dest & ~mask) | (job.op.Apply(source[k], dest) & mask);
    }
}

void RunBlit(const BlitJob& job, std::vector<uint32_t>& scratch) {
    job.dst->MarkDirty(job.dst_x, job.dst_y, job.dst_x + job.width, job.dst_y + job.height);
    // Copying down within one surface must read each row before it is overwritten.
    bool bottom_up = job.src == job.dst && job.dst_y > job.src_y;
    bool fast_copy = job.op.IsCopy() && job.src && !job.src->IsMono() && !job.dst->IsMono();
    for (int n = 0; n < job.height; ++n) {
        int y = bottom_up ? job.height - 1 - n : n;
        if (fast_copy) {
            std::memmove(job.dst->Row(job.dst_y + y) + job.dst_x,
                         job.src->Row(job.src_y + y) + job.src_x, sizeof(uint32_t) * job.width);
        } else if (job.dst->IsMono()) {
            SourceForMono(job, y, scratch);
            BlitMonoRow(job, y, scratch);
        } else {
            SourceForColour(job, y, scratch);
            BlitColourRow(job, y, scratch);
        }
    }
}

int ClampInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                   DWORD rop) {
    DeviceContext* dst_dc = LookupDc(dest);
    std::optional<RasterOp> op = DecodeRasterOp(rop);
    if (!dst_dc || !op) return FALSE;
    DeviceContext* src_dc = op->UsesSource() ? LookupDc(src) : nullptr;
    if (op->UsesSource() && !src_dc) return FALSE;

    // Negative extents name the same rectangle from its other corner.
    int64_t dx = x, dy = y, sx = srcX, sy = srcY, w = width, h = height;
    if (w < 0) dx += w, sx += w, w = -w;
    if (h < 0) dy += h, sy += h, h = -h;

    // Clip in the blit's own offsets: those whose destination lies in the destination's clip
    // and whose source lies inside the source.
    Canvas dst(*dst_dc);
    dx += dst.origin_x(), dy += dst.origin_y();
    int64_t left = std::max<int64_t>(0, dst.clip().left - dx);
    int64_t top = std::max<int64_t>(0, dst.clip().top - dy);
    int64_t right = std::min<int64_t>(w, dst.clip().right - dx);
    int64_t bottom = std::min<int64_t>(h, dst.clip().bottom - dy);
    const Surface* src_surface = nullptr;
    uint32_t src_bk = 0;
    if (src_dc) {
        Canvas src_canvas(*src_dc);
        sx += src_canvas.origin_x(), sy += src_canvas.origin_y();
        left = std::max<int64_t>(left, src_canvas.clip().left - sx);
        top = std::max<int64_t>(top, src_canvas.clip().top - sy);
        right = std::min<int64_t>(right, src_canvas.clip().right - sx);
        bottom = std::min<int64_t>(bottom, src_canvas.clip().bottom - sy);
        src_surface = &src_canvas.surface();
        src_bk = RgbFromColorRef(src_dc->bk_colour);
    }
    if (left >= right || top >= bottom) return TRUE;

    BlitJob job{&dst.surface(),
                src_surface,
                ClampInt(dx + left),
                ClampInt(dy + top),
                ClampInt(sx + left),
                ClampInt(sy + top),
                ClampInt(right - left),
                ClampInt(bottom - top),
                *op,
                src_bk,
                RgbFromColorRef(dst_dc->text_colour),
                RgbFromColorRef(dst_dc->bk_colour)};
    RunBlit(job, Gdi().scratch());
    return TRUE;
}
