// The high-score file's lock and commits in the browser. The folder is a copy, in memory, of
// the browser's storage (IndexedDB), which every window of the game shares: the lock is the
// browser's own (Web Locks), taking it reads the folder back from storage, and a save counts
// only once the storage holds it. The page's entry does the browser's part
// (platform/web_main/saved_files.cpp); these plain functions are all the game sees of it.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "scores/score_file_operations.h"

extern "C" {
// Takes the lock every window of the game respects, waiting at most wait_ms for another
// window's save: 0 taken, 1 still held elsewhere, -1 refused.
int zf_saved_files_lock(int wait_ms);
void zf_saved_files_unlock();
// Reads the folder holding path back from the browser's storage, or writes it there and
// waits until the storage has it: 0 done, -1 failed.
int zf_saved_files_read_back(const char* path);
int zf_saved_files_write_back();
// The browser's words for the last failure, copied into text (size bytes at most).
void zf_saved_files_trouble(char* text, int size);
}

namespace score_file_system {

namespace {

// Another window's save is over in far less; the desktop waits as long.
constexpr int kLockWaitMs = 3000;
// The error number that stands for the browser's storage failing.
constexpr int kStorageFailed = ENOLINK;

int Descriptor(const File& file) {
    return static_cast<int>(file.Native());
}

// The save that holds the browser's lock (its descriptor), and whether the folder was read
// back from storage under it. After a failed read-back nothing may be written to storage: this
// window's older copy would go over another window's newer table.
struct BrowserLock {
    int holder = -1;
    bool read_back = false;
};
BrowserLock lock_state;

bool StorageFailed() {
    errno = kStorageFailed;
    return false;
}

bool WriteBack() {
    if (!lock_state.read_back) return StorageFailed();
    return zf_saved_files_write_back() == 0 || StorageFailed();
}

}  // namespace

bool File::Close() {
    if (!IsOpen()) return true;
    const int descriptor = Descriptor(*this);
    const bool closed = close(descriptor) == 0;
    native_ = kNone;
    if (descriptor == lock_state.holder) {
        lock_state = {};
        zf_saved_files_unlock();
    }
    return closed;
}

std::string ErrorText(int code) {
    if (code != kStorageFailed) return std::strerror(code);
    char reason[512] = {};
    zf_saved_files_trouble(reason, sizeof reason);
    return std::string("the browser's storage refused it (") + reason +
           "), so the table cannot be kept in this browser";
}

// The browser waits for the lock without holding up the page; polling here would stop it,
// and with it every window that shares its thread, the one saving among them.
LockTry TryLock(const File& file) {
    if (lock_state.holder != -1) {
        errno = EWOULDBLOCK;
        return LockTry::kBusy;
    }
    const int taken = zf_saved_files_lock(kLockWaitMs);
    if (taken != 0) {
        errno = taken > 0 ? EWOULDBLOCK : kStorageFailed;
        return taken > 0 ? LockTry::kBusy : LockTry::kFailed;
    }
    lock_state.holder = Descriptor(file);
    // A storage that cannot be read still leaves the save its copy to write to, so that the
    // entry shows in the table and in a copy saved to a file; the commit then tells the failure.
    lock_state.read_back = zf_saved_files_read_back(".") == 0;
    return LockTry::kLocked;
}

bool RefreshFolder(const std::string& full_path) {
    return zf_saved_files_read_back(full_path.c_str()) == 0 || StorageFailed();
}

bool CommitInPlace(const File& file) {
    return fdatasync(Descriptor(file)) == 0 && WriteBack();
}

bool CommitFolder(const std::string&) {
    return WriteBack();
}

}  // namespace score_file_system
