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
    std::printf("| %s: EM_EXGETSEL | %.3f |\n", where,
                PerCall(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range)));
    std::printf("| %s: EM_LINEFROMCHAR | %.3f |\n", where,
                PerCall(control, EM_LINEFROMCHAR, static_cast<WPARAM>(range.cpMin), 0));
    std::printf("| %s: EM_LINEINDEX | %.3f |\n", where, PerCall(control, EM_LINEINDEX, line, 0));
    std::printf("| %s: EM_GETLINECOUNT | %.3f |\n", where, PerCall(control, EM_GETLINECOUNT, 0, 0));
}

// One character as the keyboard would give it, then the repaint it asks for.
std::vector<double> TypeCharacters(HWND control, int keys) {
    std::vector<double> perKey;
    for (int i = 0; i < keys; ++i) {
        const double start = Now();
        Send(control, WM_CHAR, static_cast<WPARAM>('a' + i % 26), 1);
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

}  // namespace

void ProbeTyping(const std::string& key, const std::string& bytes, int keys) {
    HWND control = LoadedControl(bytes);
    if (!control) return;
    std::printf("| %s: one call, with the caret at the end or the start of the text | ms |\n|---|---|\n",
                key.c_str());
    std::printf("| the control made one pixel lower | %.3f |\n", ResizeMs(control));
    SCROLLINFO bar{};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_ALL;
    ::GetScrollInfo(control, SB_HORZ, &bar);
    std::printf("| horizontal scroll range before typing: %d to %d, page %u |  |\n", bar.nMin, bar.nMax, bar.nPage);
    Send(control, EM_SETSEL, INT_MAX, INT_MAX);
    PumpMessages();
    PrintRefresh(control, "caret at the end");
    std::printf("| caret at the end: EM_LINEINDEX(-1) | %.3f |\n",
                PerCall(control, EM_LINEINDEX, static_cast<WPARAM>(-1), 0));
    const std::vector<double> atEnd = TypeCharacters(control, keys);
    std::printf("| caret at the end: one WM_CHAR and its repaint, median | %.3f |\n", Median(atEnd));
    std::printf("| caret at the end: one WM_CHAR and its repaint, worst | %.3f |\n", Largest(atEnd));
    Send(control, EM_SETSEL, 0, 0);
    PumpMessages();
    PrintRefresh(control, "caret at the start");
    const std::vector<double> atStart = TypeCharacters(control, keys);
    std::printf("| caret at the start: one WM_CHAR and its repaint, median | %.3f |\n", Median(atStart));
    std::printf("| caret at the start: one WM_CHAR and its repaint, worst | %.3f |\n", Largest(atStart));
    std::fflush(stdout);
    DestroyControl(control);
}

}  // namespace bench
