// The high-score file's operations on Windows: file handles, LockFileEx, FlushFileBuffers and
// ReplaceFile (or MoveFileEx). Every byte goes through the handles as it is, so CR LF is written
// once.
//
// The lock covers one byte far past any table, so it keeps other games' saves out without
// stopping anyone from reading the table. A temporary file is given no owner here, since
// ReplaceFile keeps the table's security, and the folder is not synced after the replacement.
#include <string>

#include "platform/win32.h"
#include "scores/score_file_operations.h"
#include "scores/score_file_temporary.h"

namespace score_file_system {

namespace {

constexpr ULONGLONG kTicksPerSecond = 10000000;  // FILETIME counts 100 ns steps
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE Handle(const File& file) {
    return reinterpret_cast<HANDLE>(file.Native());
}

File Own(HANDLE handle) {
    return File(reinterpret_cast<std::intptr_t>(handle));
}

DWORD Rights(Access access) {
    return access == Access::kRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
}

OVERLAPPED At(ULONGLONG offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

ULONGLONG Ticks(const FILETIME& time) {
    return (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

}  // namespace

// Windows has no file mounted on its own place: any refused replacement fails the save.
const ErrorCodes kErrorCodes = {ERROR_INVALID_FUNCTION,
                                ERROR_INVALID_HANDLE,
                                ERROR_FILE_TOO_LARGE,
                                ERROR_LOCK_VIOLATION,
                                ERROR_FILE_NOT_FOUND,
                                ERROR_FILE_EXISTS,
                                {ERROR_ACCESS_DENIED, ERROR_WRITE_PROTECT},
                                {}};

bool File::Close() {
    if (!IsOpen()) return true;
    const bool closed = CloseHandle(Handle(*this));
    native_ = kNone;
    return closed;
}

int LastError() {
    return static_cast<int>(GetLastError());
}

std::string ErrorText(int code) {
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' ||
                          text[length - 1] == '.' || text[length - 1] == ' '))
        --length;
    return length ? std::string(text, length) : "error " + std::to_string(code);
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH * 4];
    DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

// Links and short names resolved, without the "\\?\" prefix.
std::string LearnRealPath(const File& file, const std::string& path) {
    char name[MAX_PATH * 4];
    DWORD length = GetFinalPathNameByHandleA(Handle(file), name, sizeof name, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= sizeof name) return FullPath(path);
    std::string real(name, length);
    if (real.rfind("\\\\?\\UNC\\", 0) == 0) return "\\" + real.substr(7);
    if (real.rfind("\\\\?\\", 0) == 0) return real.substr(4);
    return real;
}

File OpenExisting(const std::string& path, Access access) {
    return Own(CreateFileA(path.c_str(), Rights(access), kShareAll, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
}

File CreateNew(const std::string& path, Access access) {
    return Own(CreateFileA(path.c_str(), Rights(access), kShareAll, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
}

// A handle that cannot tell what it is counts as no plain file.
bool LearnFacts(const File& file, FileFacts* facts) {
    BY_HANDLE_FILE_INFORMATION info;
    *facts = {};
    if (GetFileType(Handle(file)) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(Handle(file), &info))
        return true;
    facts->plain = !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    facts->links = info.nNumberOfLinks;
    return true;
}

LockTry TryLock(const File& file) {
    OVERLAPPED at = At(ULONGLONG{kLockOffsetHigh} << 32);
    if (LockFileEx(Handle(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
        return LockTry::kLocked;
    const DWORD code = GetLastError();
    return code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING ? LockTry::kBusy
                                                                    : LockTry::kFailed;
}

bool StillTheNamedFile(const File& file, const std::string& real_path) {
    const File named = Own(CreateFileA(real_path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION now, that;
    return named.IsOpen() && GetFileInformationByHandle(Handle(file), &now) &&
           GetFileInformationByHandle(Handle(named), &that) && SameFile(now, that);
}

std::int64_t ReadAt(const File& file, std::uint64_t offset, char* into, std::size_t size) {
    OVERLAPPED at = At(offset);
    DWORD got = 0;
    if (ReadFile(Handle(file), into, static_cast<DWORD>(size), &got, &at)) return got;
    return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
}

bool WriteFromStart(const File& file, const std::string& bytes) {
    OVERLAPPED at = At(0);
    DWORD put = 0;
    if (!WriteFile(Handle(file), bytes.data(), static_cast<DWORD>(bytes.size()), &put, &at))
        return false;
    if (put != bytes.size()) SetLastError(ERROR_DISK_FULL);  // a short write
    return put == bytes.size();
}

bool Truncate(const File& file, std::uint64_t size) {
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    return SetFilePointerEx(Handle(file), end, nullptr, FILE_BEGIN) && SetEndOfFile(Handle(file));
}

bool CommitInPlace(const File& file) {
    return FlushFileBuffers(Handle(file));
}

bool CommitTemporary(const File& temporary, const FileFacts&) {
    return FlushFileBuffers(Handle(temporary));
}

File CreateExclusive(const std::string& name, const FileFacts&) {
    return Own(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool GiveOwnership(const File&, const FileFacts&) {
    return true;
}

// ReplaceFile keeps the table's attributes and security; where it cannot (another program has
// the table open without sharing it), a plain replacing move.
bool ReplaceWith(const std::string& temporary, const std::string& real_path) {
    if (ReplaceFileA(real_path.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr))
        return true;
    return MoveFileExA(temporary.c_str(), real_path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void Remove(const std::string& path) {
    DeleteFileA(path.c_str());
}

std::vector<std::string> StaleTemporaries(const std::string& real_path, std::chrono::seconds age) {
    std::vector<std::string> stale;
    const std::string folder = real_path.substr(0, real_path.find_last_of("\\/") + 1);
    const std::string base = real_path.substr(folder.size());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((real_path + ".*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return stale;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG age_ticks = ULONGLONG(age.count()) * kTicksPerSecond;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            IsTemporaryOf(base, found.cFileName) &&
            Ticks(now) - Ticks(found.ftLastWriteTime) > age_ticks)
            stale.push_back(folder + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return stale;
}

bool RefreshFolder(const std::string&) {
    return true;
}

// A rename by MoveFileEx with MOVEFILE_WRITE_THROUGH is already on the disk.
bool CommitFolder(const std::string&) {
    return true;
}

}  // namespace score_file_system
