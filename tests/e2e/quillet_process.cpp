#include "e2e/quillet_process.h"

#include <vector>

namespace quillet::e2e {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

struct WindowSearch {
    DWORD processId;
    const char* className;
    const std::string* caption;  // nullptr: any
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !::IsWindowVisible(window)) return TRUE;
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) != search->className) return TRUE;
    if (search->caption && RemoteWindowText(window) != *search->caption) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindTopLevel(DWORD processId, const char* className, const std::string* caption) {
    WindowSearch search{processId, className, caption, nullptr};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Answers(HWND window) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}

}  // namespace

std::string ProgramFolder() {
    std::vector<char> path(32768, '\0');
    const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::string exe(path.data(), length);
    return exe.substr(0, exe.find_last_of("\\/") + 1);
}

std::string RemoteWindowText(HWND window) {
    const auto length = SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> text(static_cast<std::size_t>(length) + 2, '\0');
    SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

QuilletProcess::QuilletProcess(const std::string& folder)
    : folder_(folder), exePath_(folder + "\\quillet.exe") {
    copied_ = ::CopyFileA((ProgramFolder() + "quillet.exe").c_str(), exePath_.c_str(), FALSE) != FALSE;
}

QuilletProcess::QuilletProcess(InPlace, const std::string& exePath) : exePath_(exePath) {
    const std::size_t separator = exePath.find_last_of("\\/");
    folder_ = separator == std::string::npos ? "." : exePath.substr(0, separator);
    copied_ = ::GetFileAttributesA(exePath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

QuilletProcess::~QuilletProcess() {
    if (!process_.hProcess) return;
    if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(process_.hProcess, 99);
        ::WaitForSingleObject(process_.hProcess, 10000);
    }
    ::CloseHandle(process_.hProcess);
    ::CloseHandle(process_.hThread);
}

bool QuilletProcess::Start(const std::string& arguments, DWORD timeoutMs) {
    std::string commandLine = "\"" + exePath_ + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(exePath_.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder_.c_str(), &startup, &process_)) {
        process_ = {};
        return false;
    }
    processId_ = process_.dwProcessId;
    ::WaitForInputIdle(process_.hProcess, timeoutMs);
    const DWORD start = ::GetTickCount();
    do {
        HWND window = FindTopLevel(processId_, "QuilletMainWindow", nullptr);
        if (window && Answers(window)) {
            window_ = window;
            return true;
        }
        if (::WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) return false;
    } while (::GetTickCount() - start < timeoutMs);
    ::TerminateProcess(process_.hProcess, 99);
    return false;
}

HWND QuilletProcess::Editor() const { return ::GetDlgItem(window_, 15); }

HWND QuilletProcess::StatusBar() const { return ::FindWindowExA(window_, nullptr, "msctls_statusbar32", nullptr); }

std::string QuilletProcess::Title() const { return RemoteWindowText(window_); }

std::string QuilletProcess::StatusText() const { return RemoteWindowText(StatusBar()); }

std::string QuilletProcess::EditorText() const { return RemoteWindowText(Editor()); }

RECT QuilletProcess::WindowRect() const {
    RECT outer{};
    ::GetWindowRect(window_, &outer);
    return outer;
}

SIZE QuilletProcess::ClientSize() const {
    RECT client{};
    ::GetClientRect(window_, &client);
    return {client.right, client.bottom};
}

void QuilletProcess::MoveTo(int x, int y, int clientWidth, int clientHeight) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    RECT frame{0, 0, clientWidth, clientHeight};
    if (clientWidth > 0 && clientHeight > 0) {
        ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrA(window_, GWL_STYLE)), TRUE,
                             static_cast<DWORD>(::GetWindowLongPtrA(window_, GWL_EXSTYLE)));
    } else {
        flags |= SWP_NOSIZE;
    }
    ::SetWindowPos(window_, nullptr, x, y, frame.right - frame.left, frame.bottom - frame.top, flags);
    Answers(window_);
}

bool QuilletProcess::Type(const std::string& text, DWORD timeoutMs) {
    HWND editor = Editor();
    const std::string before = EditorText();
    for (char c : text) {
        if (c == '\n') {
            ::PostMessageA(editor, WM_KEYDOWN, VK_RETURN, 1);
        } else {
            ::PostMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
        }
    }
    std::string expected = before;
    for (char c : text) expected += (c == '\n') ? std::string("\r\n") : std::string(1, c);
    const DWORD start = ::GetTickCount();
    do {
        if (EditorText() == expected) return true;
        ::Sleep(20);
    } while (::GetTickCount() - start < timeoutMs);
    return false;
}

bool QuilletProcess::WaitForStatus(const std::string& text, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    do {
        if (StatusText() == text) return true;
        ::PostMessageA(window_, WM_NULL, 0, 0);  // one more event refreshes the text
        ::Sleep(20);
    } while (::GetTickCount() - start < timeoutMs);
    return false;
}

void QuilletProcess::Close() { ::PostMessageA(window_, WM_CLOSE, 0, 0); }

void QuilletProcess::Exit() { ::PostMessageA(window_, WM_COMMAND, kExitCommand, 0); }

bool QuilletProcess::WaitForExit(DWORD timeoutMs, DWORD& exitCode) {
    exitCode = STILL_ACTIVE;
    if (!process_.hProcess) return false;
    if (::WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process_.hProcess, 99);
        ::WaitForSingleObject(process_.hProcess, 10000);
        return false;
    }
    ::GetExitCodeProcess(process_.hProcess, &exitCode);
    return true;
}

bool QuilletProcess::Ended(DWORD timeoutMs) const {
    return process_.hProcess && ::WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

HWND QuilletProcess::FindDialog(const std::string& caption) const {
    return FindTopLevel(processId_, "#32770", &caption);
}

HWND QuilletProcess::WaitForDialog(const std::string& caption, DWORD timeoutMs) const {
    const DWORD start = ::GetTickCount();
    do {
        if (HWND dialog = FindDialog(caption)) return dialog;
        ::Sleep(20);
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND QuilletProcess::WaitForWindow(const char* className, const std::string& caption, DWORD timeoutMs) const {
    const DWORD start = ::GetTickCount();
    do {
        if (HWND window = FindTopLevel(processId_, className, &caption)) return window;
        ::Sleep(20);
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

}  // namespace quillet::e2e
