#include "platform/window_parts_win.h"

#include <vector>

namespace quillet {

HINSTANCE ProgramInstance() { return ::GetModuleHandleA(nullptr); }

bool RegisterWindowClassOnce(WNDCLASSEXA windowClass) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExA(ProgramInstance(), windowClass.lpszClassName, &existing)) return true;
    windowClass.cbSize = sizeof windowClass;
    windowClass.hInstance = ProgramInstance();
    return ::RegisterClassExA(&windowClass) != 0;
}

HWND CreateChildWindow(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle, int x,
                       int y, int width, int height, int id, HFONT font) {
    HWND child = ::CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ProgramInstance(),
                                   nullptr);
    if (child) SetControlFont(child, font);
    return child;
}

void SetControlFont(HWND control, HFONT font) {
    const HGDIOBJ shown = font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT);
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(shown), FALSE);
}

std::string WindowText(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(window, text.data(), length + 1);
    return std::string(text.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

}  // namespace quillet
