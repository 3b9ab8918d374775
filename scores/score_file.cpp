// Reading the high-score file, and the open, lock and save that keep the table whole, on the
// file operations each system supplies (score_file_operations.h).
//
// What a power cut can still do: a save by rename writes and syncs the temporary file, renames
// it and syncs the folder where the system has that, so the table is the old one or the new
// one, never a mix. A save in place is one write over the old bytes followed by a truncation
// and a sync; a cut before the sync can leave old and new blocks mixed, or (between the write
// and the truncation, a new table shorter than the old) the old table's tail after the new
// tenth name, which then reads into that one name. Nothing here can leave the file empty.
#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "scores/score_file_operations.h"
#include "scores/score_file_system.h"

namespace sys = score_file_system;

namespace {

constexpr std::chrono::seconds kStaleAge(60);
constexpr auto kLockPoll = std::chrono::milliseconds(10);

bool Fail(ScoreFileError* error, const std::string& what, const std::string& path, int code,
          const std::string& reason = "") {
    error->code = code;
    error->message =
        "could not " + what + " " + path + ": " + (reason.empty() ? sys::ErrorText(code) : reason);
    return false;
}

bool Among(int code, const std::vector<int>& codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// Opens an existing file, or creates it empty and opens that; another game may create or remove
// it meanwhile.
sys::File OpenOrCreate(const std::string& path, sys::Access access) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        sys::File file = sys::OpenExisting(path, access);
        if (file.IsOpen() || sys::LastError() != sys::kErrorCodes.not_found) return file;
        file = sys::CreateNew(path, access);
        if (file.IsOpen() || sys::LastError() != sys::kErrorCodes.name_taken) return file;
    }
    return sys::File();
}

bool CheckPlain(const sys::File& file, const std::string& what, const std::string& path,
                sys::FileFacts* facts, ScoreFileError* error) {
    if (!sys::LearnFacts(file, facts)) return Fail(error, what, path, sys::LastError());
    if (!facts->plain)
        return Fail(error, what, path, sys::kErrorCodes.not_plain_file, "it is not a plain file");
    return true;
}

bool ReadFrom(const sys::File& file, const std::string& path, std::string* bytes,
              ScoreFileError* error) {
    bytes->clear();
    char chunk[65536];
    for (;;) {
        const std::int64_t got = sys::ReadAt(file, bytes->size(), chunk, sizeof chunk);
        if (got < 0) return Fail(error, "read", path, sys::LastError());
        if (got == 0) return true;
        bytes->append(chunk, size_t(got));
        if (bytes->size() > kMaxScoreFileBytes)
            return Fail(error, "read", path, sys::kErrorCodes.too_large,
                        "it is far too large for a high-score table");
    }
}

// The whole of bytes at the start of the file, and the file ends after them.
bool WriteWhole(const sys::File& file, const std::string& bytes) {
    return sys::WriteFromStart(file, bytes) && sys::Truncate(file, bytes.size());
}

// Temporary files of saves that were killed; a live save's own is younger than a minute.
void RemoveStaleTemporaries(const std::string& real_path) {
    for (const std::string& stale : sys::StaleTemporaries(real_path, kStaleAge)) sys::Remove(stale);
}

}  // namespace

bool ReadScoreFile(const std::string& path, std::string* bytes, ScoreFileError* error) {
    bytes->clear();
    const std::string full_path = sys::FullPath(path);
    // Another window may have saved since; where that cannot be learned, the copy at hand is
    // still read, and the failure told.
    const bool refreshed = sys::RefreshFolder(full_path);
    const int refresh_code = sys::LastError();
    const sys::File file = OpenOrCreate(path, sys::Access::kRead);
    if (!file.IsOpen()) return Fail(error, "open", full_path, sys::LastError());
    sys::FileFacts facts;
    if (!CheckPlain(file, "read", full_path, &facts, error) ||
        !ReadFrom(file, full_path, bytes, error))
        return false;
    return refreshed || Fail(error, "read", full_path, refresh_code);
}

struct ScoreFile::Handle {
    bool Lock(std::chrono::steady_clock::time_point deadline, ScoreFileError* error);
    bool RewriteInPlace(const std::string& old_bytes, const std::string& new_bytes,
                        ScoreFileError* error);
    // The temporary file, not open with the error set when none could be made.
    sys::File CreateTemporary(std::string* temporary);
    bool WriteTemporary(sys::File temporary_file, const std::string& temporary,
                        const std::string& bytes, ScoreFileError* error);
    bool SaveByReplacing(const std::string& old_bytes, const std::string& new_bytes,
                         ScoreFileError* error);

    sys::File file;
    sys::FileFacts facts;
    std::string real_path;
};

bool ScoreFile::Handle::Lock(std::chrono::steady_clock::time_point deadline,
                             ScoreFileError* error) {
    for (;;) {
        const sys::LockTry tried = sys::TryLock(file);
        if (tried == sys::LockTry::kLocked) return true;
        const int code = sys::LastError();
        if (tried == sys::LockTry::kFailed) return Fail(error, "lock", real_path, code);
        if (std::chrono::steady_clock::now() >= deadline)
            return Fail(error, "lock", real_path, code, "another game kept it locked for too long");
        std::this_thread::sleep_for(kLockPoll);
    }
}

ScoreFile::ScoreFile() = default;
ScoreFile::~ScoreFile() = default;

