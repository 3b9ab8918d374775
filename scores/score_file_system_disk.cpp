// The high-score file's lock and commits on a POSIX disk: flock, which every game on the
// machine respects, and fsync.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "scores/score_file_operations.h"
#include "scores/score_file_temporary.h"

namespace score_file_system {

namespace {

int Descriptor(const File& file) {
    return static_cast<int>(file.Native());
}

}  // namespace

bool File::Close() {
    if (!IsOpen()) return true;
    const bool closed = close(Descriptor(*this)) == 0;
    native_ = kNone;
    return closed;
}

std::string ErrorText(int code) {
    return std::strerror(code);
}

LockTry TryLock(const File& file) {
    while (flock(Descriptor(file), LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) return errno == EWOULDBLOCK ? LockTry::kBusy : LockTry::kFailed;
    }
    return LockTry::kLocked;
}

// The disk is the store itself.
bool RefreshFolder(const std::string&) {
    return true;
}

bool CommitInPlace(const File& file) {
    return fdatasync(Descriptor(file)) == 0;
}

// Some file systems refuse to sync a folder; the rename has happened all the same, so that is
// no failure of the save.
bool CommitFolder(const std::string& real_path) {
    const int fd = open(FolderOf(real_path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return true;
    fsync(fd);
    close(fd);
    return true;
}

}  // namespace score_file_system
