// The Find/Replace window: a small topmost tool window over the main window
// with two fields, four buttons and three check boxes. What its controls do
// is up to the FindReplaceEvents it is given.
#pragma once

#include <windows.h>

#include "platform/win_handles.h"

namespace quillet {

inline constexpr char kFindReplaceClass[] = "QuilletFindReplace";
inline constexpr int kFindReplaceClientWidth = 400;
inline constexpr int kFindReplaceClientHeight = 145;
inline constexpr int kFindReplaceIconSize = 22;

// The controls' identifiers, in creation order (which is also the order of
// Tab). 1 and 2 are left free, so that no key stands for a button.
namespace find_replace_id {
inline constexpr int kIcon = 100;
inline constexpr int kFindLabel = 101;
inline constexpr int kFindField = 102;
inline constexpr int kReplaceLabel = 103;
inline constexpr int kReplaceField = 104;
inline constexpr int kFindNext = 105;
inline constexpr int kReplace = 106;
inline constexpr int kReplaceAll = 107;
inline constexpr int kCancel = 108;
inline constexpr int kMatchCase = 109;
inline constexpr int kWholeWords = 110;
inline constexpr int kSearchFromTop = 111;
}  // namespace find_replace_id

// What the window reports: a notification or click from one of its
// controls, the close box, and its end.
class FindReplaceEvents {
public:
    virtual ~FindReplaceEvents() = default;
    virtual void OnControl(int id, int code) = 0;
    virtual void OnCloseBox() = 0;
    virtual void OnDestroyed() = 0;
};

struct FindReplaceWindow {
    HWND window = nullptr;
    HWND findField = nullptr;
    HWND replaceField = nullptr;
    HWND tooltip = nullptr;
    ScopedGdiObject iconImage;  // outlives the window, whose static shows it

    HWND Control(int id) const { return ::GetDlgItem(window, id); }
};

// Creates the window centred over owner, shown and then topmost, with its
// controls, the three action buttons disabled. False when the window or its
// controls cannot be made (nothing is left behind).
bool CreateFindReplaceWindow(HWND owner, FindReplaceEvents& events, FindReplaceWindow& out);

// The field's tooltip shows the field's text.
void UpdateFieldTooltip(const FindReplaceWindow& window, HWND field);

// Enables or disables "Find Next", "Replace" and "Replace all" together.
void EnableActionButtons(const FindReplaceWindow& window, bool enable);

}  // namespace quillet
