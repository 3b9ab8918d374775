// The high-score file on Windows: file handles, LockFileEx, a temporary file and ReplaceFile
// (or MoveFileEx). Every byte goes through the handles as it is, so CR LF is written once.
//
// The lock covers one byte far past any table, so it keeps other games' saves out without
// stopping anyone from reading the table. A save by replacement writes and flushes the
// temporary file first, so a power cut leaves the old table or the new one; a save in place is
// one write and a truncation, as on POSIX systems.
#include <chrono>
#include <random>
#include <string>
#include <string_view>
#include <thread>

#include "platform/win32.h"
#include "scores/score_file_system.h"
#include "scores/score_file_temporary.h"

namespace {

constexpr size_t kMaxBytes = size_t{64} << 20;
constexpr ULONGLONG kStaleTicks = 60ull * 10000000ull;  // a minute in 100 ns steps
constexpr auto kLockPoll = std::chrono::milliseconds(10);
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string SystemReason(DWORD code) {
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' ||
                          text[length - 1] == '.' || text[length - 1] == ' '))
        --length;
    return length ? std::string(text, length) : "error " + std::to_string(code);
}

bool Fail(ScoreFileError* error, const std::string& what, const std::string& path, DWORD code,
          const std::string& reason = "") {
    error->code = static_cast<int>(code);
    error->message =
        "could not " + what + " " + path + ": " + (reason.empty() ? SystemReason(code) : reason);
    return false;
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH * 4];
    DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

// Opens an existing file, or creates it empty and opens that.
HANDLE OpenOrCreate(const std::string& path, DWORD access) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        HANDLE file = CreateFileA(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_NOT_FOUND) return file;
        file = CreateFileA(path.c_str(), access, kShareAll, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

bool CheckRegular(HANDLE file, const std::string& what, const std::string& path,
                  BY_HANDLE_FILE_INFORMATION* info, ScoreFileError* error) {
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, info))
        return Fail(error, what, path, ERROR_INVALID_FUNCTION, "it is not a plain file");
    if (info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return Fail(error, what, path, ERROR_INVALID_FUNCTION, "it is not a plain file");
    return true;
}

OVERLAPPED At(ULONGLONG offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

bool ReadFrom(HANDLE file, const std::string& path, std::string* bytes, ScoreFileError* error) {
    bytes->clear();
    char chunk[65536];
    for (;;) {
        OVERLAPPED at = At(bytes->size());
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, &at)) {
            if (GetLastError() == ERROR_HANDLE_EOF) return true;
            return Fail(error, "read", path, GetLastError());
        }
        if (got == 0) return true;
        bytes->append(chunk, got);
        if (bytes->size() > kMaxBytes)
            return Fail(error, "read", path, ERROR_FILE_TOO_LARGE,
                        "it is far too large for a high-score table");
    }
}

// The whole of bytes at the start of the file, and the file ends after them.
bool WriteWhole(HANDLE file, const std::string& bytes) {
    OVERLAPPED at = At(0);
    DWORD put = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, &at)) return false;
    if (put != bytes.size()) {
        SetLastError(ERROR_DISK_FULL);  // a short write
        return false;
    }
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(bytes.size());
    return SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

std::string Folder(const std::string& path) {
    return path.substr(0, path.find_last_of("\\/") + 1);
}

