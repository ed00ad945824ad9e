#include "support/win_test_support.h"

#include <shlobj.h>

#include <cstring>
#include <vector>

namespace quillet::test {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(folder.c_str());
}

std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return names;
}

namespace {

struct DialogSearch {
    const std::string* caption;
    bool messageBoxOnly;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<DialogSearch*>(context);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    if (WindowText(window) != *search->caption) return TRUE;
    if (search->messageBoxOnly && !::GetDlgItem(window, 0xFFFF)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindDialog(const std::string& caption, bool messageBoxOnly) {
    DialogSearch search{&caption, messageBoxOnly, nullptr};
    ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return nullptr;
    DWORD process = 0;
    ::GetWindowThreadProcessId(search.found, &process);
    return process == ::GetCurrentProcessId() ? search.found : nullptr;
}

}  // namespace

TempFolder::TempFolder() {
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    // The long form (not C:\Users\RUNNER~1\...), as the file dialogs give
    // paths back.
    char longBase[MAX_PATH] = {};
    const DWORD length = ::GetLongPathNameA(base, longBase, MAX_PATH);
    if (length > 0 && length < MAX_PATH) ::lstrcpynA(base, longBase, MAX_PATH);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::string(base) + "quillet-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
        if (::CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string ReadFileBytes(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char chunk[65536];
    DWORD read = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
    ::CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

bool FileExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void PumpMessages(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        if (milliseconds) ::Sleep(5);
    } while (::GetTickCount() - start < milliseconds);
}

namespace {

HWND WaitFor(const std::string& caption, bool messageBoxOnly, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    do {
        if (HWND dialog = FindDialog(caption, messageBoxOnly)) return dialog;
        ::Sleep(20);
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

}  // namespace

HWND WaitForDialog(const std::string& caption, DWORD timeoutMs) {
    return WaitFor(caption, false, timeoutMs);
}

HWND WaitForMessageBox(const std::string& caption, DWORD timeoutMs) {
    return WaitFor(caption, true, timeoutMs);
}

DialogAnswerer::DialogAnswerer(std::string caption, std::function<void(HWND)> answer,
                               DWORD timeoutMs)
    : thread_([this, caption = std::move(caption), answer = std::move(answer), timeoutMs] {
          HWND dialog = WaitForDialog(caption, timeoutMs);
          if (!dialog) return;
          ::Sleep(50);  // let the dialog finish its own start-up
          text_ = MessageBoxText(dialog);
          answered_ = true;
          answer(dialog);
      }) {}

DialogAnswerer::~DialogAnswerer() {
    if (thread_.joinable()) thread_.join();
}

void PressButton(HWND dialog, int buttonId) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, buttonId)));
}

std::string MessageBoxText(HWND dialog) {
    HWND text = ::GetDlgItem(dialog, 0xFFFF);
    return text ? WindowText(text) : std::string();
}

std::string WindowText(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(window, text.data(), length + 1);
    return std::string(text.data(), copied > 0 ? copied : 0);
}

void ChooseFileInDialog(HWND dialog, const std::string& path) {
    // The name box is the edit control inside the combo box with id 0x47c.
    HWND combo = ::GetDlgItem(dialog, 0x47c);
    HWND edit = combo ? ::FindWindowExA(combo, nullptr, "ComboBox", nullptr) : nullptr;
    edit = edit ? ::FindWindowExA(edit, nullptr, "Edit", nullptr) : nullptr;
    if (!edit && combo) edit = ::FindWindowExA(combo, nullptr, "Edit", nullptr);
    if (!edit) edit = ::GetDlgItem(dialog, 0x480);  // older dialogs: a plain edit box
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PressButton(dialog, IDOK);
}

namespace {

bool OpenClipboardSoon() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (::OpenClipboard(nullptr)) return true;
        ::Sleep(10);
    }
    return false;
}

}  // namespace

std::string ClipboardText() {
    if (!OpenClipboardSoon()) return "<the clipboard could not be opened>";
    std::string text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const auto* chars = static_cast<const char*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

bool SetClipboardText(const std::string& text) { return SetClipboardFormats({{CF_TEXT, text + '\0'}}); }

bool SetClipboardFormats(std::initializer_list<std::pair<UINT, std::string>> formats) {
    if (!OpenClipboardSoon()) return false;
    ::EmptyClipboard();
    bool taken = true;
    for (const auto& [format, data] : formats) {
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, data.size());
        if (!memory) {
            taken = false;
            continue;
        }
        if (void* bytes = ::GlobalLock(memory)) {
            std::memcpy(bytes, data.data(), data.size());
            ::GlobalUnlock(memory);
        }
        if (!::SetClipboardData(format, memory)) {
            ::GlobalFree(memory);  // the clipboard owns it only once taken
            taken = false;
        }
    }
    ::CloseClipboard();
    return taken;
}

HDROP MakeDrop(std::initializer_list<std::string_view> paths) {
    std::size_t size = sizeof(DROPFILES) + 1;  // the names end with an empty one
    for (const std::string_view path : paths) size += path.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND, size);  // zeroed: each name's end is there already
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    char* name = reinterpret_cast<char*>(drop + 1);
    for (const std::string_view path : paths) {
        std::memcpy(name, path.data(), path.size());
        name += path.size() + 1;
    }
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

bool ComeToFront(HWND window) {
    for (int attempt = 0; attempt < 100 && ::GetForegroundWindow() != window; ++attempt) {
        if (attempt > 0) {
            // A key pressed and let go counts as the user's input, after which
            // Windows lets the program that had it choose the foreground.
            INPUT alt[2] = {};
            alt[0].type = alt[1].type = INPUT_KEYBOARD;
            alt[0].ki.wVk = alt[1].ki.wVk = VK_MENU;
            alt[1].ki.dwFlags = KEYEVENTF_KEYUP;
            ::SendInput(2, alt, sizeof(INPUT));
        }
        ::SetForegroundWindow(window);
        ::Sleep(20);
    }
    return ::GetForegroundWindow() == window;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

HWND FindPopupMenu(DWORD processId) {
    HWND menu = nullptr;
    while ((menu = ::FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(menu, &owner);
        if (owner == processId && ::IsWindowVisible(menu)) return menu;
    }
    return nullptr;
}

}  // namespace quillet::test
