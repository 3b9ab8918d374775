// wsprintfA: the window system's small printf (no floating point, no '*' widths) with its
// 1024-byte output limit, so no caller can run past the buffer it was told to expect.
#include <cstdarg>
#include <cstring>
#include <string>

#include "platform/win32.h"

namespace {

constexpr size_t kMaxOutput = 1024;  // bytes, the terminating zero included

struct Spec {
    bool left = false, zero = false, alternate = false;
    int width = 0;
    int precision = -1;
};

void Pad(std::string& out, const Spec& spec, const std::string& body, const std::string& prefix) {
    size_t length = body.size() + prefix.size();
    size_t fill =
        spec.width > 0 && static_cast<size_t>(spec.width) > length ? spec.width - length : 0;
    if (spec.left) {
        out += prefix + body + std::string(fill, ' ');
    } else if (spec.zero) {
        out += prefix + std::string(fill, '0') + body;
    } else {
        out += std::string(fill, ' ') + prefix + body;
    }
}

std::string Digits(unsigned long long value, unsigned base, bool upper, int precision) {
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % base]);
        value /= base;
    } while (value);
    if (precision >= 0 && text.size() < static_cast<size_t>(precision))
        text.insert(0, precision - text.size(), '0');
    return text;
}

// Formats one conversion starting after '%'; returns the position after it.
const char* Convert(const char* p, va_list& args, std::string& out) {
    Spec spec;
    for (;; ++p) {
        if (*p == '-')
            spec.left = true;
        else if (*p == '0')
            spec.zero = true;
        else if (*p == '#')
            spec.alternate = true;
        else
            break;
    }
    while (*p >= '0' && *p <= '9') spec.width = spec.width * 10 + (*p++ - '0');
    if (*p == '.') {
        spec.precision = 0;
        for (++p; *p >= '0' && *p <= '9'; ++p) spec.precision = spec.precision * 10 + (*p - '0');
    }
    while (*p == 'l' || *p == 'h') ++p;  // 32-bit either way, as on Win32
    switch (*p) {
        case 'd':
        case 'i': {
            int value = va_arg(args, int);
            long long wide = value;
            std::string body = Digits(wide < 0 ? -wide : wide, 10, false, spec.precision);
            Pad(out, spec, body, value < 0 ? "-" : "");
            break;
        }
        case 'u':
            Pad(out, spec, Digits(va_arg(args, unsigned), 10, false, spec.precision), "");
            break;
        case 'x':
        case 'X': {
            unsigned value = va_arg(args, unsigned);
            bool upper = *p == 'X';
            std::string prefix = spec.alternate && value ? (upper ? "0X" : "0x") : "";
            Pad(out, spec, Digits(value, 16, upper, spec.precision), prefix);
            break;
        }
        case 'c':
            Pad(out, spec, std::string(1, static_cast<char>(va_arg(args, int))), "");
            break;
        case 's': {
            const char* text = va_arg(args, const char*);
            if (!text) text = "(null)";
            size_t length = std::strlen(text);
            if (spec.precision >= 0 && length > static_cast<size_t>(spec.precision))
                length = spec.precision;
            spec.zero = false;
            Pad(out, spec, std::string(text, length), "");
            break;
        }
        case '\0':
            return p;
        default:
            out += *p;
            break;  // '%%' and unknown conversions print the character
    }
    return p + 1;
}

}  // namespace

int wsprintfA(LPSTR buffer, LPCSTR format, ...) {
    if (!buffer || !format) return 0;
    std::string out;
    va_list args;
    va_start(args, format);
    for (const char* p = format; *p && out.size() < kMaxOutput;) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        p = Convert(p + 1, args, out);
    }
    va_end(args);
    if (out.size() > kMaxOutput - 1) out.resize(kMaxOutput - 1);
    std::memcpy(buffer, out.data(), out.size());
    buffer[out.size()] = '\0';
    return static_cast<int>(out.size());
}
