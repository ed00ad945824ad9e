#include "document/file_replace_win.h"

#include "document/file_io_win.h"
#include "platform/system_calls_win.h"
#include "platform/win_handles.h"

namespace quillet {
namespace {

// With a backup name the old file is never deleted: a replace that fails
// leaves it under its own name or under the backup name.
bool Replace(const std::string& path, const std::string& replacement, const std::string& backup) {
    const char* backupName = backup.empty() ? nullptr : backup.c_str();
    return SystemCallsInUse().replaceFile(path.c_str(), replacement.c_str(), backupName) != FALSE;
}

// Moves a file to a name no file has; never over another file.
bool MoveToFreeName(const std::string& from, const std::string& to) {
    return SystemCallsInUse().moveFile(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Removes a file of ours that holds nothing the user needs (an incomplete
// copy, or a copy of what is now safely under the user's name).
void RemoveOurs(const std::string& path) { ::DeleteFileA(path.c_str()); }

std::string FolderOf(const std::string& path) {
    char full[MAX_PATH * 4] = {};
    char* name = nullptr;
    const DWORD length = ::GetFullPathNameA(path.c_str(), sizeof full, full, &name);
    if (length == 0 || length >= sizeof full || !name) return ".";
    return std::string(full, static_cast<std::size_t>(name - full));
}

// A new, empty file of ours with a unique name in folder; "" when the folder
// takes none (the reason is then the last error).
std::string NewTemporaryFile(const std::string& folder) {
    if (folder.empty() || folder.size() >= MAX_PATH - 14) {  // GetTempFileNameA's limit
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return {};
    }
    char name[MAX_PATH] = {};
    if (!::GetTempFileNameA(folder.c_str(), "qlt", 0, name)) return {};
    return name;
}

std::string SystemTemporaryFolder() {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(sizeof folder, folder);
    return length && length < sizeof folder ? std::string(folder, length) : std::string();
}

// Writes, flushes and closes a file of ours, checking every step.
bool WriteCopy(const std::string& copy, const std::string& bytes, DWORD& error) {
    UniqueFile file(::CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = ::GetLastError();
        return false;
    }
    if (!WriteAllBytes(file.Get(), bytes, error)) return false;
    if (!::CloseHandle(file.Release())) {
        error = ::GetLastError();
        return false;
    }
    return true;
}

bool SetFileSize(HANDLE file, std::size_t size) {
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    return ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
}

// A file that did not exist: with no old copy to protect, the bytes go
// straight under its name, and a failed write takes the file away again.
void WriteNewFile(const std::string& path, const std::string& bytes, ReplaceOutcome& outcome) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        outcome.error = ::GetLastError();
        return;
    }
    if (WriteAllBytes(file.Get(), bytes, outcome.error)) {
        if (::CloseHandle(file.Release())) {
            outcome.written = true;
            return;
        }
        outcome.error = ::GetLastError();
    }
    file.Reset();
    outcome.fileChanged = !::DeleteFileA(path.c_str());
}

// Writes bytes over the file itself, cut to their length and read back.
// copy holds every byte already; it is kept, and named, unless the rewrite
// is verified or never touched the file.
void RewriteInPlace(const std::string& path, const std::string& bytes, const std::string& copy,
                    ReplaceOutcome& outcome) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER oldSize{};
    if (!file || !::GetFileSizeEx(file.Get(), &oldSize)) {
        outcome.error = ::GetLastError();
        RemoveOurs(copy);
        return;
    }
    // Growing first lets a disk without room refuse before any old byte changes.
    if (bytes.size() > static_cast<unsigned long long>(oldSize.QuadPart) && !SetFileSize(file.Get(), bytes.size())) {
        outcome.error = ::GetLastError();
        if (SetFileSize(file.Get(), static_cast<std::size_t>(oldSize.QuadPart))) {
            RemoveOurs(copy);
        } else {
            outcome.fileChanged = true;
            outcome.newBytesCopy = copy;
        }
        return;
    }
    outcome.fileChanged = true;
    outcome.newBytesCopy = copy;
    if (!::SetFilePointerEx(file.Get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
        outcome.error = ::GetLastError();
        return;
    }
    if (!WriteAllBytes(file.Get(), bytes, outcome.error)) return;
    if (!SetFileSize(file.Get(), bytes.size()) || !FlushFile(file.Get())) {
        outcome.error = ::GetLastError();
        return;
    }
    outcome.error = kReadBackDiffers;
    if (!FileHolds(file.Get(), bytes, outcome.error)) return;
    if (!::CloseHandle(file.Release())) {
        outcome.error = ::GetLastError();
        return;
    }
    outcome.written = true;
    outcome.fileChanged = false;
    outcome.error = ERROR_SUCCESS;
    if (::DeleteFileA(copy.c_str())) outcome.newBytesCopy.clear();
}

// Puts the complete temporary file in the existing file's place.
void ReplaceExisting(const std::string& path, const std::string& bytes, const std::string& temporary,
                     const std::string& folder, ReplaceOutcome& outcome) {
    // A name for the old file while the new one moves in; only the name is
    // reserved, as the replace moves the old file there.
    const std::string backup = NewTemporaryFile(folder);
    if (!backup.empty()) RemoveOurs(backup);
    const auto keepBackup = [&] {
        if (!backup.empty() && Exists(backup) && !::DeleteFileA(backup.c_str())) outcome.oldFileCopy = backup;
    };
    if (Replace(path, temporary, backup)) {
        outcome.written = true;
        keepBackup();
        return;
    }
    outcome.error = ::GetLastError();
    if (Exists(path)) {
        // The old file kept its name: most often another program has it open
        // without delete sharing, which allows writing it but not replacing it.
        if (!backup.empty() && Exists(backup)) outcome.oldFileCopy = backup;
        RewriteInPlace(path, bytes, temporary, outcome);
        return;
    }
    // The old file has left its name: the new one goes there, or the old one
    // goes back; failing both, both stay where they are and are named.
    if (MoveToFreeName(temporary, path)) {
        outcome = ReplaceOutcome{};
        outcome.written = true;
        keepBackup();
        return;
    }
    if (!backup.empty() && Exists(backup) && MoveToFreeName(backup, path)) {
        RemoveOurs(temporary);
        return;
    }
    outcome.fileChanged = true;
    outcome.newBytesCopy = temporary;
    if (!backup.empty() && Exists(backup)) outcome.oldFileCopy = backup;
}

}  // namespace

ReplaceOutcome ReplaceFileContents(const std::string& path, const std::string& bytes) {
    ReplaceOutcome outcome;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists) {
        // Checked here because some systems let the program write a read-only
        // file anyway (Wine run as root does).
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            outcome.error = ERROR_FILE_READ_ONLY;
            return outcome;
        }
        // A file we may not write (locked, no access, a folder) stays as it
        // is, whatever its folder allows.
        UniqueFile probe(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe) {
            outcome.error = ::GetLastError();
            return outcome;
        }
    }
    const std::string folder = FolderOf(path);
    std::string temporary = NewTemporaryFile(folder);
    const bool besideTheFile = !temporary.empty();
    if (!besideTheFile) {
        if (!exists) {
            WriteNewFile(path, bytes, outcome);
            return outcome;
        }
        temporary = NewTemporaryFile(SystemTemporaryFolder());
        if (temporary.empty()) {
            outcome.error = ::GetLastError();
            return outcome;
        }
    }
    if (!WriteCopy(temporary, bytes, outcome.error)) {
        RemoveOurs(temporary);
        return outcome;
    }
    if (!besideTheFile) {
        RewriteInPlace(path, bytes, temporary, outcome);
    } else if (exists) {
        ReplaceExisting(path, bytes, temporary, folder, outcome);
    } else if (MoveToFreeName(temporary, path)) {
        outcome.written = true;
    } else {
        outcome.error = ::GetLastError();
        RemoveOurs(temporary);
    }
    return outcome;
}

std::string SaveInTemporaryFile(const std::string& bytes, DWORD& error) {
    std::string name = NewTemporaryFile(SystemTemporaryFolder());
    if (name.empty()) {
        error = ::GetLastError();
        return {};
    }
    if (!WriteCopy(name, bytes, error)) {
        RemoveOurs(name);
        return {};
    }
    return name;
}

}  // namespace quillet
