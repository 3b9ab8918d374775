// The high-score file on POSIX systems: descriptors, flock, a temporary file and rename(2).
//
// What a power cut can still do: a save by rename writes and syncs the temporary file, renames
// it and syncs the folder, so the table is the old one or the new one, never a mix. A save in
// place is one write over the old bytes followed by a truncation and a sync; a cut before the
// sync can leave old and new blocks mixed, or (between the write and the truncation, a new table
// shorter than the old) the old table's tail after the new tenth name, which then reads into
// that one name. Nothing here can leave the file empty.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <thread>

#include "scores/score_file_system.h"
#include "scores/score_file_temporary.h"

namespace {

// Larger than any table, however long its lines; a bigger file is not read to its end.
constexpr size_t kMaxBytes = size_t{64} << 20;
constexpr time_t kStaleSeconds = 60;
constexpr auto kLockPoll = std::chrono::milliseconds(10);

std::string FullPath(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    std::string dir(4096, '\0');
    if (!getcwd(dir.data(), dir.size())) return path;
    dir.resize(std::strlen(dir.c_str()));
    return dir + (dir.back() == '/' ? "" : "/") + path;
}

bool Fail(ScoreFileError* error, const std::string& what, const std::string& path, int code,
          const std::string& reason = "") {
    error->code = code;
    error->message =
        "could not " + what + " " + path + ": " + (reason.empty() ? std::strerror(code) : reason);
    return false;
}

// Opens an existing file, or creates it empty and opens that; never waits on a pipe.
int OpenOrCreate(const std::string& path, int access) {
    const int flags = access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const int fd = open(path.c_str(), flags);
        if (fd >= 0 || errno != ENOENT) return fd;
        // Exclusive, so that a dangling link is never followed to create its target.
        const int created = open(path.c_str(), flags | O_CREAT | O_EXCL, 0644);
        if (created >= 0 || errno != EEXIST) return created;
    }
    return -1;
}

bool CheckRegular(int fd, const std::string& what, const std::string& path, struct stat* info,
                  ScoreFileError* error) {
    if (fstat(fd, info) != 0) return Fail(error, what, path, errno);
    if (!S_ISREG(info->st_mode)) return Fail(error, what, path, EINVAL, "it is not a plain file");
    return true;
}

bool ReadFrom(int fd, const std::string& path, std::string* bytes, ScoreFileError* error) {
    bytes->clear();
    char chunk[65536];
    for (;;) {
        const ssize_t got = pread(fd, chunk, sizeof chunk, off_t(bytes->size()));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return Fail(error, "read", path, errno);
        if (got == 0) return true;
        bytes->append(chunk, size_t(got));
        if (bytes->size() > kMaxBytes)
            return Fail(error, "read", path, EFBIG, "it is far too large for a high-score table");
    }
}

bool WriteAt(int fd, const std::string& bytes) {
    for (;;) {
        const ssize_t put = pwrite(fd, bytes.data(), bytes.size(), 0);
        if (put < 0 && errno == EINTR) continue;
        if (put >= 0 && size_t(put) != bytes.size()) errno = ENOSPC;  // a short write
        return put >= 0 && size_t(put) == bytes.size();
    }
}

std::string Folder(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// Temporary files of saves that were killed; a live save's own is younger than a minute.
void RemoveStaleTemporaries(const std::string& real_path) {
    DIR* dir = opendir(Folder(real_path).c_str());
    if (!dir) return;
    const std::string base = BaseName(real_path);
    const time_t now = time(nullptr);
    while (const dirent* entry = readdir(dir)) {
        struct stat info;
        if (!IsTemporaryOf(base, entry->d_name) ||
            fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(info.st_mode) && now - info.st_mtime > kStaleSeconds)
            unlinkat(dirfd(dir), entry->d_name, 0);
    }
    closedir(dir);
}

void SyncFolder(const std::string& path) {
    const int fd = open(Folder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

std::string LearnRealPath(int fd, const std::string& path) {
    std::string link = "/proc/self/fd/" + std::to_string(fd);
    char target[4096];
    const ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
    if (length > 0 && target[0] == '/') return std::string(target, size_t(length));
    // Without /proc: the name as the system resolves it now, checked against the file by Open.
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved) return FullPath(path);
    std::string real(resolved);
    free(resolved);
    return real;
}

}  // namespace

bool ReadScoreFile(const std::string& path, std::string* bytes, ScoreFileError* error) {
    bytes->clear();
    const std::string full_path = FullPath(path);
    const int fd = OpenOrCreate(path, O_RDONLY);
    if (fd < 0) return Fail(error, "open", full_path, errno);
    struct stat info;
    const bool read =
        CheckRegular(fd, "read", full_path, &info, error) && ReadFrom(fd, full_path, bytes, error);
    close(fd);
    return read;
}

struct ScoreFile::Handle {
    ~Handle() {
        if (fd >= 0) close(fd);  // which also releases the lock
    }
    bool Lock(std::chrono::steady_clock::time_point deadline, ScoreFileError* error);
    bool StillTheNamedFile();
    bool RewriteInPlace(const std::string& old_bytes, const std::string& new_bytes,
                        ScoreFileError* error);
    // The temporary file's descriptor, -1 with errno set when none could be made.
    int CreateTemporary(std::string* temporary);
    bool WriteTemporary(int fd, const std::string& temporary, const std::string& bytes,
                        ScoreFileError* error);

    int fd = -1;
    struct stat info {};
    std::string real_path;
};

bool ScoreFile::Handle::Lock(std::chrono::steady_clock::time_point deadline,
                             ScoreFileError* error) {
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return Fail(error, "lock", real_path, errno);
        if (std::chrono::steady_clock::now() >= deadline)
            return Fail(error, "lock", real_path, errno,
                        "another game kept it locked for too long");
        std::this_thread::sleep_for(kLockPoll);
    }
    return true;
}

