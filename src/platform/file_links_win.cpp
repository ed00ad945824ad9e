#include "platform/file_links_win.h"

#include <windows.h>

#include "platform/same_file_win.h"
#include "platform/system_calls_win.h"
#include "platform/win_handles.h"

namespace quillet {
namespace {

// Opened for no access at all, so that a file others hold open still
// answers; folders too.
UniqueFile OpenToAsk(const std::string& path) {
    return UniqueFile(::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// The final path of an open file or folder; "" when the system gives none.
std::string FinalPathOf(HANDLE file) {
    std::string path(MAX_PATH, '\0');
    for (int tries = 0; tries < 2; ++tries) {
        const DWORD length = SystemCallsInUse().finalPath(file, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.assign(length, '\0');  // the room it asked for, its terminator included
    }
    return {};
}

// The last part of a full path in the form the folder lists it: its long
// name, where the name was given in its short form.
std::string ListedName(const std::string& full) {
    std::string name = full;
    const DWORD needed = ::GetLongPathNameA(full.c_str(), nullptr, 0);
    if (needed > 0) {
        std::string longName(needed, '\0');
        const DWORD length = ::GetLongPathNameA(full.c_str(), longName.data(), needed);
        if (length > 0 && length < needed) name.assign(longName, 0, length);
    }
    const std::size_t cut = name.find_last_of("\\/");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

bool ReachedThroughALink(HANDLE file, const std::string& path) {
    const std::string full = FullPathOf(path);
    const std::size_t cut = full.find_last_of("\\/");
    if (cut == std::string::npos) return true;
    // A drive's root keeps its backslash ("C:\").
    const UniqueFile folder = OpenToAsk(full.substr(0, cut == 2 && full[1] == ':' ? cut + 1 : cut));
    const std::string reached = FinalPathOf(file);
    std::string listed = folder ? FinalPathOf(folder.Get()) : std::string();
    if (reached.empty() || listed.empty()) return true;
    if (listed.back() != '\\') listed += '\\';
    listed += ListedName(full);
    return ::lstrcmpiA(reached.c_str(), listed.c_str()) != 0;
}

}  // namespace

bool IsLinkedFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return true;
    const UniqueFile file = OpenToAsk(path);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !SystemCallsInUse().fileInformation(file.Get(), &information)) return true;
    return information.nNumberOfLinks > 1 || ReachedThroughALink(file.Get(), path);
}

}  // namespace quillet
