#include "support/file_faults.h"

#include "support/win_test_support.h"

namespace quillet::test {
namespace {

struct FileIdentity {
    DWORD volume = 0;
    DWORD high = 0;
    DWORD low = 0;
    bool valid = false;
    bool operator==(const FileIdentity& o) const {
        return valid && o.valid && volume == o.volume && high == o.high && low == o.low;
    }
};

FileIdentity IdentityOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info)) return {};
    return {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow, true};
}

FileIdentity IdentityOf(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    const FileIdentity identity = IdentityOf(file);
    ::CloseHandle(file);
    return identity;
}

// The faults' settings: the seams take plain functions.
struct Settings {
    unsigned long long failAt = 0;
    DWORD writeError = ERROR_DISK_FULL;
    DWORD shortenTo = 0;
    DWORD flushError = ERROR_IO_DEVICE;
    FileIdentity only;  // when valid, only this file's writes or flushes fail
    DWORD replaceError = 0;
    int movesToFail = 0;
};

Settings& Current() {
    static Settings settings;
    return settings;
}

bool Chosen(HANDLE file) { return !Current().only.valid || IdentityOf(file) == Current().only; }

BOOL WriteUntilOffset(HANDLE file, const void* data, DWORD size, DWORD* written) {
    *written = 0;
    LARGE_INTEGER position{};
    ::SetFilePointerEx(file, LARGE_INTEGER{}, &position, FILE_CURRENT);
    const auto at = static_cast<unsigned long long>(position.QuadPart);
    const unsigned long long limit = Current().failAt;
    if (!Chosen(file) || at + size <= limit) return ::WriteFile(file, data, size, written, nullptr);
    if (limit > at) ::WriteFile(file, data, static_cast<DWORD>(limit - at), written, nullptr);
    ::SetLastError(Current().writeError);
    return FALSE;
}

BOOL WriteShort(HANDLE file, const void* data, DWORD size, DWORD* written) {
    return ::WriteFile(file, data, size < Current().shortenTo ? size : Current().shortenTo, written, nullptr);
}

BOOL FailFlush(HANDLE file) {
    if (!Chosen(file)) return ::FlushFileBuffers(file);
    ::SetLastError(Current().flushError);
    return FALSE;
}

BOOL RefuseReplace(const char*, const char*, const char*) {
    ::SetLastError(Current().replaceError);
    return FALSE;
}

BOOL BackupThenFail(const char* replaced, const char* replacement, const char* backup) {
    if (!backup) return ::ReplaceFileA(replaced, replacement, backup, 0, nullptr, nullptr);
    if (!::MoveFileExA(replaced, backup, MOVEFILE_REPLACE_EXISTING)) return FALSE;
    ::SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
    return FALSE;
}

BOOL DeleteThenFail(const char* replaced, const char*, const char*) {
    ::DeleteFileA(replaced);
    ::SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    return FALSE;
}

BOOL MoveOrFail(const char* from, const char* to, DWORD flags) {
    if (Current().movesToFail > 0) {
        --Current().movesToFail;
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return ::MoveFileExA(from, to, flags);
}

}  // namespace

FileFaults::~FileFaults() { Current() = Settings{}; }

void FileFaults::FailWritesAt(unsigned long long offset, DWORD error) {
    Current().failAt = offset;
    Current().writeError = error;
    calls_->writeFile = WriteUntilOffset;
}

void FileFaults::FailWritesToFileAt(const std::string& path, unsigned long long offset) {
    Current().only = IdentityOf(path);
    FailWritesAt(offset);
}

void FileFaults::ShortenWrites(DWORD most) {
    Current().shortenTo = most;
    calls_->writeFile = WriteShort;
}

void FileFaults::FailFlushes(DWORD error) {
    Current().flushError = error;
    calls_->flushFile = FailFlush;
}

void FileFaults::FailFlushesToFileAt(const std::string& path) {
    Current().only = IdentityOf(path);
    FailFlushes();
}

void FileFaults::RefuseReplaces(DWORD error) {
    Current().replaceError = error;
    calls_->replaceFile = RefuseReplace;
}

void FileFaults::StopReplacesAfterTheBackup() { calls_->replaceFile = BackupThenFail; }

void FileFaults::LoseTheOldFileInReplaces() { calls_->replaceFile = DeleteThenFail; }

void FileFaults::FailMoves(int count) {
    Current().movesToFail = count;
    calls_->moveFile = MoveOrFail;
}

BOOL FailReadsAfterOneMegabyte(HANDLE file, void* data, DWORD size, DWORD* read) {
    LARGE_INTEGER position{};
    ::SetFilePointerEx(file, position, &position, FILE_CURRENT);
    if (position.QuadPart < (1 << 20)) return ::ReadFile(file, data, size, read, nullptr);
    ::SetLastError(ERROR_CRC);
    return FALSE;
}

std::vector<std::string> TemporaryCopies(const std::string& folder) {
    std::vector<std::string> names;
    for (const std::string& name : FileNames(folder)) {
        if (name.size() > 7 && ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(), 3, "qlt", 3) == CSTR_EQUAL &&
            ::lstrcmpiA(name.c_str() + name.size() - 4, ".tmp") == 0) {
            names.push_back(name);
        }
    }
    return names;
}

std::string SystemTemporaryFolder() {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(sizeof folder, folder);
    return std::string(folder, length < sizeof folder ? length : 0);
}

}  // namespace quillet::test
