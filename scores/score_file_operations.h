// The file operations a system supplies to the high-score file's open, lock and save
// (score_file.cpp), which are the same everywhere. Each system defines them in its own file,
// score_file_system_posix.cpp (with score_file_system_disk.cpp on a disk, or
// score_file_system_web.cpp in the browser) or score_file_system_windows.cpp. A failed operation
// leaves the system's error number for LastError, as errno and GetLastError do.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace score_file_system {

// An open file of the system's: a descriptor, or a HANDLE. Both systems mark "none" as -1.
// Closing it also releases its lock.
class File {
  public:
    static constexpr std::intptr_t kNone = -1;

    File() = default;
    explicit File(std::intptr_t native) : native_(native) {}
    ~File() { Close(); }
    File(File&& other) noexcept : native_(std::exchange(other.native_, kNone)) {}
    File& operator=(File&& other) noexcept {
        if (this != &other) {
            Close();
            native_ = std::exchange(other.native_, kNone);
        }
        return *this;
    }

    bool IsOpen() const { return native_ != kNone; }
    std::intptr_t Native() const { return native_; }
    // False, with the error set, when the system reports that the file could not be closed.
    bool Close();

  private:
    std::intptr_t native_ = kNone;
};

// What an open file is, as far as the save cares; owner, group and mode where the system has
// them (zero elsewhere).
struct FileFacts {
    bool plain = false;  // a regular file: not a folder, pipe or device
    std::uint64_t links = 0;
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
    std::uint32_t mode = 0;
};

// The system's error numbers that the save reports itself or tells apart.
struct ErrorCodes {
    int not_plain_file;
    int not_open;
    int too_large;
    int locked;
    int not_found;
    int name_taken;
    // A folder that takes no new files, and a table that cannot be replaced (a file mounted on
    // its own): either way the table can only be rewritten in place.
    std::vector<int> create_refused;
    std::vector<int> replace_refused;
};
extern const ErrorCodes kErrorCodes;

int LastError();
std::string ErrorText(int code);
// The name as an absolute path, as the system would resolve it from the working directory.
std::string FullPath(const std::string& path);
// The real file's full name, links resolved, learned from the open file where the system can.
std::string LearnRealPath(const File& file, const std::string& path);

enum class Access { kRead, kReadWrite };
// Neither waits on a pipe; CreateNew makes an empty file and fails where the name is taken.
File OpenExisting(const std::string& path, Access access);
File CreateNew(const std::string& path, Access access);
// False only when the system could not tell; facts->plain says whether it is a regular file.
bool LearnFacts(const File& file, FileFacts* facts);

enum class LockTry { kLocked, kBusy, kFailed };
// An exclusive lock for saves, without waiting on another game's (the caller polls). A system
// may wait here for what it needs before it can tell. Where the folder is a copy of the
// system's store (the browser's storage), taking the lock also reads the folder back from it.
LockTry TryLock(const File& file);
// Brings the folder holding full_path up to date from the system's store, where it is only a
// copy of one (the browser's storage, where another window may have saved); true at once on a
// disk. On failure the folder's copy stays as it was.
bool RefreshFolder(const std::string& full_path);
// Whether the locked file is still the one its name leads to, not one a save replaced.
bool StillTheNamedFile(const File& file, const std::string& real_path);

// Up to size bytes from offset; 0 at the end of the file, -1 on failure.
std::int64_t ReadAt(const File& file, std::uint64_t offset, char* into, std::size_t size);
// All of bytes at the start of the file; a short write fails as a full disk.
bool WriteFromStart(const File& file, const std::string& bytes);
bool Truncate(const File& file, std::uint64_t size);
// Makes what was written to the table itself last, as far as the system can promise it; in
// the browser, once its storage holds the folder.
bool CommitInPlace(const File& file);
// Gives a written temporary file the table's exact mode and makes it last.
bool CommitTemporary(const File& temporary, const FileFacts& table);

// Creates name exclusively (never through a link), with the table's mode from the start.
File CreateExclusive(const std::string& name, const FileFacts& table);
// Gives the temporary file the table's owner and group where they differ.
bool GiveOwnership(const File& temporary, const FileFacts& table);
// Puts the closed temporary file in the table's place.
bool ReplaceWith(const std::string& temporary, const std::string& real_path);
void Remove(const std::string& path);
// The full names of this game's temporary files beside the table older than age.
std::vector<std::string> StaleTemporaries(const std::string& real_path, std::chrono::seconds age);
// Makes a rename in the table's folder last. False only where the system's store refused it
// (the browser's storage): the folder then holds the new table, which lasts only as long as
// the page.
bool CommitFolder(const std::string& real_path);

}  // namespace score_file_system
