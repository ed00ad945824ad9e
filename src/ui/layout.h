// Where the main window's children go, and the window geometry rules.
#pragma once

#include <array>
#include <cstdint>

namespace quillet {

struct Rect {
    int x;
    int y;
    int width;
    int height;
};

inline constexpr Rect kFrameAtCreation{0, -5, 600, 40};
inline constexpr Rect kEditorAtCreation{0, 35, 600, 305};
inline constexpr int kButtonTop = 5;
inline constexpr int kButtonSize = 24;

// One image button: its control identifier, its x at creation, and, for the
// right-hand group, its distance from the client's right edge after a layout
// (0 for buttons that never move). Bitmap sizes are those of the artwork.
struct ButtonPlace {
    int id;
    int xAtCreation;
    int offsetFromRight;
    int bitmapWidth;
    int bitmapHeight;
};

// In creation order (by identifier).
extern const std::array<ButtonPlace, 12> kButtons;

// The buttons that keep their distance from the client's right edge, in the
// order a layout moves them: Paste, Copy, Cut, Clear clipboard.
extern const std::array<int, 4> kRightButtons;

struct LayoutInput {
    int clientWidth;
    int clientHeight;
    int statusBarHeight;
    int editorTop;
};

struct ButtonX {
    int id;
    int x;
};

struct LayoutResult {
    int editorWidth;
    int editorHeight;  // may be zero or negative; applied as computed
    int frameWidth;
    std::array<ButtonX, 4> rightButtons;  // in the order of kRightButtons
};

LayoutResult ComputeLayout(const LayoutInput& in);

// The stored window geometry: the outer frame's top-left corner, the client
// width, and the client height plus one menu-bar line.
struct Geometry {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

inline constexpr Geometry kDefaultGeometry{100, 100, 600, 450};

// A stored geometry whose client area would not be positive gives way to the
// defaults.
Geometry UsableGeometry(Geometry stored, int menuBarHeight);

struct ScreenRect {
    long left;
    long top;
    long right;
    long bottom;
};

// Moves a window rectangle that lies off every monitor onto the given work
// area (the nearest monitor's): as much of it as fits, top-left first.
ScreenRect MoveOntoWorkArea(ScreenRect window, ScreenRect workArea);

// The geometry to store for a minimised window. The system gives the
// rectangle it will be restored to in work-area coordinates (counted from the
// work area's corner, which a taskbar at the top or left moves away from the
// monitor's); the stored place is in screen coordinates. frameWidth and
// frameHeight are the outer frame's size around an empty client area without
// a menu bar, so that the height keeps the menu bar's line.
Geometry RestoredGeometry(ScreenRect restoredInWorkArea, ScreenRect workArea, ScreenRect monitor,
                          int frameWidth, int frameHeight);

}  // namespace quillet
