#include "document/file_io_win.h"

#include <cstring>
#include <new>

#include "platform/system_calls_win.h"
#include "platform/win_handles.h"

namespace quillet {
namespace {

constexpr DWORD kWriteChunk = 1 << 20;

struct Writing {
    HANDLE file;
    unsigned long long written;
    DWORD error;
    bool failed;
};

// Writes one piece whole, in as many writes as the system wants.
bool WritePiece(void* context, const char* bytes, std::size_t count) {
    auto* writing = static_cast<Writing*>(context);
    while (count > 0) {
        const DWORD chunk = count < kWriteChunk ? static_cast<DWORD>(count) : kWriteChunk;
        DWORD written = 0;
        DWORD error = ERROR_SUCCESS;
        if (!SystemCallsInUse().writeFile(writing->file, bytes, chunk, &written)) {
            error = ::GetLastError();
        } else if (written == 0) {
            error = ERROR_DISK_FULL;
        } else if (written > chunk) {
            error = ERROR_WRITE_FAULT;
        }
        if (error != ERROR_SUCCESS) {
            writing->error = error;
            writing->failed = true;
            return false;
        }
        bytes += written;
        count -= written;
        writing->written += written;
    }
    return true;
}

struct Comparison {
    HANDLE file;
    unsigned long long size;
    unsigned long long compared;
    DWORD error;
    bool readFailed;
    char buffer[16 << 10];
};

// Reads as many bytes as the piece holds and compares; false at the first
// difference, or when the file has fewer bytes.
bool ComparePiece(void* context, const char* bytes, std::size_t count) {
    auto* comparison = static_cast<Comparison*>(context);
    if (count > comparison->size - comparison->compared) return false;
    while (count > 0) {
        const DWORD ask = count < sizeof comparison->buffer ? static_cast<DWORD>(count)
                                                            : static_cast<DWORD>(sizeof comparison->buffer);
        DWORD read = 0;
        if (!SystemCallsInUse().readFile(comparison->file, comparison->buffer, ask, &read)) {
            comparison->error = ::GetLastError();
            comparison->readFailed = true;
            return false;
        }
        if (read == 0 || read > ask || memcmp(comparison->buffer, bytes, read) != 0) return false;
        bytes += read;
        count -= read;
        comparison->compared += read;
    }
    return true;
}

}  // namespace

bool FlushFile(HANDLE file) { return SystemCallsInUse().flushFile(file) != FALSE; }

bool WriteAll(HANDLE file, const ContentSource& source, unsigned long long& written, DWORD& error) {
    Writing writing{file, 0, ERROR_SUCCESS, false};
    const bool whole = source.pass(source.source, WritePiece, &writing);
    written = writing.written;
    if (whole) return true;
    error = writing.failed ? writing.error : kSourceFailed;
    return false;
}

bool FileHolds(HANDLE file, const ContentSource& source, unsigned long long size, DWORD& error) {
    LARGE_INTEGER actual{};
    if (!::GetFileSizeEx(file, &actual) || !::SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
        error = ::GetLastError();
        return false;
    }
    if (static_cast<unsigned long long>(actual.QuadPart) != size) return false;
    Comparison comparison{file, size, 0, ERROR_SUCCESS, false, {}};
    const bool same = source.pass(source.source, ComparePiece, &comparison) && comparison.compared == size;
    if (comparison.readFailed) error = comparison.error;
    return same;
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

namespace {

bool PassBytes(const void* source, PieceSink sink, void* context) {
    const auto& bytes = *static_cast<const std::string*>(source);
    return sink(context, bytes.data(), bytes.size());
}

}  // namespace

ContentSource SourceOfBytes(const std::string& bytes) { return {PassBytes, &bytes}; }

}  // namespace quillet
