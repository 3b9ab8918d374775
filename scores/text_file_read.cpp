// Reading the high-score file: CR LF becomes LF, and Ctrl-Z ends the input as it does for a
// Win32 text file.
#include "text_file.h"

#include <system_error>

namespace {

constexpr int kCtrlZ = 26;

}  // namespace

TextReadBuffer::~TextReadBuffer() {
    Close();
}

bool TextReadBuffer::Open(const char* path) {
    Close();
    file_ = std::fopen(path, "rb");
    return file_ != nullptr;
}

void TextReadBuffer::Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    ended_ = false;
    raw_at_ = raw_end_ = 0;
    setg(text_, text_, text_);
}

bool TextReadBuffer::FillRaw() {
    raw_at_ = 0;
    // A read error (a directory opened by mistake, a failing disk) reads as the end of the file.
    raw_end_ = file_ ? std::fread(raw_, 1, kSize, file_) : 0;
    return raw_end_ > 0;
}

int TextReadBuffer::NextByte() {
    if (raw_at_ == raw_end_ && !FillRaw()) return EOF;
    return static_cast<unsigned char>(raw_[raw_at_++]);
}

int TextReadBuffer::PeekByte() {
    if (raw_at_ == raw_end_ && !FillRaw()) return EOF;
    return static_cast<unsigned char>(raw_[raw_at_]);
}

TextReadBuffer::int_type TextReadBuffer::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    size_t count = 0;
    while (!ended_ && count < kSize) {
        int c = NextByte();
        if (c == EOF || c == kCtrlZ) {
            ended_ = true;
            break;
        }
        if (c == '\r' && PeekByte() == '\n') {
            ++raw_at_;
            c = '\n';
        }
        text_[count++] = static_cast<char>(c);
    }
    setg(text_, text_, text_ + count);
    return count ? traits_type::to_int_type(text_[0]) : traits_type::eof();
}

TextInputFile::TextInputFile() : std::istream(nullptr) {
    rdbuf(&buffer_);
    imbue(std::locale::classic());
}

void TextInputFile::Open(const char* path) {
    buffer_.Close();
    clear();
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status(path, error).type();
    if (type == std::filesystem::file_type::not_found) {
        // A Win32 input file stream creates a missing file, and the first load relies on it.
        if (std::FILE* created = std::fopen(path, "ab")) std::fclose(created);
    } else if (type != std::filesystem::file_type::regular) {
        // A directory or a device is never read, and a pipe never waited on.
        setstate(std::ios::failbit);
        return;
    }
    if (!buffer_.Open(path)) setstate(std::ios::failbit);
}

void TextInputFile::Close() {
    buffer_.Close();
}
