#include "document/file_io_win.h"

#include <new>

#include "platform/system_calls_win.h"
#include "platform/win_handles.h"

namespace quillet {
namespace {

constexpr DWORD kWriteChunk = 1 << 20;

}  // namespace

bool FlushFile(HANDLE file) { return SystemCallsInUse().flushFile(file) != FALSE; }

bool WriteAllBytes(HANDLE file, const std::string& bytes, DWORD& error) {
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        const std::size_t left = bytes.size() - offset;
        const DWORD chunk = left < kWriteChunk ? static_cast<DWORD>(left) : kWriteChunk;
        DWORD written = 0;
        if (!SystemCallsInUse().writeFile(file, bytes.data() + offset, chunk, &written)) {
            error = ::GetLastError();
            return false;
        }
        if (written == 0) {
            error = ERROR_DISK_FULL;
            return false;
        }
        if (written > chunk) {
            error = ERROR_WRITE_FAULT;
            return false;
        }
        offset += written;
    }
    if (!FlushFile(file)) {
        error = ::GetLastError();
        return false;
    }
    return true;
}

bool FileHolds(HANDLE file, const std::string& bytes, DWORD& error) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size) || !::SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
        error = ::GetLastError();
        return false;
    }
    if (static_cast<unsigned long long>(size.QuadPart) != bytes.size()) return false;
    std::string chunk(std::size_t{64} << 10, '\0');
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        const std::size_t left = bytes.size() - offset;
        DWORD read = 0;
        const std::size_t ask = left < chunk.size() ? left : chunk.size();
        if (!SystemCallsInUse().readFile(file, chunk.data(), static_cast<DWORD>(ask), &read)) {
            error = ::GetLastError();
            return false;
        }
        if (read == 0 || bytes.compare(offset, read, chunk, 0, read) != 0) return false;
        offset += read;
    }
    return true;
}

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
        if (!SystemCallsInUse().readFile(file.Get(), bytes.data() + total,
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

}  // namespace quillet