ULONGLONG Ticks(const FILETIME& time) {
    return (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

// Temporary files of saves that were killed; a live save's own is younger than a minute.
void RemoveStaleTemporaries(const std::string& real_path) {
    const std::string folder = Folder(real_path);
    const std::string base = real_path.substr(folder.size());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((real_path + ".*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            IsTemporaryOf(base, found.cFileName) &&
            Ticks(now) - Ticks(found.ftLastWriteTime) > kStaleTicks)
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// The file's own full name, links and short names resolved, without the "\\?\" prefix.
std::string LearnRealPath(HANDLE file, const std::string& path) {
    char name[MAX_PATH * 4];
    DWORD length = GetFinalPathNameByHandleA(file, name, sizeof name, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= sizeof name) return FullPath(path);
    std::string real(name, length);
    if (real.rfind("\\\\?\\UNC\\", 0) == 0) return "\\" + real.substr(7);
    if (real.rfind("\\\\?\\", 0) == 0) return real.substr(4);
    return real;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

}  // namespace

bool ReadScoreFile(const std::string& path, std::string* bytes, ScoreFileError* error) {
    bytes->clear();
    const std::string full_path = FullPath(path);
    HANDLE file = OpenOrCreate(path, GENERIC_READ);
    if (file == INVALID_HANDLE_VALUE) return Fail(error, "open", full_path, GetLastError());
    BY_HANDLE_FILE_INFORMATION info;
    const bool read = CheckRegular(file, "read", full_path, &info, error) &&
                      ReadFrom(file, full_path, bytes, error);
    CloseHandle(file);
    return read;
}

struct ScoreFile::Handle {
    ~Handle() {
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);  // which also releases the lock
    }
    bool Lock(std::chrono::steady_clock::time_point deadline, ScoreFileError* error);
    bool StillTheNamedFile();
    bool RewriteInPlace(const std::string& old_bytes, const std::string& new_bytes,
                        ScoreFileError* error);
    // The temporary file's handle, INVALID_HANDLE_VALUE with the error set when none was made.
    HANDLE CreateTemporary(std::string* temporary);
    bool PutInPlace(const std::string& temporary);

    HANDLE file = INVALID_HANDLE_VALUE;
    BY_HANDLE_FILE_INFORMATION info{};
    std::string real_path;
};

bool ScoreFile::Handle::Lock(std::chrono::steady_clock::time_point deadline,
                             ScoreFileError* error) {
    for (;;) {
        OVERLAPPED at = At(ULONGLONG{kLockOffsetHigh} << 32);
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
            return true;
        const DWORD code = GetLastError();
        if (code != ERROR_LOCK_VIOLATION && code != ERROR_IO_PENDING)
            return Fail(error, "lock", real_path, code);
        if (std::chrono::steady_clock::now() >= deadline)
            return Fail(error, "lock", real_path, code, "another game kept it locked for too long");
        std::this_thread::sleep_for(kLockPoll);
    }
}

bool ScoreFile::Handle::StillTheNamedFile() {
    HANDLE named = CreateFileA(real_path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (named == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION now, that;
    const bool same = GetFileInformationByHandle(file, &now) &&
                      GetFileInformationByHandle(named, &that) && SameFile(now, that);
    CloseHandle(named);
    return same;
}

ScoreFile::ScoreFile() = default;
ScoreFile::~ScoreFile() = default;

bool ScoreFile::Open(const std::string& path, std::chrono::milliseconds lock_wait,
                     ScoreFileError* error) {
    Close();
    const auto deadline = std::chrono::steady_clock::now() + lock_wait;
    for (;;) {
        auto handle = std::make_unique<Handle>();
        handle->file = OpenOrCreate(path, GENERIC_READ | GENERIC_WRITE);
        if (handle->file == INVALID_HANDLE_VALUE)
            return Fail(error, "open", FullPath(path), GetLastError());
        handle->real_path = LearnRealPath(handle->file, path);
        if (!CheckRegular(handle->file, "save", handle->real_path, &handle->info, error) ||
            !handle->Lock(deadline, error))
            return false;
        if (handle->StillTheNamedFile()) {
            if (!CheckRegular(handle->file, "save", handle->real_path, &handle->info, error))
                return false;
            handle_ = std::move(handle);
            return true;
        }
        // Another save put a new file in the place of the one we waited for: lock that one.
        if (std::chrono::steady_clock::now() >= deadline)
            return Fail(error, "lock", handle->real_path, ERROR_LOCK_VIOLATION,
                        "other games kept replacing it");
    }
}

const std::string& ScoreFile::RealPath() const {
    static const std::string kNone;
    return handle_ ? handle_->real_path : kNone;
}

bool ScoreFile::ReadAll(std::string* bytes, ScoreFileError* error) {
    if (!handle_) return Fail(error, "read", "the high-score file", ERROR_INVALID_HANDLE);
    return ReadFrom(handle_->file, handle_->real_path, bytes, error);
}

void ScoreFile::Close() {
    handle_.reset();
}

HANDLE ScoreFile::Handle::CreateTemporary(std::string* temporary) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device seed;
    std::minstd_rand random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string name = real_path + ".";
        for (int digit = 0; digit < 8; ++digit) name += kDigits[random() % 16];
        name += ".tmp";
        HANDLE created = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created != INVALID_HANDLE_VALUE) {
            *temporary = name;
            return created;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return INVALID_HANDLE_VALUE;
    }
    return INVALID_HANDLE_VALUE;
}

// ReplaceFile keeps the table's attributes and security; where it cannot (another program has
// the table open without sharing it), a plain replacing move.
bool ScoreFile::Handle::PutInPlace(const std::string& temporary) {
    if (ReplaceFileA(real_path.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr))
        return true;
    return MoveFileExA(temporary.c_str(), real_path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool ScoreFile::Handle::RewriteInPlace(const std::string& old_bytes, const std::string& new_bytes,
                                       ScoreFileError* error) {
    if (WriteWhole(file, new_bytes) && FlushFileBuffers(file)) return true;
    const DWORD code = GetLastError();
    const bool restored = WriteWhole(file, old_bytes);
    return Fail(error, "write", real_path, code,
                restored ? "" : SystemReason(code) + ", and the old table could not be put back");
}

bool ScoreFile::Replace(const std::string& old_bytes, const std::string& new_bytes,
                        ScoreFileError* error) {
    if (!handle_) return Fail(error, "save", "the high-score file", ERROR_INVALID_HANDLE);
    Handle& table = *handle_;
    RemoveStaleTemporaries(table.real_path);
    // A replacement would leave the other names of a linked file on the old table.
    if (table.info.nNumberOfLinks > 1) return table.RewriteInPlace(old_bytes, new_bytes, error);

    std::string temporary;
    HANDLE made = table.CreateTemporary(&temporary);
    if (made == INVALID_HANDLE_VALUE) {
        // Only a folder that will not take new files leaves the file's own bytes as the way.
        const DWORD code = GetLastError();
        if (code == ERROR_ACCESS_DENIED || code == ERROR_WRITE_PROTECT)
            return table.RewriteInPlace(old_bytes, new_bytes, error);
        return Fail(error, "create a temporary file beside", table.real_path, code);
    }
    const bool written = WriteWhole(made, new_bytes) && FlushFileBuffers(made);
    const DWORD write_code = GetLastError();
    CloseHandle(made);
    if (!written) {
        DeleteFileA(temporary.c_str());
        return Fail(error, "write", temporary, write_code);
    }
    if (!table.PutInPlace(temporary)) {
        const DWORD code = GetLastError();
        DeleteFileA(temporary.c_str());
        return Fail(error, "replace", table.real_path, code);
    }
    return true;
}
