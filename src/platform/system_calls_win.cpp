#include "platform/system_calls_win.h"

#include <shellapi.h>

namespace quillet {
namespace {

BOOL ReadBytes(HANDLE file, void* data, DWORD size, DWORD* read) {
    return ::ReadFile(file, data, size, read, nullptr);
}

BOOL WriteBytes(HANDLE file, const void* data, DWORD size, DWORD* written) {
    return ::WriteFile(file, data, size, written, nullptr);
}

BOOL Flush(HANDLE file) { return ::FlushFileBuffers(file); }

BOOL FileSize(HANDLE file, LARGE_INTEGER* size) { return ::GetFileSizeEx(file, size); }

BOOL FileInformation(HANDLE file, BY_HANDLE_FILE_INFORMATION* information) {
    return ::GetFileInformationByHandle(file, information);
}

DWORD FinalPath(HANDLE file, char* path, DWORD size) {
    return ::GetFinalPathNameByHandleA(file, path, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
}

BOOL Move(const char* from, const char* to, DWORD flags) { return ::MoveFileExA(from, to, flags); }

BOOL Replace(const char* replaced, const char* replacement, const char* backup) {
    return ::ReplaceFileA(replaced, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
}

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryA(folder, sizeof folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

bool OpenWithShell(const std::string& target) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "Open";
    info.lpFile = target.c_str();
    info.lpParameters = "";
    info.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExA(&info)) return false;
    if (info.hProcess) ::CloseHandle(info.hProcess);
    return true;
}

// The library stays loaded for the life of the process.
bool LoadRichEdit20() { return ::LoadLibraryA("RICHED20.DLL") != nullptr; }

// Plain functions each, also where a system call's own convention differs
// (stdcall on 32-bit Windows).
constexpr SystemCalls kSystemsCalls{ReadBytes, WriteBytes,   Flush,         FileSize,       FileInformation,
                                    FinalPath, Replace,      Move,          SystemFolder,   OpenWithShell,
                                    LoadRichEdit20, nullptr};

}  // namespace

SystemCalls& SystemCallsInUse() {
    static SystemCalls inUse = kSystemsCalls;
    return inUse;
}

}  // namespace quillet
