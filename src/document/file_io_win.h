// Reading a whole file, and the checked writes that every file writer uses.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

// The system's description of an error code, on one line.
std::string SystemErrorText(DWORD error);

enum class ReadResult { Ok, CannotOpen, ReadFailed, TooLarge };

// Reads every byte of the file. CannotOpen when the file cannot be opened for
// reading (missing, a folder, locked, no access); ReadFailed or TooLarge when
// it opened but could not be read whole. error receives the system's code.
ReadResult ReadWholeFile(const std::string& path, std::string& bytes, DWORD& error);

// Writes every byte at the file's current position, checking each write,
// then flushes the file; false with the system's error code otherwise.
bool WriteAllBytes(HANDLE file, const std::string& bytes, DWORD& error);

// FlushFileBuffers, checked by the caller.
bool FlushFile(HANDLE file);

// Reads the file from its start and compares: true when it holds exactly
// bytes. False otherwise, with error set when a read failed.
bool FileHolds(HANDLE file, const std::string& bytes, DWORD& error);

}  // namespace quillet
