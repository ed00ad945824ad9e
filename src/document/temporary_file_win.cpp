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

// A new, empty file of ours in folder, its name in name (MAX_PATH bytes);
// false with the last error set. Asks for no memory.
bool MakeTemporaryFile(const char* folder, std::size_t folderLength, char* name) {
    if (folderLength == 0 || folderLength >= MAX_PATH - 14) {  // GetTempFileNameA's limit
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    return ::GetTempFileNameA(folder, kPrefix, 0, name) != 0;
}

}  // namespace

std::string NewTemporaryFile(const std::string& folder) {
    std::string name(MAX_PATH, '\0');
    if (!MakeTemporaryFile(folder.c_str(), folder.size(), name.data())) return {};
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
    if (length == 0 || !MakeTemporaryFile(folder, length, name)) {
        error = ::GetLastError();
        return false;
    }
    unsigned long long size = 0;
    if (WriteNew(name, source, size, error)) return true;
    ::DeleteFileA(name);
    return false;
}

}  // namespace quillet
