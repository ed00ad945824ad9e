#include "document/file_io_win.h"

#include <new>

#include "platform/win_handles.h"

namespace quillet {
namespace {

constexpr DWORD kWriteChunk = 1 << 20;

ReadFileFn& ReadHook() {
    static ReadFileFn hook = nullptr;
    return hook;
}

WriteFileFn& WriteHook() {
    static WriteFileFn hook = nullptr;
    return hook;
}

BOOL ReadBytes(HANDLE file, void* data, DWORD size, DWORD* read) {
    if (ReadFileFn hook = ReadHook()) return hook(file, data, size, read);
    return ::ReadFile(file, data, size, read, nullptr);
}

BOOL WriteBytes(HANDLE file, const void* data, DWORD size, DWORD* written) {
    if (WriteFileFn hook = WriteHook()) return hook(file, data, size, written);
    return ::WriteFile(file, data, size, written, nullptr);
}

// Writes every byte, checking each call; false with the error code otherwise.
bool WriteAll(HANDLE file, const std::string& bytes, DWORD& error) {
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        const std::size_t left = bytes.size() - offset;
        const DWORD chunk = left < kWriteChunk ? static_cast<DWORD>(left) : kWriteChunk;
        DWORD written = 0;
        if (!WriteBytes(file, bytes.data() + offset, chunk, &written)) {
            error = ::GetLastError();
            return false;
        }
        if (written == 0) {
            error = ERROR_DISK_FULL;
            return false;
        }
        offset += written;
    }
    if (!::FlushFileBuffers(file)) {
        error = ::GetLastError();
        return false;
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    char full[MAX_PATH * 4] = {};
    char* name = nullptr;
    const DWORD length = ::GetFullPathNameA(path.c_str(), sizeof full, full, &name);
    if (length == 0 || length >= sizeof full || !name) return ".";
    return std::string(full, static_cast<std::size_t>(name - full));
}

// Writes bytes into the existing file itself: the last resort when its
// folder takes no new files.
bool RewriteInPlace(const std::string& path, const std::string& bytes, DWORD& error) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = ::GetLastError();
        return false;
    }
    if (!WriteAll(file.Get(), bytes, error)) return false;
    if (!::SetEndOfFile(file.Get())) {
        error = ::GetLastError();
        return false;
    }
    return true;
}

bool MoveIntoPlace(const std::string& temporary, const std::string& path, DWORD attributes,
                   DWORD& error) {
    const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
    if (replacing && ::ReplaceFileA(path.c_str(), temporary.c_str(), nullptr,
                                    REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        return true;
    }
    if (!::MoveFileExA(temporary.c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = ::GetLastError();
        return false;
    }
    if (replacing) ::SetFileAttributesA(path.c_str(), attributes);
    return true;
}

}  // namespace

std::string SystemErrorText(DWORD error) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length && text ? std::string(text, length) : std::string();
    if (text) ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
        message.pop_back();
    }
    return message.empty() ? "Error " + std::to_string(error) + "." : message;
}

ReadResult ReadWholeFile(const std::string& path, std::string& bytes, DWORD& error) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = ::GetLastError();
        return ReadResult::CannotOpen;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) {
        error = ::GetLastError();
        return ReadResult::ReadFailed;
    }
    if (static_cast<unsigned long long>(size.QuadPart) >= bytes.max_size() ||
        size.QuadPart > 0x7FFFFFFELL) {  // the editor counts characters in 32 bits
        error = ERROR_NOT_ENOUGH_MEMORY;
        return ReadResult::TooLarge;
    }
    try {
        bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    } catch (const std::bad_alloc&) {
        error = ERROR_NOT_ENOUGH_MEMORY;
        return ReadResult::TooLarge;
    }
    std::size_t total = 0;
    while (total < bytes.size()) {
        const std::size_t left = bytes.size() - total;
        DWORD read = 0;
        if (!ReadBytes(file.Get(), bytes.data() + total,
                       left < kWriteChunk ? static_cast<DWORD>(left) : kWriteChunk, &read)) {
            error = ::GetLastError();
            return ReadResult::ReadFailed;
        }
        if (read == 0) break;  // the file shrank while we read it
        total += read;
    }
    bytes.resize(total);
    return ReadResult::Ok;
}

bool ReplaceFileContents(const std::string& path, const std::string& bytes, DWORD& error) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // A file we may not write stays as it is, whatever its folder allows.
        UniqueFile target(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!target) {
            error = ::GetLastError();
            return false;
        }
    }
    char temporary[MAX_PATH * 4] = {};
    const std::string folder = FolderOf(path);
    if (folder.size() >= MAX_PATH - 14 || !::GetTempFileNameA(folder.c_str(), "qlt", 0, temporary)) {
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            error = ::GetLastError();
            return false;  // nothing to rewrite and nowhere to create
        }
        return RewriteInPlace(path, bytes, error);
    }
    bool written = false;
    {
        UniqueFile file(::CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            error = ::GetLastError();
        } else {
            written = WriteAll(file.Get(), bytes, error);
            if (written && !::CloseHandle(file.Release())) {
                error = ::GetLastError();
                written = false;
            }
        }
    }
    if (written && MoveIntoPlace(temporary, path, attributes, error)) return true;
    ::DeleteFileA(temporary);
    return false;
}

bool WriteAllBytes(HANDLE file, const std::string& bytes, DWORD& error) {
    return WriteAll(file, bytes, error);
}

void SetReadFileForTesting(ReadFileFn read) { ReadHook() = read; }

void SetWriteFileForTesting(WriteFileFn write) { WriteHook() = write; }

}  // namespace quillet
