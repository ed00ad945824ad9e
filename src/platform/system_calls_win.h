// The system calls through which the program reaches files, the shell and the
// editor's library, gathered in one record. The program always uses the
// system's own; tests replace the record as a whole to make a disk fill up,
// a replace fail half-way, or a system lack the RichEdit 2.0 control, and put
// it back afterwards.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

struct SystemCalls {
    BOOL (*readFile)(HANDLE file, void* data, DWORD size, DWORD* read);
    BOOL (*writeFile)(HANDLE file, const void* data, DWORD size, DWORD* written);
    BOOL (*flushFile)(HANDLE file);
    // GetFileSizeEx.
    BOOL (*fileSize)(HANDLE file, LARGE_INTEGER* size);
    // GetFileInformationByHandle: the volume, the file index and the number of
    // names (hard links) the file has.
    BOOL (*fileInformation)(HANDLE file, BY_HANDLE_FILE_INFORMATION* information);
    // GetFinalPathNameByHandleA: the path the system reached the file by,
    // links followed, with its drive letter ("\\?\C:\..."). The length, or 0.
    DWORD (*finalPath)(HANDLE file, char* path, DWORD size);
    // ReplaceFileA with the backup name (nullptr: none) and no flags of ours.
    BOOL (*replaceFile)(const char* replaced, const char* replacement, const char* backup);
    BOOL (*moveFile)(const char* from, const char* to, DWORD flags);
    // The system folder, where the system's programs are; "" when unknown.
    std::string (*systemFolder)();
    // Hands a web or mail address to the shell's handler; true when it took it.
    bool (*openInShell)(const std::string& target);
    // Loads the RichEdit 2.0 library; false where the system has none.
    bool (*loadRichEdit20)();
    // Called with every editor control made (nullptr: nothing to call).
    void (*editorCreated)(HWND editor);
};

// The record in use: the system's own calls unless a test replaced them.
SystemCalls& SystemCallsInUse();

}  // namespace quillet
