// Reading a whole file, and the checked writes that every file writer uses.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "platform/piece_sink.h"

namespace quillet {

// The system's description of an error code, on one line.
std::string SystemErrorText(DWORD error);

enum class ReadResult { Ok, CannotOpen, ReadFailed, TooLarge };

// Reads every byte of the file. CannotOpen when the file cannot be opened for
// reading (missing, a folder, locked, no access); ReadFailed or TooLarge when
// it opened but could not be read whole. error receives the system's code.
ReadResult ReadWholeFile(const std::string& path, std::string& bytes, DWORD& error);

// The bytes a file writer writes, handed over piece by piece as often as the
// writer asks: once to write them, again to rewrite a file in place and to
// read it back. Every pass gives the same bytes, and none of them is held
// twice: the document's text streams from the editor on each pass.
struct ContentSource {
    // Hands every byte to sink in order; false when the sink stopped the
    // pass or the source could not give its bytes.
    bool (*pass)(const void* source, PieceSink sink, void* context);
    const void* source;
};

// Bytes the caller holds, as a source (they must outlive it).
ContentSource SourceOfBytes(const std::string& bytes);

// The error of a pass whose source failed rather than the file.
inline constexpr DWORD kSourceFailed = ERROR_READ_FAULT;

// Writes every byte of one pass at the file's current position, checking
// each write, and counts them. False with the system's error code otherwise.
// Nothing is flushed.
bool WriteAll(HANDLE file, const ContentSource& source, unsigned long long& written, DWORD& error);

// FlushFileBuffers, checked by the caller.
bool FlushFile(HANDLE file);

// Reads the file from its start and compares: true when it holds exactly the
// size bytes a pass gives. False otherwise, with error set when a read
// failed. Asks for no memory.
bool FileHolds(HANDLE file, const ContentSource& source, unsigned long long size, DWORD& error);

}  // namespace quillet
