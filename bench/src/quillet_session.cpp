#include "quillet_session.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "clock.h"

namespace bench {
namespace {

constexpr double kOpenTimeout = 600;
constexpr double kSaveTimeout = 120;

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

bool EmptyTheFile(const std::string& file) {
    HANDLE handle = ::CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    return ::CloseHandle(handle) != FALSE;
}

long long FileSize(const std::string& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The "Char N" part of the status text; the rest does not change when a
// letter is typed at the end of the last line.
std::string CharPart(const std::string& status) { return status.substr(0, status.find(" Line")); }

void PressKey(WORD key) {
    INPUT keys[2] = {};
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = key;
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    if (::SendInput(2, keys, sizeof(INPUT)) != 2) {
        std::fprintf(stderr, "bench: SendInput failed (error %lu)\n", ::GetLastError());
    }
}

}  // namespace

QuilletSession::OpenTimes QuilletSession::Open(const std::string& file) {
    OpenTimes times;
    std::string commandLine = "\"" + exePath_ + "\"";
    if (!file.empty()) commandLine += " \"" + file + "\"";
    if (!program_.Start(exePath_, commandLine, FolderOf(exePath_))) return times;
    WindowMatch match;
    match.className = kQuilletClass;
    times.shown = program_.WaitForWindow(match, kOpenTimeout, false);
    if (!file.empty()) match.titleEquals = "Quillet - " + file;
    times.titled = program_.WaitForWindow(match, kOpenTimeout, false);
    times.ready = program_.WaitUntilReady(match, kOpenTimeout);
    if (times.ready >= 0 && !FindChildren()) times.ready = -1;
    return times;
}

bool QuilletSession::FindChildren() {
    editor_ = ::GetDlgItem(program_.Window(), kEditorId);
    statusBar_ = ::FindWindowExA(program_.Window(), nullptr, "msctls_statusbar32", nullptr);
    if (!editor_ || !statusBar_) std::fprintf(stderr, "bench: Quillet's editor or status bar not found\n");
    return editor_ && statusBar_;
}

std::string QuilletSession::StatusText() const { return statusBar_ ? RemoteText(statusBar_) : ""; }

double QuilletSession::Save(const std::string& file, std::size_t size) {
    if (!EmptyTheFile(file)) {
        std::fprintf(stderr, "bench: cannot empty %s (error %lu)\n", file.c_str(), ::GetLastError());
        return -1;
    }
    // Quillet clears the flag as the last step of a successful save.
    bool answered = false;
    SendRemote(editor_, EM_SETMODIFY, TRUE, 0, 10000, &answered);
    if (!answered) return -1;
    const double start = Now();
    if (!::PostMessageA(program_.Window(), WM_COMMAND, kSaveCommand, 0)) return -1;
    double done = -1;
    while (Now() - start < kSaveTimeout) {
        const LRESULT modified = SendRemote(editor_, EM_GETMODIFY, 0, 0, 120000, &answered);
        if (answered && !modified) {
            done = Now() - start;
            break;
        }
        ::Sleep(1);
    }
    if (done < 0) return -1;
    const long long onDisk = FileSize(file);
    if (onDisk != static_cast<long long>(size)) {
        std::fprintf(stderr, "bench: after the save %s has %lld bytes, not %zu\n", file.c_str(), onDisk, size);
        return -1;
    }
    return done;
}

bool QuilletSession::MakeForeground() {
    HWND window = program_.Window();
    for (int attempt = 0; attempt < 50; ++attempt) {
        ::SetForegroundWindow(window);
        SendRemote(window, WM_NULL, 0, 0, 10000);
        if (::GetForegroundWindow() == window) return true;
        ::Sleep(20);
    }
    std::fprintf(stderr, "bench: Quillet's window does not come to the foreground\n");
    return false;
}

// Any queued message makes Quillet refresh its status bar; wait until the
// text stops changing.
std::string QuilletSession::WaitForSteadyStatus() {
    std::string last = StatusText();
    for (int i = 0; i < 100; ++i) {
        ::PostMessageA(program_.Window(), WM_NULL, 0, 0);
        ::Sleep(20);
        const std::string now = StatusText();
        if (now == last && i >= 2) break;
        last = now;
    }
    return last;
}

// The "Char N" part of the status text, or "" when the program does not
// answer within timeoutMs.
std::string QuilletSession::CharShown(DWORD timeoutMs) const {
    bool answered = false;
    char text[128] = {};
    SendRemote(statusBar_, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), timeoutMs, &answered);
    text[sizeof text - 1] = '\0';
    return answered ? CharPart(text) : std::string();
}

QuilletSession::Typing QuilletSession::TypeAtEnd(const std::vector<WORD>& keys, double budgetSeconds,
                                                 double keyTimeout, double pace) {
    Typing typing;
    if (!MakeForeground()) return typing;
    SendRemote(editor_, EM_SETSEL, INT_MAX, INT_MAX, 60000);
    std::string before = CharPart(WaitForSteadyStatus());
    const double begin = Now();
    for (std::size_t i = 0; i < keys.size() && Now() - begin < budgetSeconds; ++i) {
        while (Now() - begin < static_cast<double>(i) * pace) ::Sleep(1);
        const double start = Now();
        PressKey(keys[i]);
        std::string now;
        do {
            now = CharShown(static_cast<DWORD>(keyTimeout * 1000));
            if (!now.empty() && now != before) break;
            ::Sleep(1);
        } while (Now() - start < keyTimeout);
        if (now.empty() || now == before) {
            std::fprintf(stderr, "bench: key %zu did not show in the status bar within %.0f s\n", i, keyTimeout);
            typing.timedOut = true;
            break;
        }
        typing.perKey.push_back(Now() - start);
        if (std::getenv("QUILLET_BENCH_VERBOSE")) {
            std::fprintf(stderr, "bench: key %zu: %.1f ms\n", i, typing.perKey.back() * 1000);
        }
        before = now;
    }
    return typing;
}

double QuilletSession::New(double timeoutSeconds) {
    bool answered = false;
    SendRemote(editor_, EM_SETMODIFY, FALSE, 0, 60000, &answered);
    if (!answered) return -1;
    HWND window = program_.Window();
    const double start = Now();
    if (!::PostMessageA(window, WM_COMMAND, kNewCommand, 0)) return -1;
    while (Now() - start < timeoutSeconds) {
        HWND editor = ::GetDlgItem(window, kEditorId);
        if (editor && RemoteText(window) == "Quillet - Untitled.txt" &&
            SendRemote(editor, WM_GETTEXTLENGTH, 0, 0, 1000, &answered) == 0 && answered) {
            SendRemote(window, WM_NULL, 0, 0, 60000);
            const double done = Now() - start;
            editor_ = editor;
            return done;
        }
        ::Sleep(1);
    }
    return -1;
}

bool QuilletSession::Exit() {
    if (editor_) SendRemote(editor_, EM_SETMODIFY, FALSE, 0, 60000);
    if (program_.Window()) ::PostMessageA(program_.Window(), WM_COMMAND, kExitCommand, 0);
    editor_ = statusBar_ = nullptr;
    return program_.WaitForEnd(30);
}

}  // namespace bench
