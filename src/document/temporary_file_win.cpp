#include "document/temporary_file_win.h"

#include <cstring>

#include "platform/win_handles.h"

namespace quillet {
namespace {

constexpr char kPrefix[] = "qlt";

// Makes the file, writes one pass, flushes and closes it.
bool WriteNew(const char* name, const ContentSource& source, unsigned long long& size, DWORD& error) {
    UniqueFile file(::CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = ::GetLastError();
        return false;
    }
    if (!WriteAll(file.Get(), source, size, error)) return false;
    if (!FlushFile(file.Get()) || !::CloseHandle(file.Release())) {
        error = ::GetLastError();
        return false;
    }
    return true;
}

}  // namespace

std::string NewTemporaryFile(const std::string& folder) {
    if (folder.empty() || folder.size() >= MAX_PATH - 14) {  // GetTempFileNameA's limit
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return {};
    }
    std::string name(MAX_PATH, '\0');
    if (!::GetTempFileNameA(folder.c_str(), kPrefix, 0, name.data())) return {};
    name.resize(strnlen(name.c_str(), MAX_PATH));
    return name;
}

std::string SystemTemporaryFolder() {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(sizeof folder, folder);
    return length && length < sizeof folder ? std::string(folder, length) : std::string();
}

void RemoveOurs(const std::string& path) { ::DeleteFileA(path.c_str()); }

bool WriteCopy(const std::string& copy, const ContentSource& source, unsigned long long& size, DWORD& error) {
    return WriteNew(copy.c_str(), source, size, error);
}

bool SaveInTemporaryFile(const ContentSource& source, char (&name)[MAX_PATH], DWORD& error) {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(sizeof folder, folder);
    if (length == 0) {
        error = ::GetLastError();
        return false;
    }
    if (length >= MAX_PATH - 14) {  // GetTempFileNameA's limit
        error = ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    if (!::GetTempFileNameA(folder, kPrefix, 0, name)) {
        error = ::GetLastError();
        return false;
    }
    unsigned long long size = 0;
    if (WriteNew(name, source, size, error)) return true;
    ::DeleteFileA(name);
    return false;
}

}  // namespace quillet
