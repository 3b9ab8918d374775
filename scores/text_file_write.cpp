// Writing the high-score file: LF becomes CR LF.
#include "text_file.h"

TextOutputFile::TextOutputFile() : std::ostream(nullptr) {
    rdbuf(&buffer_);
    imbue(std::locale::classic());
}

void TextOutputFile::Open() {
    clear();
    buffer_.str("");
}

std::string TextOutputFile::Bytes() const {
    const std::string text = buffer_.str();
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return bytes;
}
