#include "support/view_probe.h"

#include <algorithm>

namespace quillet::test {
namespace {

std::vector<RelayoutSpy::Seen>& Spied() {
    static std::vector<RelayoutSpy::Seen> seen;
    return seen;
}

WNDPROC spiedProcedure = nullptr;

LRESULT CALLBACK SpyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == EM_SETTARGETDEVICE || message == WM_SETFONT ||
        (message == EM_SETCHARFORMAT && (wParam == SCF_DEFAULT || (wParam & SCF_ALL)))) {
        Spied().push_back({message, lParam, ::GetCursor() == ::LoadCursorA(nullptr, IDC_WAIT)});
    }
    return ::CallWindowProcA(spiedProcedure, window, message, wParam, lParam);
}

CHARFORMAT2A Format(HWND editor, WPARAM which) {
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    ::SendMessageA(editor, EM_GETCHARFORMAT, which, reinterpret_cast<LPARAM>(&format));
    return format;
}

std::string WrapState(HWND, HWND editor) {
    const long lines = DisplayLines(editor);
    return lines > 1 ? "on" : lines == 1 ? "off" : "neither";
}

std::string OnTopState(HWND window, HWND) {
    return (::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "on" : "off";
}

std::string TransparentState(HWND window, HWND) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED) ||
        !::GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || flags != LWA_ALPHA) {
        return "neither";
    }
    return alpha == 175 ? "on" : alpha == 255 ? "off" : "neither";
}

}  // namespace

const ViewSwitchUnderTest kViewSwitches[3] = {
    {"WordWrap", "WordWrap", 26, 3, WrapState},
    {"AlwaysOnTop", "OnTop", 28, 7, OnTopState},
    {"TransparentMode", "Transparent", 29, 0, TransparentState},
};

std::string LongLine(int words) {
    std::string line;
    for (int i = 0; i < words; ++i) line += "word" + std::to_string(i) + " ";
    return line;
}

bool IsMenuChecked(HWND window, int commandId) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    return ::GetMenuItemInfoA(::GetMenu(window), static_cast<UINT>(commandId), FALSE, &item) &&
           (item.fState & MFS_CHECKED) != 0;
}

long DisplayLines(HWND editor) { return static_cast<long>(::SendMessageA(editor, EM_GETLINECOUNT, 0, 0)); }

std::vector<long> WrapStarts(HWND editor) {
    std::vector<long> starts;
    for (long line = 1; line < DisplayLines(editor); ++line) {
        starts.push_back(static_cast<long>(::SendMessageA(editor, EM_LINEINDEX, line, 0)));
    }
    return starts;
}

long EndWhereOnlyTheWrapMoves(const std::string& words, const std::vector<long>& before,
                              const std::vector<long>& after) {
    for (long end = 1; end <= static_cast<long>(words.size()); ++end) {
        if (words[end - 1] == ' ' || (end < static_cast<long>(words.size()) && words[end] != ' ')) continue;
        // The display lines before end, and where the last of them starts.
        const auto b = std::lower_bound(before.begin(), before.end(), end);
        const auto a = std::lower_bound(after.begin(), after.end(), end);
        if (b - before.begin() == a - after.begin() && b != before.begin() && *(b - 1) != *(a - 1)) return end;
    }
    return -1;
}

CHARFORMAT2A TextFormat(HWND editor) {
    CHARRANGE selection{};
    ::SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    ::SendMessageA(editor, EM_SETSEL, 0, -1);
    const CHARFORMAT2A format = Format(editor, SCF_SELECTION);
    ::SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return format;
}

CHARFORMAT2A DefaultFormat(HWND editor) { return Format(editor, SCF_DEFAULT); }

bool IsLinkAt(HWND editor, long position) {
    CHARRANGE selection{};
    ::SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    ::SendMessageA(editor, EM_SETSEL, static_cast<WPARAM>(position), position + 1);
    const CHARFORMAT2A format = Format(editor, SCF_SELECTION);
    ::SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return (format.dwMask & CFM_LINK) && (format.dwEffects & CFE_LINK);
}

RelayoutSpy::RelayoutSpy(HWND editor)
    : editor_(editor),
      before_(::SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpyProcedure))) {
    spiedProcedure = reinterpret_cast<WNDPROC>(before_);
    Spied().clear();
}

RelayoutSpy::~RelayoutSpy() {
    if (::IsWindow(editor_)) ::SetWindowLongPtrA(editor_, GWLP_WNDPROC, before_);
}

const std::vector<RelayoutSpy::Seen>& RelayoutSpy::Messages() const { return Spied(); }

bool ChooseComboItem(HWND dialog, int comboId, const std::string& text) {
    HWND combo = ::GetDlgItem(dialog, comboId);
    const LRESULT index =
        ::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR) return false;
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
}

}  // namespace quillet::test
