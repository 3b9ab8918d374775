// Windows-1252 differs from Latin-1 only in 0x80-0x9F; five of those bytes are unassigned.
#include "text_codec.h"

#include <cstdint>

namespace platform::sdl {

namespace {

constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char32_t CodePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

void AppendUtf8(char32_t code, std::string* out) {
    if (code < 0x80) {
        out->push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (code >> 6)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xE0 | (code >> 12)));
        out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

int ByteOf(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == code && code != 0) return 0x80 + i;
    return -1;
}

// Decodes one UTF-8 sequence at text[*at]; returns -1 (and skips a byte) when malformed.
int64_t NextCodePoint(std::string_view text, size_t* at) {
    unsigned char lead = static_cast<unsigned char>(text[*at]);
    int length = lead < 0x80         ? 1
                 : (lead >> 5) == 6  ? 2
                 : (lead >> 4) == 14 ? 3
                 : (lead >> 3) == 30 ? 4
                                     : 0;
    if (length == 0 || *at + length > text.size()) {
        ++*at;
        return -1;
    }
    if (length == 1) return text[(*at)++];
    char32_t code = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        unsigned char next = static_cast<unsigned char>(text[*at + i]);
        if ((next & 0xC0) != 0x80) {
            ++*at;
            return -1;
        }
        code = (code << 6) | (next & 0x3F);
    }
    *at += length;
    return code;
}

}  // namespace

std::string CodePageToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        char32_t code = CodePointOf(static_cast<unsigned char>(c));
        AppendUtf8(code ? code : U'?', &out);
    }
    return out;
}

std::string Utf8ToCodePage(std::string_view text) {
    std::string out;
    size_t at = 0;
    while (at < text.size()) {
        int64_t code = NextCodePoint(text, &at);
        if (code < 0) continue;
        int byte = ByteOf(static_cast<char32_t>(code));
        if (byte >= 0) out.push_back(static_cast<char>(byte));
    }
    return out;
}

}  // namespace platform::sdl
