#include "program.h"

#include <psapi.h>

#include <cstdio>
#include <vector>

#include "clock.h"

namespace bench {
namespace {

constexpr DWORD kPollMs = 5;

struct Search {
    DWORD processId;
    const WindowMatch* match;
    HWND found;
};

// GetWindowTextA reads another process's caption without sending it a
// message, so a busy program does not hold the search up.
bool TitleMatches(HWND window, const WindowMatch& match) {
    if (match.titleEquals.empty() && match.titleContains.empty()) return true;
    std::vector<char> title(4096, '\0');
    ::GetWindowTextA(window, title.data(), static_cast<int>(title.size()));
    const std::string text(title.data());
    if (!match.titleEquals.empty() && text != match.titleEquals) return false;
    return match.titleContains.empty() || text.find(match.titleContains) != std::string::npos;
}

BOOL CALLBACK Visit(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !::IsWindowVisible(window)) return TRUE;
    if (search->match->className) {
        char className[128] = {};
        ::GetClassNameA(window, className, sizeof className);
        if (::lstrcmpiA(className, search->match->className) != 0) return TRUE;
    }
    if (!TitleMatches(window, *search->match)) return TRUE;
    search->found = window;
    return FALSE;
}

double Megabytes(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace

HWND FindVisibleWindow(DWORD processId, const WindowMatch& match) {
    Search search{processId, &match, nullptr};
    ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForVisibleWindow(DWORD processId, const WindowMatch& match, double timeoutSeconds) {
    const double start = Now();
    do {
        if (HWND window = FindVisibleWindow(processId, match)) return window;
        // Finely at first; then less often, so that a long wait takes little
        // from the program it waits for.
        ::Sleep(Now() - start < 1 ? 1 : 20);
    } while (Now() - start < timeoutSeconds);
    return nullptr;
}

Program::~Program() {
    if (info_.hProcess) WaitForEnd(0);
}

bool Program::Start(const std::string& application, const std::string& commandLine,
                    const std::string& folder) {
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started_ = Now();
    if (!::CreateProcessA(application.empty() ? nullptr : application.c_str(), writable.data(), nullptr,
                          nullptr, FALSE, 0, nullptr, folder.empty() ? nullptr : folder.c_str(), &startup,
                          &info_)) {
        std::fprintf(stderr, "bench: cannot start %s (error %lu)\n", commandLine.c_str(), ::GetLastError());
        info_ = {};
        return false;
    }
    return true;
}

double Program::WaitForWindow(const WindowMatch& match, double timeoutSeconds, bool answer) {
    if (!info_.hProcess) return -1;
    while (Now() - started_ < timeoutSeconds) {
        if (HWND window = FindVisibleWindow(info_.dwProcessId, match)) {
            bool answered = !answer;
            if (answer) {
                SendRemote(window, WM_NULL, 0, 0, static_cast<DWORD>(timeoutSeconds * 1000), &answered);
            }
            if (answered) {
                window_ = window;
                return Now() - started_;
            }
        }
        if (::WaitForSingleObject(info_.hProcess, kPollMs) == WAIT_OBJECT_0) return -1;
    }
    return -1;
}

Memory Program::QueryMemory() const {
    Memory memory;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (info_.hProcess && ::GetProcessMemoryInfo(info_.hProcess, &counters, sizeof counters)) {
        memory.known = true;
        memory.peakWorkingSetMB = Megabytes(counters.PeakWorkingSetSize);
        memory.peakPagefileMB = Megabytes(counters.PeakPagefileUsage);
    }
    return memory;
}

bool Program::WaitForEnd(double graceSeconds) {
    if (!info_.hProcess) return true;
    const DWORD waitMs = static_cast<DWORD>(graceSeconds * 1000);
    const bool ended = ::WaitForSingleObject(info_.hProcess, waitMs) == WAIT_OBJECT_0;
    if (!ended) {
        if (!::TerminateProcess(info_.hProcess, 99)) {
            std::fprintf(stderr, "bench: cannot end process %lu (error %lu)\n", info_.dwProcessId,
                         ::GetLastError());
        }
        ::WaitForSingleObject(info_.hProcess, 20000);
    }
    ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
    info_ = {};
    window_ = nullptr;
    return ended;
}

LRESULT SendRemote(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs, bool* ok) {
    DWORD_PTR result = 0;
    // Not SMTO_ABORTIFHUNG: a program busy loading a large file for more
    // than a few seconds counts as hung, and we want to wait for it.
    const bool answered =
        ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result) != 0;
    if (ok) *ok = answered;
    return answered ? static_cast<LRESULT>(result) : 0;
}

std::string RemoteText(HWND window, DWORD timeoutMs) {
    char text[512] = {};
    SendRemote(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), timeoutMs);
    text[sizeof text - 1] = '\0';
    return text;
}

std::string ProgramFolder() {
    std::vector<char> path(32768, '\0');
    const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) return ".\\";
    const std::string exe(path.data(), length);
    return exe.substr(0, exe.find_last_of("\\/") + 1);
}

}  // namespace bench
