#include "support/small_disk.h"

#include <windows.h>

#include <string>

#include "support/win_test_support.h"

namespace quillet::test {
namespace {

constexpr char kFillerName[] = "filler.bin";

}  // namespace

std::string SmallDiskPath() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("QUILLET_SMALL_DISK", path, sizeof path);
    if (length == 0 || length >= sizeof path) return {};
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return path;
}

SmallDiskFolder::SmallDiskFolder() {
    const std::string disk = SmallDiskPath();
    if (disk.empty()) return;
    static unsigned counter = 0;
    for (int tries = 0; tries < 100; ++tries) {
        const std::string folder = disk + "\\quillet-" + std::to_string(::GetCurrentProcessId()) + "-" +
                                   std::to_string(++counter);
        if (::CreateDirectoryA(folder.c_str(), nullptr)) {
            path_ = folder;
            return;
        }
    }
}

SmallDiskFolder::~SmallDiskFolder() {
    if (!path_.empty()) RemoveTree(path_);
}

bool SmallDiskFolder::Fill() {
    HANDLE file = ::CreateFileA(File(kFillerName).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::SetFilePointer(file, 0, nullptr, FILE_END);
    const std::string block(64 * 1024, 'f');
    // Smaller and smaller writes, down to single bytes, until none fits.
    for (DWORD size = static_cast<DWORD>(block.size()); size > 0; size /= 2) {
        DWORD written = 0;
        while (::WriteFile(file, block.data(), size, &written, nullptr) && written == size) {
        }
    }
    ::FlushFileBuffers(file);
    ::CloseHandle(file);
    return true;
}

void SmallDiskFolder::Free() { ::DeleteFileA(File(kFillerName).c_str()); }

}  // namespace quillet::test
