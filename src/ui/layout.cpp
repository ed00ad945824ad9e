#include "ui/layout.h"

#include <climits>

#include "program/command_ids.h"

namespace quillet {

const std::array<ButtonPlace, 12> kButtons{{
    {control_id::kButtonOpen, 30, 0, 24, 24},
    {control_id::kButtonSave, 55, 0, 24, 24},
    {control_id::kButtonWordWrap, 230, 0, 16, 12},
    {control_id::kButtonNew, 5, 0, 24, 24},
    {control_id::kButtonPaste, 570, 31, 24, 24},
    {control_id::kButtonOnTop, 255, 0, 17, 17},
    {control_id::kButtonClearClipboard, 490, 108, 24, 24},
    {control_id::kButtonCopy, 545, 56, 24, 24},
    {control_id::kButtonCut, 520, 81, 24, 24},
    {control_id::kButtonHidden, 280, 0, 18, 16},
    {control_id::kButtonPrint, 205, 0, 24, 24},
    {control_id::kButtonFind, 180, 0, 24, 24},
}};

const std::array<int, 4> kRightButtons{control_id::kButtonPaste, control_id::kButtonCopy, control_id::kButtonCut,
                                       control_id::kButtonClearClipboard};

namespace {

int OffsetFromRight(int id) {
    for (const ButtonPlace& place : kButtons) {
        if (place.id == id) {
            return place.offsetFromRight;
        }
    }
    return 0;
}

// Keeps one axis of a window inside [low, high): a window too large for the
// area starts at its low edge, any other is pushed in from whichever side it
// sticks out.
long long ClampStart(long long start, long long size, long long low, long long high) {
    if (size >= high - low || start < low) {
        return low;
    }
    if (start + size > high) {
        return high - size;
    }
    return start;
}

long ToLong(long long value) {
    if (value > LONG_MAX) {
        return LONG_MAX;
    }
    if (value < LONG_MIN) {
        return LONG_MIN;
    }
    return static_cast<long>(value);
}

int32_t ToInt32(long long value) {
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(value);
}

}  // namespace

LayoutResult ComputeLayout(const LayoutInput& in) {
    LayoutResult out{};
    out.editorWidth = in.clientWidth;
    out.editorHeight = in.clientHeight - in.statusBarHeight - in.editorTop + 1;
    out.frameWidth = in.clientWidth - 2;
    for (std::size_t i = 0; i < out.rightButtons.size(); ++i) {
        const int button = kRightButtons[i];
        out.rightButtons[i] = {button, in.clientWidth - OffsetFromRight(button)};
    }
    return out;
}

Geometry UsableGeometry(Geometry stored, int menuBarHeight) {
    // Widened so that extreme stored values cannot overflow the check.
    const int64_t clientHeight = static_cast<int64_t>(stored.height) - menuBarHeight;
    if (stored.width <= 0 || clientHeight <= 0) {
        return kDefaultGeometry;
    }
    return stored;
}

ScreenRect MoveOntoWorkArea(ScreenRect window, ScreenRect workArea) {
    const long long width = static_cast<long long>(window.right) - window.left;
    const long long height = static_cast<long long>(window.bottom) - window.top;
    const long long left = ClampStart(window.left, width, workArea.left, workArea.right);
    const long long top = ClampStart(window.top, height, workArea.top, workArea.bottom);
    return {ToLong(left), ToLong(top), ToLong(left + width), ToLong(top + height)};
}

Geometry RestoredGeometry(ScreenRect restoredInWorkArea, ScreenRect workArea, ScreenRect monitor,
                          int frameWidth, int frameHeight) {
    const long long width = static_cast<long long>(restoredInWorkArea.right) - restoredInWorkArea.left;
    const long long height = static_cast<long long>(restoredInWorkArea.bottom) - restoredInWorkArea.top;
    const long long x = static_cast<long long>(restoredInWorkArea.left) + workArea.left - monitor.left;
    const long long y = static_cast<long long>(restoredInWorkArea.top) + workArea.top - monitor.top;
    return {ToInt32(x), ToInt32(y), ToInt32(width - frameWidth), ToInt32(height - frameHeight)};
}

}  // namespace quillet
