// What the file system says of a path without opening it.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

// A file (not a folder) that holds at least one byte.
inline bool IsNonEmptyFile(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    return data.nFileSizeHigh != 0 || data.nFileSizeLow != 0;
}

}  // namespace quillet
