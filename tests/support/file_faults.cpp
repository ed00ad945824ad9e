#include "support/file_faults.h"

#include <cstring>

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
    std::vector<HANDLE> keptOpen;
    FileIdentity linked;  // the file the read and link faults speak of
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

DWORD RealFinalPath(HANDLE file, char* path, DWORD size) {
    return ::GetFinalPathNameByHandleA(file, path, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
}

// Gives the final path the system gives, except for the chosen file, which
// was reached in another folder; with everywhere, every path is given under
// drive Q: instead (alike for a file and its folder: no link).
template <bool everywhere>
DWORD FinalPathElsewhere(HANDLE file, char* path, DWORD size) {
    char given[MAX_PATH * 2] = "\\\\?\\C:\\elsewhere\\a.txt";
    if (everywhere || !(IdentityOf(file) == Current().linked)) {
        const DWORD length = RealFinalPath(file, given, sizeof given);
        if (!everywhere || length == 0 || length >= sizeof given) return length;
        given[4] = 'Q';
    }
    const std::size_t length = strlen(given);
    if (length >= size) return static_cast<DWORD>(length + 1);
    memcpy(path, given, length + 1);
    return static_cast<DWORD>(length);
}

}  // namespace

FileFaults::~FileFaults() {
    CloseKeptFiles();
    Current() = Settings{};
}

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

void FileFaults::KeepBackupsOpen() {
    calls_->replaceFile = [](const char* replaced, const char* replacement, const char* backup) -> BOOL {
        if (!::ReplaceFileA(replaced, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            return FALSE;
        }
        if (!backup) return TRUE;
        HANDLE held = ::CreateFileA(backup, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (held != INVALID_HANDLE_VALUE) Current().keptOpen.push_back(held);
        return TRUE;
    };
}

void FileFaults::CloseKeptFiles() {
    for (HANDLE file : Current().keptOpen) ::CloseHandle(file);
    Current().keptOpen.clear();
}

void FileFaults::CorruptReadsOfFileAt(const std::string& path) {
    Current().linked = IdentityOf(path);
    calls_->readFile = [](HANDLE file, void* data, DWORD size, DWORD* read) -> BOOL {
        LARGE_INTEGER at{};
        ::SetFilePointerEx(file, at, &at, FILE_CURRENT);
        if (!::ReadFile(file, data, size, read, nullptr)) return FALSE;
        if (*read > 0 && at.QuadPart == 0 && IdentityOf(file) == Current().linked) static_cast<char*>(data)[0] ^= 1;
        return TRUE;
    };
}

void FileFaults::FailFileSizes() {
    calls_->fileSize = [](HANDLE, LARGE_INTEGER*) -> BOOL {
        ::SetLastError(ERROR_IO_DEVICE);
        return FALSE;
    };
}

void FileFaults::GiveFileAtTwoNames(const std::string& path) {
    Current().linked = IdentityOf(path);
    calls_->fileInformation = [](HANDLE file, BY_HANDLE_FILE_INFORMATION* information) -> BOOL {
        if (!::GetFileInformationByHandle(file, information)) return FALSE;
        if (IdentityOf(file) == Current().linked) information->nNumberOfLinks = 2;
        return TRUE;
    };
}

void FileFaults::ReachFileAtElsewhere(const std::string& path) {
    Current().linked = IdentityOf(path);
    calls_->finalPath = FinalPathElsewhere<false>;
}

void FileFaults::ReachEverythingElsewhere() { calls_->finalPath = FinalPathElsewhere<true>; }

void FileFaults::FailFileInformation() {
    calls_->fileInformation = [](HANDLE, BY_HANDLE_FILE_INFORMATION*) -> BOOL {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    };
}

BOOL FailReadsAfterOneMegabyte(HANDLE file, void* data, DWORD size, DWORD* read) {
    LARGE_INTEGER position{};
    ::SetFilePointerEx(file, position, &position, FILE_CURRENT);
    if (position.QuadPart < (1 << 20)) return ::ReadFile(file, data, size, read, nullptr);
    ::SetLastError(ERROR_CRC);
    return FALSE;
}

std::string FileIdentityOf(const std::string& path) {
    const FileIdentity identity = IdentityOf(path);
    if (!identity.valid) return {};
    return std::to_string(identity.volume) + ":" + std::to_string(identity.high) + ":" + std::to_string(identity.low);
}

bool MakeUnixSymbolicLink(const std::string& folder, const std::string& target, const std::string& link) {
    std::string command = "ln -s " + target + " " + link;
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};  // (Wine gives no handles to wait on for a Unix program)
    if (!::CreateProcessA("Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &process)) {
        return false;
    }
    const std::string made = folder + "\\" + link;
    for (int waited = 0; waited < 10000 && !FileExists(made); waited += 20) ::Sleep(20);
    return FileExists(made);
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
