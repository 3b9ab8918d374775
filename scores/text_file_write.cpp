// Writing the high-score file: LF becomes CR LF, and the old file is replaced only by a complete
// new one.
#include "text_file.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Follows links, so that a linked file is updated where it lives and the link itself stays.
fs::path FollowLinks(fs::path path) {
    std::error_code error;
    for (int depth = 0; depth < 40 && fs::is_symlink(path, error); ++depth) {
        fs::path next = fs::read_symlink(path, error);
        if (error) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// Renaming bypasses the file's own permissions, so the target is replaced only where it could
// have been rewritten in place, and never when it could not even be read.
bool MayReplace(const fs::path& target) {
    std::error_code error;
    const fs::file_type type = fs::status(target, error).type();
    if (type == fs::file_type::not_found) return true;
    if (type != fs::file_type::regular) return false;
    std::FILE* probe = std::fopen(target.string().c_str(), "r+b");
    if (!probe) return false;
    std::fclose(probe);
    return true;
}

// A new file beside the target, created exclusively so that two saves never share one.
std::FILE* CreateTemporaryBeside(const fs::path& target, fs::path* temporary) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::minstd_rand random(
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count() ^
                              reinterpret_cast<uintptr_t>(temporary)));
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string name = target.filename().string() + ".";
        for (int digit = 0; digit < 8; ++digit) name += kDigits[random() % 16];
        fs::path candidate = target.parent_path() / (name + ".tmp");
        errno = 0;
        if (std::FILE* file = std::fopen(candidate.string().c_str(), "wbx")) {
            *temporary = std::move(candidate);
            return file;
        }
        if (errno != EEXIST) break;
    }
    return nullptr;
}

}  // namespace

TextWriteBuffer::~TextWriteBuffer() {
    Close();
}

void TextWriteBuffer::Attach(std::FILE* file) {
    Close();
    file_ = file;
    failed_ = false;
}

bool TextWriteBuffer::Close() {
    if (!file_) return true;
    bool written = !failed_ && std::fflush(file_) == 0 && !std::ferror(file_);
    if (std::fclose(file_) != 0) written = false;
    file_ = nullptr;
    return written;
}

TextWriteBuffer::int_type TextWriteBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

std::streamsize TextWriteBuffer::xsputn(const char* chars, std::streamsize count) {
    if (!file_ || failed_) return 0;
    for (std::streamsize i = 0; i < count; ++i) {
        if ((chars[i] == '\n' && std::fputc('\r', file_) == EOF) ||
            std::fputc(static_cast<unsigned char>(chars[i]), file_) == EOF) {
            failed_ = true;
            return i;
        }
    }
    return count;
}

int TextWriteBuffer::sync() {
    if (!file_ || std::fflush(file_) != 0) failed_ = true;
    return failed_ ? -1 : 0;
}

TextOutputFile::TextOutputFile() : std::ostream(nullptr) {
    rdbuf(&buffer_);
    imbue(std::locale::classic());
}

TextOutputFile::~TextOutputFile() {
    Close();
}

void TextOutputFile::Open(const char* path) {
    Close();
    clear();
    target_ = FollowLinks(path);
    temporary_.clear();
    if (!MayReplace(target_)) {
        setstate(std::ios::failbit);
        return;
    }
    std::FILE* file = CreateTemporaryBeside(target_, &temporary_);
    // A read-only folder holding a writable file: rewriting it in place is the only way left.
    if (!file) file = std::fopen(target_.string().c_str(), "wb");
    if (!file) {
        setstate(std::ios::failbit);
        return;
    }
    buffer_.Attach(file);
}

void TextOutputFile::Close() {
    if (!buffer_.IsOpen()) return;
    const bool written = buffer_.Close() && !bad();
    if (!temporary_.empty())
        Commit(written);
    else if (!written)
        setstate(std::ios::badbit);
    temporary_.clear();
}

void TextOutputFile::Commit(bool written) {
    std::error_code error;
    if (written) {
        const fs::file_status old = fs::status(target_, error);
        if (old.type() == fs::file_type::regular)
            fs::permissions(temporary_, old.permissions(), error);
        fs::rename(temporary_, target_, error);
        if (!error) return;
        // A target that cannot be replaced (a file mounted on its own) is rewritten in place.
        fs::copy_file(temporary_, target_, fs::copy_options::overwrite_existing, error);
    }
    if (!written || error) setstate(std::ios::badbit);
    fs::remove(temporary_, error);
}
