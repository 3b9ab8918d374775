// The file-system side of the high-score file: reading it, and saving it under a lock so that
// a crash, a full disk, another player or a second game never loses the table. Everything that
// differs between systems is behind this header and score_file_operations.h: the POSIX files
// with a disk's lock and commits, or the browser's (score_file_system_disk.cpp or _web.cpp), or
// score_file_system_windows.cpp under _WIN32.
//
// A save goes: Open (the name opened as the system resolves it, then locked), ReadAll, and
// Replace with the new bytes; destroying the ScoreFile (or Close) releases the lock.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

// Larger than any table, however long its lines; a bigger file is not read to its end.
constexpr size_t kMaxScoreFileBytes = size_t{64} << 20;

// A failure, in words the player can be shown: what failed, on which file (its full path), and
// the system's reason, e.g. "could not lock /home/ann/scores.txt: another game kept it locked".
struct ScoreFileError {
    int code = 0;  // the system's error number (errno, or GetLastError on Windows); 0 if none
    std::string message;
};

// Reads the whole file at path (relative to the working directory) into bytes. A missing file
// is created empty first and reads as empty. Links are resolved by the system, never by us.
// Anything but a regular file is not read (a pipe is never waited on). Returns false, with
// error set and bytes holding what could be read, when the file could not be read to its end.
bool ReadScoreFile(const std::string& path, std::string* bytes, ScoreFileError* error);

// The table opened for a save, holding an exclusive advisory lock from Open until Close.
class ScoreFile {
  public:
    ScoreFile();
    ~ScoreFile();
    ScoreFile(const ScoreFile&) = delete;
    ScoreFile& operator=(const ScoreFile&) = delete;

    // Opens path for reading and writing, creating it empty when missing, and locks it,
    // waiting at most lock_wait for another game's save to finish. The system resolves links
    // and refuses any it would not follow (a link another user planted in a shared folder); the
    // real file is then learned from the open file, never from the link. When another save
    // replaced the file while we waited, the new one is opened and locked instead. Fails for
    // anything but a regular file, and for a file we may not both read and write.
    bool Open(const std::string& path, std::chrono::milliseconds lock_wait, ScoreFileError* error);

    // The full path of the real file, links resolved; set by a successful Open.
    const std::string& RealPath() const;

    // The file's whole contents as they are now, under the lock.
    bool ReadAll(std::string* bytes, ScoreFileError* error);

    // Makes the file hold exactly new_bytes. The usual way: first remove this game's own stale
    // temporary files beside the real file ("<name>.<8 lowercase hex digits>.tmp", older than a
    // minute), then write a new temporary file of that pattern, created with the table's own
    // mode and given its owner and group, and rename it over the real file; the file's name,
    // mode, owner and group are kept and a link to it stays a link to it. The file is instead
    // rewritten in place, with one write of new_bytes and, if that write fails or falls short,
    // a write of old_bytes (what ReadAll gave) to put it back, when:
    //   - the folder does not let us create the temporary file (permission only: any other
    //     failure to create it, such as a full disk or too long a name, fails the save);
    //   - owner or group cannot be given to the temporary file, or the file has more than one
    //     link (a rename would change who may write the table, or break the link);
    //   - the rename is refused because the file cannot be replaced (a file mounted on its own).
    // Returns false, with error set, when the file was not brought up to date; it then holds
    // old_bytes, except where the system failed even to put them back (told in error).
    bool Replace(const std::string& old_bytes, const std::string& new_bytes, ScoreFileError* error);

    // Releases the lock and closes the file; also done on destruction.
    void Close();

  private:
    struct Handle;  // the system's open file and what was learned about it
    std::unique_ptr<Handle> handle_;
};
