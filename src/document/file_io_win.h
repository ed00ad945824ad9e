// Reading a whole file and replacing a file's contents safely.
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

// Replaces the file's contents with bytes without ever leaving a half-written
// file in its place: the bytes go to a new file in the same folder, which
// replaces the original only once it is complete. Where no new file can be
// made in that folder, the file is rewritten in place. Returns false with the
// system's error code when anything failed; the original is then untouched
// (except in place, where it may be cut short) and no temporary file is left.
bool ReplaceFileContents(const std::string& path, const std::string& bytes, DWORD& error);

// Writes every byte at the file's current position, checking each write,
// then flushes the file; false with the system's error code otherwise.
bool WriteAllBytes(HANDLE file, const std::string& bytes, DWORD& error);

// Let tests make reads and writes fail part-way. nullptr restores the
// system's ReadFile and WriteFile.
using ReadFileFn = BOOL (*)(HANDLE file, void* data, DWORD size, DWORD* read);
using WriteFileFn = BOOL (*)(HANDLE file, const void* data, DWORD size, DWORD* written);
void SetReadFileForTesting(ReadFileFn read);
void SetWriteFileForTesting(WriteFileFn write);

}  // namespace quillet
