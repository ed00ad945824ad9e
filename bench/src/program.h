// Starting a program under test from inside Wine and watching it from
// outside: its windows, whether it answers, its memory, its end.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// Which top-level window counts as "the program is ready".
struct WindowMatch {
    const char* className = nullptr;  // nullptr: any class
    std::string titleEquals;          // empty: any title
    std::string titleContains;        // empty: any title
};

struct Memory {
    bool known = false;
    double peakWorkingSetMB = 0;  // largest resident size so far
    double peakPagefileMB = 0;    // private committed memory (see bench/README.md)
};

class Program {
public:
    Program() = default;
    ~Program();  // ends the program if it still runs
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts commandLine (application may be empty: searched on the path)
    // in folder. The clock starts just before CreateProcessA.
    bool Start(const std::string& application, const std::string& commandLine,
               const std::string& folder);

    // Waits until a visible top-level window of the process matches and
    // answers WM_NULL. Seconds from the start, or a negative value when the
    // process ended or the time ran out.
    double WaitUntilReady(const WindowMatch& match, double timeoutSeconds) {
        return WaitForWindow(match, timeoutSeconds, true);
    }
    // The same, answering or not when answer is false (a program busy
    // loading shows its window long before it answers).
    double WaitForWindow(const WindowMatch& match, double timeoutSeconds, bool answer);

    HWND Window() const { return window_; }
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    Memory QueryMemory() const;

    // Waits up to graceSeconds for the program to end by itself, then ends
    // it by force. True when it ended by itself.
    bool WaitForEnd(double graceSeconds);

private:
    PROCESS_INFORMATION info_{};
    double started_ = 0;
    HWND window_ = nullptr;
};

// Messages to another process's windows, never waiting forever. ok (when
// given) says whether the window answered within the time.
LRESULT SendRemote(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = 120000,
                   bool* ok = nullptr);
// WM_GETTEXT across processes (the title, a status bar's first part).
std::string RemoteText(HWND window, DWORD timeoutMs = 120000);

// The first visible top-level window of the process that matches, or nullptr.
HWND FindVisibleWindow(DWORD processId, const WindowMatch& match);
// The same, asked again until one turns up or timeoutSeconds pass.
HWND WaitForVisibleWindow(DWORD processId, const WindowMatch& match, double timeoutSeconds);

// The folder of this program, with a trailing backslash.
std::string ProgramFolder();

}  // namespace bench
