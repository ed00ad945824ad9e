#include "document/file_replace_win.h"

#include "document/temporary_file_win.h"
#include "platform/file_links_win.h"
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

std::string FolderOf(const std::string& path) {
    char full[MAX_PATH * 4] = {};
    char* name = nullptr;
    const DWORD length = ::GetFullPathNameA(path.c_str(), sizeof full, full, &name);
    if (length == 0 || length >= sizeof full || !name) return ".";
    return std::string(full, static_cast<std::size_t>(name - full));
}

bool SetFileSize(HANDLE file, unsigned long long size) {
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    return ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
}

// A file that did not exist: with no old copy to protect, the bytes go
// straight under its name, and a failed write takes the file away again.
void WriteNewFile(const std::string& path, const ContentSource& source, ReplaceOutcome& outcome) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        outcome.error = ::GetLastError();
        return;
    }
    unsigned long long size = 0;
    if (WriteAll(file.Get(), source, size, outcome.error)) {
        if (FlushFile(file.Get()) && ::CloseHandle(file.Release())) {
            outcome.written = true;
            return;
        }
        outcome.error = ::GetLastError();
    }
    file.Reset();
    outcome.fileChanged = !::DeleteFileA(path.c_str());
}

// Writes the size bytes of source over the file itself, cut to their length
// and read back. copy holds every byte already; it is kept, and named, unless
// the rewrite is verified or never touched the file.
void RewriteInPlace(const std::string& path, const ContentSource& source, unsigned long long size, OurFile& copy,
                    ReplaceOutcome& outcome) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER oldSize{};
    if (!file || !::GetFileSizeEx(file.Get(), &oldSize)) {
        outcome.error = ::GetLastError();
        return;
    }
    // Growing first lets a disk without room refuse before any old byte changes.
    const auto oldLength = static_cast<unsigned long long>(oldSize.QuadPart);
    if (size > oldLength && !SetFileSize(file.Get(), size)) {
        outcome.error = ::GetLastError();
        if (!SetFileSize(file.Get(), oldLength)) {
            outcome.fileChanged = true;
            outcome.newBytesCopy = copy.Keep();
        }
        return;
    }
    outcome.fileChanged = true;
    outcome.newBytesCopy = copy.Keep();
    unsigned long long written = 0;
    if (!::SetFilePointerEx(file.Get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
        outcome.error = ::GetLastError();
        return;
    }
    if (!WriteAll(file.Get(), source, written, outcome.error)) return;
    if (!SetFileSize(file.Get(), size) || !FlushFile(file.Get())) {
        outcome.error = ::GetLastError();
        return;
    }
    outcome.error = kReadBackDiffers;
    if (!FileHolds(file.Get(), source, size, outcome.error)) return;
    if (!::CloseHandle(file.Release())) {
        outcome.error = ::GetLastError();
        return;
    }
    outcome.written = true;
    outcome.fileChanged = false;
    outcome.error = ERROR_SUCCESS;
    if (::DeleteFileA(outcome.newBytesCopy.c_str())) outcome.newBytesCopy.clear();
}

// Puts the complete copy in the existing file's place.
void ReplaceExisting(const std::string& path, const ContentSource& source, unsigned long long size, OurFile& copy,
                     const std::string& folder, ReplaceOutcome& outcome) {
    // A name for the old file while the new one moves in; only the name is
    // reserved, as the replace moves the old file there.
    std::string backup = NewTemporaryFile(folder);
    if (!backup.empty()) RemoveOurs(backup);
    const auto keepBackup = [&] {
        if (!backup.empty() && Exists(backup) && !::DeleteFileA(backup.c_str())) {
            outcome.oldFileCopy = std::move(backup);
        }
    };
    if (Replace(path, copy.Name(), backup)) {
        copy.Keep();  // now under the user's name
        outcome.written = true;
        keepBackup();
        return;
    }
    outcome.error = ::GetLastError();
    if (Exists(path)) {
        // The old file kept its name: most often another program has it open
        // without delete sharing, which allows writing it but not replacing it.
        if (!backup.empty() && Exists(backup)) outcome.oldFileCopy = std::move(backup);
        RewriteInPlace(path, source, size, copy, outcome);
        return;
    }
    // The old file has left its name: the new one goes there, or the old one
    // goes back; failing both, both stay where they are and are named.
    if (MoveToFreeName(copy.Name(), path)) {
        copy.Keep();
        outcome = ReplaceOutcome{};
        outcome.written = true;
        keepBackup();
        return;
    }
    if (!backup.empty() && Exists(backup) && MoveToFreeName(backup, path)) return;
    outcome.fileChanged = true;
    outcome.newBytesCopy = copy.Keep();
    if (!backup.empty() && Exists(backup)) outcome.oldFileCopy = std::move(backup);
}

}  // namespace

ReplaceOutcome ReplaceFileContents(const std::string& path, const ContentSource& source) {
    ReplaceOutcome outcome;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    bool inPlace = false;
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
        // Moving a new file into a link's name would make a plain file of the
        // link (and the system's replace may delete the file it leads to), or
        // part one name of a file from its others.
        inPlace = IsLinkedFile(path);
    }
    const std::string folder = FolderOf(path);
    std::string temporary = NewTemporaryFile(folder);
    if (temporary.empty()) {
        if (!exists) {
            WriteNewFile(path, source, outcome);
            return outcome;
        }
        temporary = NewTemporaryFile(SystemTemporaryFolder());
        if (temporary.empty()) {
            outcome.error = ::GetLastError();
            return outcome;
        }
        inPlace = true;
    }
    OurFile copy(std::move(temporary));
    unsigned long long size = 0;
    if (!WriteCopy(copy.Name(), source, size, outcome.error)) return outcome;
    if (inPlace) {
        RewriteInPlace(path, source, size, copy, outcome);
    } else if (exists) {
        ReplaceExisting(path, source, size, copy, folder, outcome);
    } else if (MoveToFreeName(copy.Name(), path)) {
        copy.Keep();
        outcome.written = true;
    } else {
        outcome.error = ::GetLastError();
    }
    return outcome;
}

}  // namespace quillet
