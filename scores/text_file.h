// The high-score file's two streams. They read and write the Win32 text-file format on every
// platform: CR LF line ends on disk, LF in memory, and Ctrl-Z (byte 26) as the end of input.
// The output stream replaces its file only once everything has been written, so a crash or a
// full disk in the middle of a save leaves the old file as it was.
#pragma once

#include <cstdio>
#include <filesystem>
#include <istream>
#include <ostream>
#include <streambuf>

// Reads a file, handing on CR LF as LF (a lone CR stays) and ending at the first Ctrl-Z.
class TextReadBuffer : public std::streambuf {
  public:
    TextReadBuffer() = default;
    ~TextReadBuffer() override;
    TextReadBuffer(const TextReadBuffer&) = delete;
    TextReadBuffer& operator=(const TextReadBuffer&) = delete;

    bool Open(const char* path);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

  protected:
    int_type underflow() override;

  private:
    // The next byte of the file, or EOF at its end or on a read error.
    int NextByte();
    int PeekByte();
    bool FillRaw();

    static constexpr size_t kSize = 4096;
    std::FILE* file_ = nullptr;
    bool ended_ = false;
    size_t raw_at_ = 0;
    size_t raw_end_ = 0;
    char raw_[kSize];
    char text_[kSize];
};

// Writes a file, turning every LF into CR LF.
class TextWriteBuffer : public std::streambuf {
  public:
    TextWriteBuffer() = default;
    ~TextWriteBuffer() override;
    TextWriteBuffer(const TextWriteBuffer&) = delete;
    TextWriteBuffer& operator=(const TextWriteBuffer&) = delete;

    // Takes ownership of an open file.
    void Attach(std::FILE* file);
    // False when anything written since Attach failed to reach the file.
    bool Close();
    bool IsOpen() const { return file_ != nullptr; }

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* chars, std::streamsize count) override;
    int sync() override;

  private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// An input file stream. Opening a missing file creates it empty, as a Win32 input file stream
// does; anything but a regular file (a directory, a pipe) is not opened, so nothing can hang.
class TextInputFile : public std::istream {
  public:
    TextInputFile();
    // Starts from a good state whatever happened before, and leaves failbit when not opened.
    void Open(const char* path);
    void Close();
    bool IsOpen() const { return buffer_.IsOpen(); }

  private:
    TextReadBuffer buffer_;
};

// An output file stream that writes a temporary file beside its target and renames it over the
// target on Close. Where no file can be made beside the target (a read-only folder) it rewrites
// the target in place. A target that exists but could not be both read and written in place, or
// is not a regular file, is never touched: a file we cannot read is never replaced unseen.
class TextOutputFile : public std::ostream {
  public:
    TextOutputFile();
    ~TextOutputFile() override;
    // Starts from a good state whatever happened before, and leaves failbit when not opened.
    void Open(const char* path);
    // Finishes the file: renames the temporary over the target when everything was written,
    // otherwise removes it. Sets badbit when the target was not brought up to date.
    void Close();
    bool IsOpen() const { return buffer_.IsOpen(); }

  private:
    void Commit(bool written);

    TextWriteBuffer buffer_;
    std::filesystem::path target_;
    std::filesystem::path temporary_;  // empty when writing the target in place
};
