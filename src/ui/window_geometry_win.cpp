#include "ui/window_geometry_win.h"

#include "program/settings_rules.h"
#include "program/settings_win.h"

namespace quillet {
namespace {

RECT OuterFrameFor(HWND window, int clientWidth, int clientHeight) {
    RECT frame{0, 0, clientWidth, clientHeight};
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_EXSTYLE));
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return frame;
}

ScreenRect ToScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT OntoSomeMonitor(const RECT& window) {
    if (::MonitorFromRect(&window, MONITOR_DEFAULTTONULL)) return window;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoA(::MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return window;
    }
    const ScreenRect moved = MoveOntoWorkArea(ToScreenRect(window), ToScreenRect(monitor.rcWork));
    return RECT{moved.left, moved.top, moved.right, moved.bottom};
}

}  // namespace

Geometry ReadStoredGeometry(const std::string& settings) {
    auto read = [&](const char* key) { return ParseInteger(ReadSetting(settings, section::kDisplay, key)); };
    return {read(key::kXPos), read(key::kYPos), read(key::kWidth), read(key::kHeight)};
}

void PlaceWindow(HWND window, Geometry stored) {
    const Geometry geometry = UsableGeometry(stored, ::GetSystemMetrics(SM_CYMENU));
    const RECT frame = OuterFrameFor(window, geometry.width, geometry.height);
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    const RECT placed = OntoSomeMonitor(RECT{geometry.x, geometry.y, geometry.x + width, geometry.y + height});
    ::SetWindowPos(window, nullptr, placed.left, placed.top, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

Geometry CurrentGeometry(HWND window) {
    const int menuLine = ::GetMenu(window) ? ::GetSystemMetrics(SM_CYMENU) : 0;
    if (::IsIconic(window)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        ::GetWindowPlacement(window, &placement);
        const RECT& normal = placement.rcNormalPosition;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (!::GetMonitorInfoA(::MonitorFromRect(&normal, MONITOR_DEFAULTTONEAREST), &monitor)) {
            monitor.rcWork = monitor.rcMonitor = RECT{0, 0, 0, 0};
        }
        const RECT frame = OuterFrameFor(window, 0, 0);
        return RestoredGeometry(ToScreenRect(normal), ToScreenRect(monitor.rcWork),
                                ToScreenRect(monitor.rcMonitor), frame.right - frame.left,
                                frame.bottom - frame.top);
    }
    RECT outer{};
    ::GetWindowRect(window, &outer);
    RECT client{};
    ::GetClientRect(window, &client);
    return {outer.left, outer.top, client.right, client.bottom + menuLine};
}

void StoreGeometry(const std::string& settings, Geometry geometry) {
    WriteSetting(settings, section::kDisplay, key::kXPos, FormatInteger(geometry.x));
    WriteSetting(settings, section::kDisplay, key::kYPos, FormatInteger(geometry.y));
    WriteSetting(settings, section::kDisplay, key::kWidth, FormatInteger(geometry.width));
    WriteSetting(settings, section::kDisplay, key::kHeight, FormatInteger(geometry.height));
}

}  // namespace quillet