bool ScoreFile::Handle::StillTheNamedFile() {
    struct stat now, named;
    return fstat(fd, &now) == 0 && now.st_nlink > 0 && stat(real_path.c_str(), &named) == 0 &&
           named.st_dev == now.st_dev && named.st_ino == now.st_ino;
}

ScoreFile::ScoreFile() = default;
ScoreFile::~ScoreFile() = default;

bool ScoreFile::Open(const std::string& path, std::chrono::milliseconds lock_wait,
                     ScoreFileError* error) {
    Close();
    const auto deadline = std::chrono::steady_clock::now() + lock_wait;
    for (;;) {
        auto handle = std::make_unique<Handle>();
        handle->fd = OpenOrCreate(path, O_RDWR);
        if (handle->fd < 0) return Fail(error, "open", FullPath(path), errno);
        handle->real_path = LearnRealPath(handle->fd, path);
        if (!CheckRegular(handle->fd, "save", handle->real_path, &handle->info, error) ||
            !handle->Lock(deadline, error))
            return false;
        if (handle->StillTheNamedFile()) {
            // As it is now that we hold it: its links, owner and mode.
            if (!CheckRegular(handle->fd, "save", handle->real_path, &handle->info, error))
                return false;
            handle_ = std::move(handle);
            return true;
        }
        // Another save renamed a new file over the one we waited for: lock that one instead.
        if (std::chrono::steady_clock::now() >= deadline)
            return Fail(error, "lock", handle->real_path, EWOULDBLOCK,
                        "other games kept replacing it");
    }
}

const std::string& ScoreFile::RealPath() const {
    static const std::string kNone;
    return handle_ ? handle_->real_path : kNone;
}

bool ScoreFile::ReadAll(std::string* bytes, ScoreFileError* error) {
    if (!handle_) return Fail(error, "read", "the high-score file", EBADF);
    return ReadFrom(handle_->fd, handle_->real_path, bytes, error);
}

void ScoreFile::Close() {
    handle_.reset();
}

int ScoreFile::Handle::CreateTemporary(std::string* temporary) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device seed;
    std::minstd_rand random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string name = real_path + ".";
        for (int digit = 0; digit < 8; ++digit) name += kDigits[random() % 16];
        name += ".tmp";
        // The table's own mode from the start: a private table is never readable meanwhile.
        const int created = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                 info.st_mode & 07777);
        if (created >= 0) {
            *temporary = name;
            return created;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

bool ScoreFile::Handle::WriteTemporary(int temp_fd, const std::string& temporary,
                                       const std::string& bytes, ScoreFileError* error) {
    const bool written = WriteAt(temp_fd, bytes) && fchmod(temp_fd, info.st_mode & 07777) == 0 &&
                         fsync(temp_fd) == 0;
    const int code = errno;
    if (close(temp_fd) != 0 || !written) {
        unlink(temporary.c_str());
        return Fail(error, "write", temporary, written ? errno : code);
    }
    return true;
}

bool ScoreFile::Handle::RewriteInPlace(const std::string& old_bytes, const std::string& new_bytes,
                                       ScoreFileError* error) {
    // One write of the whole table; the truncation after it only matters when it got shorter.
    if (WriteAt(fd, new_bytes) && ftruncate(fd, off_t(new_bytes.size())) == 0 && fdatasync(fd) == 0)
        return true;
    const int code = errno;
    const bool restored = WriteAt(fd, old_bytes) && ftruncate(fd, off_t(old_bytes.size())) == 0;
    return Fail(
        error, "write", real_path, code,
        restored ? ""
                 : std::string(std::strerror(code)) + ", and the old table could not be put back");
}

bool ScoreFile::Replace(const std::string& old_bytes, const std::string& new_bytes,
                        ScoreFileError* error) {
    if (!handle_) return Fail(error, "save", "the high-score file", EBADF);
    Handle& file = *handle_;
    RemoveStaleTemporaries(file.real_path);
    // A rename would leave the other names of a linked file on the old table.
    if (file.info.st_nlink > 1) return file.RewriteInPlace(old_bytes, new_bytes, error);

    std::string temporary;
    const int temp_fd = file.CreateTemporary(&temporary);
    if (temp_fd < 0) {
        // Only a folder that will not take new files leaves the file's own bytes as the way.
        if (errno == EACCES || errno == EPERM || errno == EROFS)
            return file.RewriteInPlace(old_bytes, new_bytes, error);
        return Fail(error, "create a temporary file beside", file.real_path, errno);
    }
    struct stat made;
    if (fstat(temp_fd, &made) != 0 ||
        ((made.st_uid != file.info.st_uid || made.st_gid != file.info.st_gid) &&
         fchown(temp_fd, file.info.st_uid, file.info.st_gid) != 0)) {
        // We may not give the table its owner or group: a rename would change who may write it.
        close(temp_fd);
        unlink(temporary.c_str());
        return file.RewriteInPlace(old_bytes, new_bytes, error);
    }
    if (!file.WriteTemporary(temp_fd, temporary, new_bytes, error)) return false;
    if (rename(temporary.c_str(), file.real_path.c_str()) != 0) {
        const int code = errno;
        unlink(temporary.c_str());
        // A file mounted on its own place cannot be replaced, only rewritten.
        if (code == EBUSY || code == EXDEV) return file.RewriteInPlace(old_bytes, new_bytes, error);
        return Fail(error, "replace", file.real_path, code);
    }
    SyncFolder(file.real_path);
    return true;
}
