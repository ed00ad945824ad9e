#include "about/about_link_win.h"

#include "platform/window_parts_win.h"

namespace quillet {
namespace {

HCURSOR HandCursor() {
    if (HCURSOR hand = ::LoadCursorA(nullptr, IDC_HAND)) return hand;
    return ::LoadCursorA(nullptr, IDC_ARROW);
}

HFONT FontOf(HWND label) { return reinterpret_cast<HFONT>(::GetWindowLongPtrA(label, GWLP_USERDATA)); }

void Draw(HWND label, HDC dc) {
    RECT client{};
    ::GetClientRect(label, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_3DFACE));
    const HGDIOBJ original = FontOf(label) ? ::SelectObject(dc, FontOf(label)) : nullptr;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(kLinkColour.red, kLinkColour.green, kLinkColour.blue));
    const std::string text = WindowText(label);
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (original) ::SelectObject(dc, original);
}

void Paint(HWND label) {
    PAINTSTRUCT paint{};
    if (HDC dc = ::BeginPaint(label, &paint)) {
        Draw(label, dc);
        ::EndPaint(label, &paint);
    }
}

bool ReleasedOver(HWND label, LPARAM lParam) {
    RECT client{};
    ::GetClientRect(label, &client);
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return ::PtInRect(&client, point) != FALSE;
}

LRESULT CALLBACK LinkLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint(label);
        return 0;
    case WM_PRINTCLIENT:
        Draw(label, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETFONT:
        ::SetWindowLongPtrA(label, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
        if (LOWORD(lParam)) ::InvalidateRect(label, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(FontOf(label));
    case WM_SETCURSOR:
        ::SetCursor(HandCursor());
        return TRUE;
    case WM_LBUTTONUP:
        if (ReleasedOver(label, lParam)) {
            ::SendMessageA(::GetParent(label), WM_COMMAND,
                           MAKEWPARAM(::GetDlgCtrlID(label), BN_CLICKED), reinterpret_cast<LPARAM>(label));
        }
        return 0;
    default:
        return ::DefWindowProcA(label, message, wParam, lParam);
    }
}

bool RegisterLinkLabelClass() {
    WNDCLASSEXA windowClass{};
    windowClass.lpfnWndProc = LinkLabelProc;
    windowClass.hCursor = HandCursor();
    windowClass.lpszClassName = kLinkLabelClass;
    return RegisterWindowClassOnce(windowClass);
}

}  // namespace

HWND CreateLinkLabel(HWND parent, int id, const AboutRect& place, const std::string& text, HFONT font) {
    if (!RegisterLinkLabelClass()) return nullptr;
    return CreateChildWindow(parent, kLinkLabelClass, text.c_str(), 0, 0, place.x, place.y, place.width,
                             place.height, id, font);
}

}  // namespace quillet