bool ScoreFile::Open(const std::string& path, std::chrono::milliseconds lock_wait,
                     ScoreFileError* error) {
    Close();
    const auto deadline = std::chrono::steady_clock::now() + lock_wait;
    for (;;) {
        auto handle = std::make_unique<Handle>();
        handle->file = OpenOrCreate(path, sys::Access::kReadWrite);
        if (!handle->file.IsOpen()) {
            const int code = sys::LastError();
            return Fail(error, "open", sys::FullPath(path), code);
        }
        handle->real_path = sys::LearnRealPath(handle->file, path);
        if (!CheckPlain(handle->file, "save", handle->real_path, &handle->facts, error) ||
            !handle->Lock(deadline, error))
            return false;
        if (sys::StillTheNamedFile(handle->file, handle->real_path)) {
            // As it is now that we hold it: its links, owner and mode.
            if (!CheckPlain(handle->file, "save", handle->real_path, &handle->facts, error))
                return false;
            handle_ = std::move(handle);
            return true;
        }
        // Another save put a new file in the place of the one we waited for: lock that one.
        if (std::chrono::steady_clock::now() >= deadline)
            return Fail(error, "lock", handle->real_path, sys::kErrorCodes.locked,
                        "other games kept replacing it");
    }
}

const std::string& ScoreFile::RealPath() const {
    static const std::string kNone;
    return handle_ ? handle_->real_path : kNone;
}

bool ScoreFile::ReadAll(std::string* bytes, ScoreFileError* error) {
    if (!handle_) return Fail(error, "read", "the high-score file", sys::kErrorCodes.not_open);
    return ReadFrom(handle_->file, handle_->real_path, bytes, error);
}

void ScoreFile::Close() {
    handle_.reset();
}

sys::File ScoreFile::Handle::CreateTemporary(std::string* temporary) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device seed;
    std::minstd_rand random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string name = real_path + ".";
        for (int digit = 0; digit < 8; ++digit) name += kDigits[random() % 16];
        name += ".tmp";
        // The table's own mode from the start: a private table is never readable meanwhile.
        sys::File created = sys::CreateExclusive(name, facts);
        if (created.IsOpen()) {
            *temporary = name;
            return created;
        }
        if (sys::LastError() != sys::kErrorCodes.name_taken) return created;
    }
    return sys::File();
}

bool ScoreFile::Handle::WriteTemporary(sys::File temporary_file, const std::string& temporary,
                                       const std::string& bytes, ScoreFileError* error) {
    const bool written =
        sys::WriteFromStart(temporary_file, bytes) && sys::CommitTemporary(temporary_file, facts);
    const int code = sys::LastError();
    if (!temporary_file.Close() || !written) {
        const int close_code = sys::LastError();
        sys::Remove(temporary);
        return Fail(error, "write", temporary, written ? close_code : code);
    }
    return true;
}

bool ScoreFile::Handle::RewriteInPlace(const std::string& old_bytes, const std::string& new_bytes,
                                       ScoreFileError* error) {
    // One write of the whole table; the truncation after it only matters when it got shorter.
    if (WriteWhole(file, new_bytes) && sys::CommitInPlace(file)) return true;
    const int code = sys::LastError();
    const bool restored = WriteWhole(file, old_bytes);
    return Fail(error, "write", real_path, code,
                restored ? "" : sys::ErrorText(code) + ", and the old table could not be put back");
}

bool ScoreFile::Handle::SaveByReplacing(const std::string& old_bytes, const std::string& new_bytes,
                                        ScoreFileError* error) {
    std::string temporary;
    sys::File temporary_file = CreateTemporary(&temporary);
    if (!temporary_file.IsOpen()) {
        const int code = sys::LastError();
        // Only a folder that will not take new files leaves the file's own bytes as the way.
        if (Among(code, sys::kErrorCodes.create_refused))
            return RewriteInPlace(old_bytes, new_bytes, error);
        return Fail(error, "create a temporary file beside", real_path, code);
    }
    if (!sys::GiveOwnership(temporary_file, facts)) {
        // We may not give the table its owner or group: a rename would change who may write it.
        temporary_file.Close();
        sys::Remove(temporary);
        return RewriteInPlace(old_bytes, new_bytes, error);
    }
    if (!WriteTemporary(std::move(temporary_file), temporary, new_bytes, error)) return false;
    if (!sys::ReplaceWith(temporary, real_path)) {
        const int code = sys::LastError();
        sys::Remove(temporary);
        // A file mounted on its own place cannot be replaced, only rewritten.
        if (Among(code, sys::kErrorCodes.replace_refused))
            return RewriteInPlace(old_bytes, new_bytes, error);
        return Fail(error, "replace", real_path, code);
    }
    return sys::CommitFolder(real_path) || Fail(error, "keep", real_path, sys::LastError());
}

bool ScoreFile::Replace(const std::string& old_bytes, const std::string& new_bytes,
                        ScoreFileError* error) {
    if (!handle_) return Fail(error, "save", "the high-score file", sys::kErrorCodes.not_open);
    RemoveStaleTemporaries(handle_->real_path);
    // A rename would leave the other names of a linked file on the old table.
    if (handle_->facts.links > 1) return handle_->RewriteInPlace(old_bytes, new_bytes, error);
    return handle_->SaveByReplacing(old_bytes, new_bytes, error);
}
