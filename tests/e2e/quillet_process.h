// Drives the real quillet.exe from outside, as a user would: a private copy
// in its own folder (the settings file lives beside the executable), its
// main window found by class and process, messages sent and posted to it.
#pragma once

#include <windows.h>

#include <string>

namespace quillet::e2e {

// The folder this test program runs from, with a trailing "\".
std::string ProgramFolder();

// Asks done() every 20 ms until it holds or timeoutMs pass; its last answer.
template <typename Condition>
bool WaitFor(Condition done, DWORD timeoutMs = 10000) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start >= timeoutMs) return false;
        ::Sleep(20);
    }
    return true;
}

inline constexpr char kSettingsFileName[] = "Quillet_Settings.ini";
inline constexpr int kExitCommand = 16;

class QuilletProcess {
public:
    // Copies quillet.exe from beside this test program into folder.
    explicit QuilletProcess(const std::string& folder);
    // Runs the program at exePath where it lies (its folder gets the settings file).
    struct InPlace {};
    QuilletProcess(InPlace, const std::string& exePath);
    // Ends a copy that is still running.
    ~QuilletProcess();
    QuilletProcess(const QuilletProcess&) = delete;
    QuilletProcess& operator=(const QuilletProcess&) = delete;

    bool Copied() const { return copied_; }
    std::string SettingsPath() const { return folder_ + "\\" + kSettingsFileName; }

    // Starts the copy with the given arguments after its quoted path and
    // waits until its main window is shown and answers. False on failure
    // (the process is ended then).
    bool Start(const std::string& arguments = "", DWORD timeoutMs = 30000);

    HWND Window() const { return window_; }
    HWND Editor() const;
    HWND StatusBar() const;
    DWORD ProcessId() const { return processId_; }

    std::string Title() const;
    std::string StatusText() const;
    std::string EditorText() const;
    RECT WindowRect() const;
    SIZE ClientSize() const;

    // Moves the outer frame's top-left corner; sizes the client area when
    // width and height are positive (one menu-bar line assumed).
    void MoveTo(int x, int y, int clientWidth = 0, int clientHeight = 0);

    // Types text into the editor through the program's queue: WM_CHAR per
    // character, Enter for "\n". Waits until the editor holds it all.
    bool Type(const std::string& text, DWORD timeoutMs = 10000);

    // Waits until the status bar shows text (each event refreshes it).
    bool WaitForStatus(const std::string& text, DWORD timeoutMs = 10000);

    void Close();  // the close box: WM_CLOSE
    void Exit();   // File > Exit: a menu command

    // Waits for the process to end. On timeout it is ended by force and the
    // result is false.
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode);
    // Whether it ended within timeoutMs; a running process is left alone.
    bool Ended(DWORD timeoutMs) const;

    // A visible dialog of the process with this caption, or nullptr.
    HWND FindDialog(const std::string& caption) const;
    HWND WaitForDialog(const std::string& caption, DWORD timeoutMs) const;
    // A visible top-level window of the process with this class and caption.
    HWND WaitForWindow(const char* className, const std::string& caption, DWORD timeoutMs) const;

private:
    std::string folder_;
    std::string exePath_;
    bool copied_ = false;
    PROCESS_INFORMATION process_{};
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

// WM_GETTEXT through SendMessageTimeout, so that a hung program cannot hang
// the test.
std::string RemoteWindowText(HWND window);

}  // namespace quillet::e2e
