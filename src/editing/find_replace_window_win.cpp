#include "editing/find_replace_window_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include "editing/find_replace_rules.h"
#include "platform/window_parts_win.h"
#include "platform/window_place.h"

namespace quillet {
namespace {

namespace id = find_replace_id;

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFieldStyle = ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP;

struct ControlPlace {
    const char* className;
    const char* text;
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;
    int id;
};

constexpr ControlPlace kControls[] = {
    {"Static", "", SS_BITMAP, 0, 10, 15, 22, 22, id::kIcon},
    {"Static", "Find:", SS_LEFT, 0, 40, 20, 75, 22, id::kFindLabel},
    {"Edit", "", kFieldStyle, WS_EX_CLIENTEDGE, 100, 15, 200, 21, id::kFindField},
    {"Static", "Replace With:", SS_LEFT, 0, 10, 50, 75, 22, id::kReplaceLabel},
    {"Edit", "", kFieldStyle, WS_EX_CLIENTEDGE, 100, 45, 200, 21, id::kReplaceField},
    {"Button", "Find Next", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 310, 15, 80, 22, id::kFindNext},
    {"Button", "Replace", BS_PUSHBUTTON | WS_TABSTOP, 0, 310, 45, 80, 22, id::kReplace},
    {"Button", "Replace all", BS_PUSHBUTTON | WS_TABSTOP, 0, 310, 80, 80, 22, id::kReplaceAll},
    {"Button", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, 310, 110, 80, 22, id::kCancel},
    {"Button", "Match Case", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 10, 80, 120, 22, id::kMatchCase},
    {"Button", "Whole Words only", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 10, 112, 120, 22, id::kWholeWords},
    {"Button", "Search From Top", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 140, 112, 160, 22, id::kSearchFromTop},
};

constexpr char kSavedFocusProperty[] = "Quillet.SavedFocus";

// A control keeps the focus while another window (a message box, the main
// window) is active for a while, as in a dialog box.
bool KeepFocusOverActivation(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        ::SetPropA(window, kSavedFocusProperty, ::IsChild(window, focus) ? focus : nullptr);
        return false;
    }
    HWND saved = static_cast<HWND>(::GetPropA(window, kSavedFocusProperty));
    if (!saved || !::IsChild(window, saved) || HIWORD(wParam)) return false;
    ::SetFocus(saved);
    return true;
}

LRESULT CALLBACK FindReplaceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* events = reinterpret_cast<FindReplaceEvents*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!events) return ::DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        // Only the controls' own notices; menu and key commands mean nothing here.
        if (lParam && ::GetParent(reinterpret_cast<HWND>(lParam)) == window) {
            events->OnControl(LOWORD(wParam), HIWORD(wParam));
        }
        return 0;
    case WM_ACTIVATE:
        if (KeepFocusOverActivation(window, wParam)) return 0;
        return ::DefWindowProcA(window, message, wParam, lParam);
    case WM_CLOSE:
        events->OnCloseBox();
        return 0;
    case WM_DESTROY:
        ::RemovePropA(window, kSavedFocusProperty);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        events->OnDestroyed();
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterWindowClass() {
    WNDCLASSEXA windowClass{};
    windowClass.lpfnWndProc = FindReplaceProc;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFindReplaceClass;
    return RegisterWindowClassOnce(windowClass);
}

// The outer rectangle for the client size, centred over the owner.
RECT WindowPlace(HWND owner) {
    RECT frame{0, 0, kFindReplaceClientWidth, kFindReplaceClientHeight};
    ::AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    const long width = frame.right - frame.left;
    const long height = frame.bottom - frame.top;
    RECT ownerRect{};
    ::GetWindowRect(owner, &ownerRect);
    const ScreenPoint at = CentredOver(ownerRect.left, ownerRect.top, ownerRect.right - ownerRect.left,
                                       ownerRect.bottom - ownerRect.top, width, height);
    return {at.x, at.y, at.x + width, at.y + height};
}

// The button-face colour with the shell's small search icon drawn on it;
// only the colour where that icon is missing. 24 bits a pixel: an image
// with an alpha channel would be copied by the static control, and the copy
// would be nobody's to delete.
HBITMAP MakeIconImage(HWND window) {
    HDC screen = ::GetDC(window);
    if (!screen) return nullptr;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = kFindReplaceIconSize;
    format.bmiHeader.biHeight = kFindReplaceIconSize;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    format.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;  // all black to begin with
    HBITMAP image = ::CreateDIBSection(screen, &format, DIB_RGB_COLORS, &pixels, nullptr, 0);
    UniqueDc dc(::CreateCompatibleDC(screen));
    ::ReleaseDC(window, screen);
    if (!image || !dc) return image;
    ScopedSelect select(dc.Get(), image);
    ScopedGdiObject face(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
    const RECT square{0, 0, 24, 24};
    if (face) ::FillRect(dc.Get(), &square, static_cast<HBRUSH>(face.Get()));
    HICON small = nullptr;
    if (::ExtractIconExA("shell32.dll", 176, nullptr, &small, 1) > 0 && small) {
        UniqueIcon icon(small);
        ::DrawIconEx(dc.Get(), 0, 0, icon.Get(), 21, 21, 0, nullptr, DI_NORMAL);
    }
    return image;
}

bool CreateControls(FindReplaceWindow& out) {
    for (const ControlPlace& place : kControls) {
        if (!CreateChildWindow(out.window, place.className, place.text, place.style, place.exStyle, place.x,
                               place.y, place.width, place.height, place.id)) {
            return false;
        }
    }
    EnableActionButtons(out, false);
    out.findField = out.Control(id::kFindField);
    out.replaceField = out.Control(id::kReplaceField);
    out.iconImage.Reset(MakeIconImage(out.window));
    if (out.iconImage) {
        ::SendMessageA(out.Control(id::kIcon), STM_SETIMAGE, IMAGE_BITMAP,
                       reinterpret_cast<LPARAM>(out.iconImage.Get()));
    }
    // Without tooltips the window still works.
    out.tooltip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, out.window,
                                    nullptr, ProgramInstance(), nullptr);
    UpdateFieldTooltip(out, out.findField);
    UpdateFieldTooltip(out, out.replaceField);
    return true;
}

}  // namespace

bool CreateFindReplaceWindow(HWND owner, FindReplaceEvents& events, FindReplaceWindow& out) {
    if (!RegisterWindowClass()) return false;
    const RECT place = WindowPlace(owner);
    out.window = ::CreateWindowExA(0, kFindReplaceClass, kFindReplaceCaption, kWindowStyle, place.left,
                                   place.top, place.right - place.left, place.bottom - place.top, owner,
                                   nullptr, ProgramInstance(), &events);
    if (!out.window) return false;
    ::ShowWindow(out.window, SW_SHOW);
    ::SetWindowPos(out.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (!CreateControls(out)) {
        ::DestroyWindow(out.window);
        out.window = nullptr;
        return false;
    }
    return true;
}

void UpdateFieldTooltip(const FindReplaceWindow& window, HWND field) {
    if (!window.tooltip || !field) return;
    std::string text = WindowText(field);
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window.window;
    tool.uId = reinterpret_cast<UINT_PTR>(field);
    ::SendMessageA(window.tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    tool.lpszText = text.data();
    ::SendMessageA(window.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void EnableActionButtons(const FindReplaceWindow& window, bool enable) {
    for (int button : {id::kFindNext, id::kReplace, id::kReplaceAll}) {
        ::EnableWindow(window.Control(button), enable ? TRUE : FALSE);
    }
}

}  // namespace quillet
