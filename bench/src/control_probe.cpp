#include "control_probe.h"

#include <windows.h>

#include <richedit.h>

#include <climits>
#include <cstdio>
#include <vector>

#include "clock.h"
#include "control_floor.h"

namespace bench {
namespace {

constexpr int kRepeats = 20;

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(window, message, wParam, lParam);
}

// Milliseconds per call of one message, averaged over kRepeats calls.
double PerCall(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const double start = Now();
    for (int i = 0; i < kRepeats; ++i) Send(control, message, wParam, lParam);
    return (Now() - start) * 1000 / kRepeats;
}

void PrintRefresh(HWND control, const char* where) {
    CHARRANGE range{};
    Send(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    const auto line = static_cast<WPARAM>(Send(control, EM_LINEFROMCHAR, range.cpMin));
    GETTEXTLENGTHEX plain{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
    GETTEXTLENGTHEX crlf{GTL_NUMCHARS | GTL_PRECISE | GTL_USECRLF, CP_ACP};
    const struct {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } calls[] = {
        {"EM_EXGETSEL", EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range)},
        {"EM_LINEFROMCHAR", EM_LINEFROMCHAR, static_cast<WPARAM>(range.cpMin), 0},
        {"EM_LINEINDEX(line)", EM_LINEINDEX, line, 0},
        {"EM_LINEINDEX(-1)", EM_LINEINDEX, static_cast<WPARAM>(-1), 0},
        {"EM_GETLINECOUNT", EM_GETLINECOUNT, 0, 0},
        {"EM_GETTEXTLENGTHEX, characters", EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&plain), 0},
        {"EM_GETTEXTLENGTHEX, CR LF counted", EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&crlf), 0},
        {"EM_GETFIRSTVISIBLELINE", EM_GETFIRSTVISIBLELINE, 0, 0},
    };
    for (const auto& call : calls) {
        std::printf("| %s: %s | %.3f |\n", where, call.name, PerCall(control, call.message, call.wParam, call.lParam));
    }
}

// Characters as the keyboard would give them, each followed by the repaint it
// asks for: an Enter and 49 letters per line, as the benchmark types, so no
// line grows wider than the control.
std::vector<double> TypeCharacters(HWND control, int keys) {
    std::vector<double> perKey;
    for (int i = 0; i < keys; ++i) {
        const WPARAM character = i % 50 == 0 ? '\r' : static_cast<WPARAM>('a' + i % 26);
        const double start = Now();
        Send(control, WM_CHAR, character, 1);
        ::UpdateWindow(control);
        PumpMessages();
        perKey.push_back((Now() - start) * 1000);
    }
    return perKey;
}

// A resize by one pixel makes the control lay every paragraph out again.
double ResizeMs(HWND control) {
    RECT place{};
    ::GetWindowRect(control, &place);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    constexpr UINT kFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    const double start = Now();
    ::SetWindowPos(control, nullptr, 0, 0, width, height - 1, kFlags);
    PumpMessages();
    const double seconds = Now() - start;
    ::SetWindowPos(control, nullptr, 0, 0, width, height, kFlags);
    PumpMessages();
    return seconds * 1000;
}

void PrintTyping(const char* where, const std::vector<double>& perKey) {
    std::size_t worst = 0;
    for (std::size_t i = 1; i < perKey.size(); ++i) {
        if (perKey[i] > perKey[worst]) worst = i;
    }
    std::printf("| %s: one WM_CHAR and its repaint, median | %.3f |\n", where, Median(perKey));
    std::printf("| %s: one WM_CHAR and its repaint, worst (key %zu%s) | %.3f |\n", where, worst,
                worst % 50 == 0 ? ", an Enter" : "", Largest(perKey));
}

}  // namespace

void ProbeTyping(const std::string& key, const std::string& bytes, int keys) {
    HWND control = LoadedControl(bytes);
    if (!control) return;
    std::printf("| %s: one call, with the caret at the end or the start of the text | ms |\n|---|---|\n",
                key.c_str());
    SCROLLINFO bar{};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_ALL;
    ::GetScrollInfo(control, SB_HORZ, &bar);
    std::printf("| horizontal scroll range before typing: %d to %d, page %u |  |\n", bar.nMin, bar.nMax, bar.nPage);
    Send(control, EM_SETSEL, INT_MAX, INT_MAX);
    PumpMessages();
    PrintRefresh(control, "caret at the end");
    const std::vector<double> atEnd = TypeCharacters(control, keys);
    PrintTyping("caret at the end", atEnd);
    Send(control, EM_SETSEL, 0, 0);
    PumpMessages();
    PrintRefresh(control, "caret at the start");
    const std::vector<double> atStart = TypeCharacters(control, keys);
    PrintTyping("caret at the start", atStart);
    std::fflush(stdout);
    std::printf("| the control made one pixel lower | %.3f |\n", ResizeMs(control));
    std::fflush(stdout);
    DestroyControl(control);
}

}  // namespace bench
