#include "support/view_probe.h"

namespace quillet::test {
namespace {

std::vector<RelayoutSpy::Seen>& SpiedMessages() {
    static std::vector<RelayoutSpy::Seen> seen;
    return seen;
}

WNDPROC& SpiedProcedure() {
    static WNDPROC procedure = nullptr;
    return procedure;
}

bool LaysOutAgain(UINT message, WPARAM wParam) {
    return message == EM_SETTARGETDEVICE || message == WM_SETFONT ||
           (message == EM_SETCHARFORMAT && (wParam == SCF_DEFAULT || (wParam & SCF_ALL)));
}

LRESULT CALLBACK SpyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LaysOutAgain(message, wParam)) {
        SpiedMessages().push_back({message, wParam, lParam, ::GetCursor() == ::LoadCursorA(nullptr, IDC_WAIT)});
    }
    return ::CallWindowProcA(SpiedProcedure(), window, message, wParam, lParam);
}

CHARFORMAT2A EmptyFormat() {
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    return format;
}

}  // namespace

bool IsMenuChecked(HWND window, int commandId) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    return ::GetMenuItemInfoA(::GetMenu(window), static_cast<UINT>(commandId), FALSE, &item) &&
           (item.fState & MFS_CHECKED) != 0;
}

bool IsTopmost(HWND window) { return (::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool IsLayered(HWND window) { return (::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

int LayeredAlpha(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!::GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) return -1;
    return alpha;
}

CHARFORMAT2A TextFormat(HWND editor) {
    CHARRANGE selection{};
    ::SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    ::SendMessageA(editor, EM_SETSEL, 0, -1);
    CHARFORMAT2A format = EmptyFormat();
    ::SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    ::SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return format;
}

CHARFORMAT2A DefaultFormat(HWND editor) {
    CHARFORMAT2A format = EmptyFormat();
    ::SendMessageA(editor, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    return format;
}

long DisplayLines(HWND editor) { return static_cast<long>(::SendMessageA(editor, EM_GETLINECOUNT, 0, 0)); }

RelayoutSpy::RelayoutSpy(HWND editor)
    : editor_(editor),
      before_(::SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpyProcedure))) {
    SpiedProcedure() = reinterpret_cast<WNDPROC>(before_);
    SpiedMessages().clear();
}

RelayoutSpy::~RelayoutSpy() {
    if (::IsWindow(editor_)) ::SetWindowLongPtrA(editor_, GWLP_WNDPROC, before_);
}

const std::vector<RelayoutSpy::Seen>& RelayoutSpy::Messages() const { return SpiedMessages(); }

std::vector<std::string> ComboItems(HWND dialog, int comboId) {
    HWND combo = ::GetDlgItem(dialog, comboId);
    std::vector<std::string> items;
    const auto count = ::SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = ::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0) continue;
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        items.push_back(text);
    }
    return items;
}

std::string ComboText(HWND dialog, int comboId) {
    char text[128] = {};
    ::GetDlgItemTextA(dialog, comboId, text, sizeof text);
    return text;
}

bool ChooseComboItem(HWND dialog, int comboId, const std::string& text) {
    HWND combo = ::GetDlgItem(dialog, comboId);
    const auto index =
        ::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR) return false;
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
}

namespace {

std::string WrapState(HWND, HWND editor) {
    const long lines = DisplayLines(editor);
    return lines > 1 ? "on" : lines == 1 ? "off" : "neither";
}

std::string OnTopState(HWND window, HWND) { return IsTopmost(window) ? "on" : "off"; }

std::string TransparentState(HWND window, HWND) {
    if (!IsLayered(window)) return "neither";
    const int alpha = LayeredAlpha(window);
    return alpha == 175 ? "on" : alpha == 255 ? "off" : "neither";
}

}  // namespace

const ViewSwitchUnderTest kViewSwitches[3] = {
    {"WordWrap", "WordWrap", 26, 3, WrapState},
    {"AlwaysOnTop", "OnTop", 28, 7, OnTopState},
    {"TransparentMode", "Transparent", 29, 0, TransparentState},
};

}  // namespace quillet::test
