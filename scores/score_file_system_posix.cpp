// The high-score file's operations on POSIX systems: descriptors, fsync and rename(2). The lock
// and what makes a save last differ between a disk (score_file_system_disk.cpp) and the
// browser, whose folder is a copy of its storage (score_file_system_web.cpp).
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
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

int OpenFlags(Access access) {
    return (access == Access::kRead ? O_RDONLY : O_RDWR) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
}

}  // namespace

const ErrorCodes kErrorCodes = {
    EINVAL, EBADF, EFBIG, EWOULDBLOCK, ENOENT, EEXIST, {EACCES, EPERM, EROFS}, {EBUSY, EXDEV}};

int LastError() {
    return errno;
}

std::string FullPath(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    std::string dir(4096, '\0');
    if (!getcwd(dir.data(), dir.size())) return path;
    dir.resize(std::strlen(dir.c_str()));
    return dir + (dir.back() == '/' ? "" : "/") + path;
}

std::string LearnRealPath(const File& file, const std::string& path) {
    std::string link = "/proc/self/fd/" + std::to_string(Descriptor(file));
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

File OpenExisting(const std::string& path, Access access) {
    return File(open(path.c_str(), OpenFlags(access)));
}

// Exclusive, so that a dangling link is never followed to create its target.
File CreateNew(const std::string& path, Access access) {
    return File(open(path.c_str(), OpenFlags(access) | O_CREAT | O_EXCL, 0644));
}

bool LearnFacts(const File& file, FileFacts* facts) {
    struct stat info;
    if (fstat(Descriptor(file), &info) != 0) return false;
    facts->plain = S_ISREG(info.st_mode);
    facts->links = info.st_nlink;
    facts->owner = info.st_uid;
    facts->group = info.st_gid;
    facts->mode = info.st_mode & 07777;
    return true;
}

bool StillTheNamedFile(const File& file, const std::string& real_path) {
    struct stat now, named;
    return fstat(Descriptor(file), &now) == 0 && now.st_nlink > 0 &&
           stat(real_path.c_str(), &named) == 0 && named.st_dev == now.st_dev &&
           named.st_ino == now.st_ino;
}

std::int64_t ReadAt(const File& file, std::uint64_t offset, char* into, std::size_t size) {
    for (;;) {
        const ssize_t got = pread(Descriptor(file), into, size, off_t(offset));
        if (got >= 0 || errno != EINTR) return got;
    }
}

bool WriteFromStart(const File& file, const std::string& bytes) {
    for (;;) {
        const ssize_t put = pwrite(Descriptor(file), bytes.data(), bytes.size(), 0);
        if (put < 0 && errno == EINTR) continue;
        if (put >= 0 && size_t(put) != bytes.size()) errno = ENOSPC;  // a short write
        return put >= 0 && size_t(put) == bytes.size();
    }
}

bool Truncate(const File& file, std::uint64_t size) {
    return ftruncate(Descriptor(file), off_t(size)) == 0;
}

// The mode is given again after the write, which may have cleared its set-id bits, and beats
// the umask the file was created under.
bool CommitTemporary(const File& temporary, const FileFacts& table) {
    return fchmod(Descriptor(temporary), table.mode) == 0 && fsync(Descriptor(temporary)) == 0;
}

File CreateExclusive(const std::string& name, const FileFacts& table) {
    return File(
        open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, table.mode));
}

bool GiveOwnership(const File& temporary, const FileFacts& table) {
    struct stat made;
    if (fstat(Descriptor(temporary), &made) != 0) return false;
    return (made.st_uid == table.owner && made.st_gid == table.group) ||
           fchown(Descriptor(temporary), table.owner, table.group) == 0;
}

bool ReplaceWith(const std::string& temporary, const std::string& real_path) {
    return rename(temporary.c_str(), real_path.c_str()) == 0;
}

void Remove(const std::string& path) {
    unlink(path.c_str());
}

std::vector<std::string> StaleTemporaries(const std::string& real_path, std::chrono::seconds age) {
    std::vector<std::string> stale;
    const std::string folder = FolderOf(real_path);
    DIR* dir = opendir(folder.c_str());
    if (!dir) return stale;
    const std::string base = real_path.substr(real_path.rfind('/') + 1);
    const time_t now = time(nullptr);
    while (const dirent* entry = readdir(dir)) {
        struct stat info;
        if (!IsTemporaryOf(base, entry->d_name) ||
            fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(info.st_mode) && now - info.st_mtime > age.count())
            stale.push_back(folder + (folder == "/" ? "" : "/") + entry->d_name);
    }
    closedir(dir);
    return stale;
}

}  // namespace score_file_system
