#include "platform/same_file_win.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/win_handles.h"

namespace quillet {
namespace {

struct FileIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
    bool operator==(const FileIdentity& other) const {
        return volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow;
    }
};

// Opened for no access at all, so that a file that others hold open, or
// that we may not read, still tells who it is; folders too.
std::optional<FileIdentity> IdentityOf(const std::string& path) {
    UniqueFile file(::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !::GetFileInformationByHandle(file.Get(), &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

}  // namespace

std::string FullPathOf(const std::string& path) {
    const DWORD needed = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::vector<char> full(needed, '\0');
    const DWORD length = ::GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    return length && length < needed ? std::string(full.data(), length) : path;
}

bool NameSameFile(const std::string& a, const std::string& b) {
    const std::optional<FileIdentity> first = IdentityOf(a);
    const std::optional<FileIdentity> second = first ? IdentityOf(b) : std::nullopt;
    if (first && second) return *first == *second;
    return ::lstrcmpiA(FullPathOf(a).c_str(), FullPathOf(b).c_str()) == 0;
}

}  // namespace quillet
