// The high-score file's two streams, over the file's bytes in memory. They read and write the
// Win32 text-file format on every platform: CR LF line ends on disk, LF in memory, and Ctrl-Z
// (byte 26) as the end of input. Reading also takes what editors leave: a UTF-8 byte-order mark
// at the start is skipped, and a file whose lines end in CR alone is read line by line.
#pragma once

#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>

#include "scores/score_file_system.h"

// The text of a file: CR LF becomes LF and the text ends at the first Ctrl-Z. A lone CR stays a
// character, except in a file with no LF at all, where it ends a line.
std::string TextOfFile(std::string_view bytes);

// An input file stream. Opening reads the whole file; a missing file is created empty, as a
// Win32 input file stream does, and anything but a regular file is not opened.
class TextInputFile : public std::istream {
  public:
    TextInputFile();
    // Starts from a good state whatever happened before, and leaves failbit when not opened. A
    // read that failed part-way leaves what could be read; ReadError then says why.
    void Open(const char* path);
    // The same over bytes already read.
    void OpenBytes(std::string_view bytes);
    void Close();
    // Why the last Open could not read the file to its end; code and message empty otherwise.
    const ScoreFileError& ReadError() const { return error_; }

  private:
    std::stringbuf buffer_;
    ScoreFileError error_;
};

// An output stream that gathers a whole file in memory, every LF written as CR LF, so that the
// file can be written in one piece.
class TextOutputFile : public std::ostream {
  public:
    TextOutputFile();
    // Starts an empty file from a good state whatever happened before.
    void Open();
    // The file's bytes, as written since Open.
    std::string Bytes() const;

  private:
    std::stringbuf buffer_;
};
