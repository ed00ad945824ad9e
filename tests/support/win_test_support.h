// Helpers for the tests that run under Wine against real windows and files.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace quillet::test {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// Names of the files and folders in a folder (not "." and "..").
std::vector<std::string> FileNames(const std::string& folder);
// Removes a folder with everything in it, read-only files too.
void RemoveTree(const std::string& folder);

// Handles queued messages until the queue is empty, at least `milliseconds`.
void PumpMessages(DWORD milliseconds = 0);

// Finds a top-level dialog (class "#32770") of this process with the given
// caption, waiting up to timeout; nullptr if none appears.
HWND WaitForDialog(const std::string& caption, DWORD timeoutMs = 10000);

// The same, for a message box only (a dialog that shows a message text), so
// that a file dialog with the same caption is passed over.
HWND WaitForMessageBox(const std::string& caption, DWORD timeoutMs = 10000);

// Answers the next modal dialog with the given caption from a second thread:
// when it appears, `answer` runs with its handle (for example to read its
// text and press a button). Join by destroying the object; Answered() tells
// whether a dialog was found.
class DialogAnswerer {
public:
    DialogAnswerer(std::string caption, std::function<void(HWND dialog)> answer,
                   DWORD timeoutMs = 10000);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    bool Answered() const { return answered_; }
    const std::string& DialogText() const { return text_; }

private:
    std::atomic<bool> answered_{false};
    std::string text_;
    std::thread thread_;
};

// Presses a dialog button by identifier (IDYES, IDNO, IDOK, IDCANCEL...).
void PressButton(HWND dialog, int buttonId);

// The text of a message box's message (its static control 0xFFFF).
std::string MessageBoxText(HWND dialog);

std::string WindowText(HWND window);

// Types a path into an open or save dialog's file-name box and presses OK.
void ChooseFileInDialog(HWND dialog, const std::string& path);

// The system clipboard's text, "" when it holds none. Opening it is retried
// for a while, as another program may hold it for a moment; the text is
// "<the clipboard could not be opened>" when that fails.
std::string ClipboardText();
// Puts plain text alone on the system clipboard; false when the clipboard
// could not be opened or did not take the text.
bool SetClipboardText(const std::string& text);
// Puts each format's bytes (as they are, terminating zeros included) on the
// clipboard, alone.
bool SetClipboardFormats(std::initializer_list<std::pair<UINT, std::string>> formats);

// A drop as the shell makes it: a DROPFILES block followed by the names.
// Nothing but the block is allocated, so that a test failing allocations
// can drop files too.
HDROP MakeDrop(std::initializer_list<std::string_view> paths);

// A visible popup menu (class "#32768") of the process, or nullptr.
HWND FindPopupMenu(DWORD processId);

// The window with the keyboard focus in the thread that owns window.
HWND FocusOf(HWND window);

// Brings window to the foreground, as a click would, also where the system
// refuses SetForegroundWindow to a program that is not in front itself (a
// test started from a console on Windows); false when it did not get there.
bool ComeToFront(HWND window);

}  // namespace quillet::test
