// Builders of the tests' pictures, sounds and icons.
#include "tests/support/test_files.h"

#include <cassert>

namespace media_test {

namespace {

void Append16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Append32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void AppendTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

std::vector<uint8_t> PackRow(const BmpRecipe& recipe, int row) {
    size_t stride = (static_cast<size_t>(recipe.width) * recipe.bits + 31) / 32 * 4;
    std::vector<uint8_t> out(stride, 0);
    const uint32_t* values = recipe.values.data() + static_cast<size_t>(row) * recipe.width;
    for (int x = 0; x < recipe.width; ++x) {
        uint32_t v = values[x];
        if (recipe.bits == 24) {
            out[x * 3] = static_cast<uint8_t>(v);
            out[x * 3 + 1] = static_cast<uint8_t>(v >> 8);
            out[x * 3 + 2] = static_cast<uint8_t>(v >> 16);
        } else if (recipe.bits == 8) {
            out[x] = static_cast<uint8_t>(v);
        } else {
            out[x / 2] |= static_cast<uint8_t>((x & 1) ? (v & 0x0F) : (v & 0x0F) << 4);
        }
    }
    return out;
}

}  // namespace

void PutLe16(std::vector<uint8_t>& out, size_t at, uint16_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void PutLe32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

std::vector<uint8_t> MakeBmp(const BmpRecipe& recipe) {
    assert(recipe.values.size() == static_cast<size_t>(recipe.width) * recipe.height);
    std::vector<uint8_t> pixels;
    for (int i = 0; i < recipe.height; ++i) {
        int row = recipe.top_down ? i : recipe.height - 1 - i;
        std::vector<uint8_t> packed = PackRow(recipe, row);
        pixels.insert(pixels.end(), packed.begin(), packed.end());
    }
    size_t headers = (recipe.file_header ? 14 : 0) + 40 + recipe.palette.size() * 4;

    std::vector<uint8_t> out;
    if (recipe.file_header) {
        out.push_back('B');
        out.push_back('M');
        Append32(out, static_cast<uint32_t>(headers + pixels.size()));
        Append32(out, 0);
        Append32(out, static_cast<uint32_t>(headers));
    }
    Append32(out, 40);
    Append32(out, static_cast<uint32_t>(recipe.width));
    Append32(out, static_cast<uint32_t>(recipe.top_down ? -recipe.height : recipe.height));
    Append16(out, 1);
    Append16(out, static_cast<uint16_t>(recipe.bits));
    Append32(out, 0);  // uncompressed
    Append32(out, static_cast<uint32_t>(pixels.size()));
    Append32(out, 3780);  // 96 dots per inch
    Append32(out, 3780);
    Append32(out, recipe.colours_used);
    Append32(out, 0);
    for (uint32_t rgb : recipe.palette) {
        out.push_back(static_cast<uint8_t>(rgb));
        out.push_back(static_cast<uint8_t>(rgb >> 8));
        out.push_back(static_cast<uint8_t>(rgb >> 16));
        out.push_back(0);
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

std::vector<uint8_t> MakeWave(const WaveRecipe& recipe) {
    std::vector<uint8_t> out;
    AppendTag(out, "RIFF");
    Append32(out, 0);  // filled below
    AppendTag(out, "WAVE");
    if (recipe.chunk_before_format) {
        AppendTag(out, "LIST");
        Append32(out, 3);
        out.insert(out.end(), {'a', 'b', 'c', 0});  // three bytes and the pad
    }
    AppendTag(out, "fmt ");
    Append32(out, 16);
    Append16(out, recipe.format);
    Append16(out, recipe.channels);
    Append32(out, recipe.rate);
    Append32(out, recipe.rate * recipe.block_align);
    Append16(out, recipe.block_align);
    Append16(out, recipe.bits);
    AppendTag(out, "data");
    Append32(out, static_cast<uint32_t>(recipe.samples.size()));
    out.insert(out.end(), recipe.samples.begin(), recipe.samples.end());
    if (recipe.samples.size() & 1) out.push_back(0);
    PutLe32(out, kWaveRiffSize, static_cast<uint32_t>(out.size() - 8));
    return out;
}

std::vector<uint8_t> MakeIco(const std::vector<IconImage>& images) {
    std::vector<uint8_t> out;
    Append16(out, 0);
    Append16(out, 1);
    Append16(out, static_cast<uint16_t>(images.size()));
    size_t offset = 6 + 16 * images.size();
    for (const IconImage& image : images) {
        out.push_back(image.width);
        out.push_back(image.height);
        out.push_back(image.colours);
        out.push_back(0);
        Append16(out, 1);
        Append16(out, image.bits);
        Append32(out, static_cast<uint32_t>(image.bytes.size()));
        Append32(out, static_cast<uint32_t>(offset));
        offset += image.bytes.size();
    }
    for (const IconImage& image : images)
        out.insert(out.end(), image.bytes.begin(), image.bytes.end());
    return out;
}

}  // namespace media_test
