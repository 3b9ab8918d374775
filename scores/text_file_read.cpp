// Reading the high-score file: CR LF becomes LF, and Ctrl-Z ends the input as it does for a
// Win32 text file.
#include "text_file.h"

namespace {

constexpr char kCtrlZ = 26;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::string TextOfFile(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    bytes = bytes.substr(0, bytes.find(kCtrlZ));
    // Lines ended by CR alone: an editor's old Mac format. Elsewhere a lone CR is kept.
    const bool lone_cr_ends_lines = bytes.find('\n') == std::string_view::npos;
    std::string text;
    text.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size(); ++at) {
        const char c = bytes[at];
        if (c == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') continue;
        text += c == '\r' && lone_cr_ends_lines ? '\n' : c;
    }
    return text;
}

TextInputFile::TextInputFile() : std::istream(nullptr) {
    rdbuf(&buffer_);
    imbue(std::locale::classic());
}

void TextInputFile::Open(const char* path) {
    std::string bytes;
    ScoreFileError error;
    const bool read = ReadScoreFile(path, &bytes, &error);
    OpenBytes(bytes);
    error_ = error;
    // Never opened at all: nothing was read, as for a Win32 stream whose open failed.
    if (!read && bytes.empty()) setstate(std::ios::failbit);
}

void TextInputFile::OpenBytes(std::string_view bytes) {
    clear();
    error_ = {};
    buffer_.str(TextOfFile(bytes));
}

void TextInputFile::Close() {
    buffer_.str("");
}
