// The identifiers that commands travel by: the menu-event identifiers of the
// menu bar, the context menu and the shortcuts, and the control identifiers of
// the main window's children (the image buttons raise button events with
// theirs, a separate numbering: menu 13 is Save, button 13 is Print).
#pragma once

namespace quillet {

// No identifier: a command that no menu item (or no button) raises.
inline constexpr int kNoId = -1;

namespace menu_id {
inline constexpr int kOpen = 0;
inline constexpr int kInsert = 1;
inline constexpr int kNew = 2;
inline constexpr int kSave = 13;
inline constexpr int kSaveAs = 14;
inline constexpr int kAppendTo = 15;
inline constexpr int kExit = 16;
inline constexpr int kUndo = 17;
inline constexpr int kCut = 18;
inline constexpr int kCopy = 19;
inline constexpr int kPaste = 20;
inline constexpr int kSelectAll = 21;
inline constexpr int kDelete = 22;
inline constexpr int kInsertDate = 23;
inline constexpr int kInsertTime = 24;
inline constexpr int kFindReplace = 25;
inline constexpr int kWordWrap = 26;
inline constexpr int kSetFont = 27;
inline constexpr int kAlwaysOnTop = 28;
inline constexpr int kTransparentMode = 29;
inline constexpr int kAbout = 31;
inline constexpr int kPrint = 2002;
}  // namespace menu_id

namespace control_id {
inline constexpr int kFrame = 0;
inline constexpr int kButtonOpen = 1;
inline constexpr int kButtonSave = 2;
inline constexpr int kButtonWordWrap = 3;
inline constexpr int kButtonNew = 5;
inline constexpr int kButtonPaste = 6;
inline constexpr int kButtonOnTop = 7;
inline constexpr int kButtonClearClipboard = 8;
inline constexpr int kButtonCopy = 10;
inline constexpr int kButtonCut = 11;
inline constexpr int kButtonHidden = 12;
inline constexpr int kButtonPrint = 13;
inline constexpr int kButtonFind = 14;
inline constexpr int kMaxButton = 14;
inline constexpr int kEditor = 15;
inline constexpr int kStatusBar = 1000;
inline constexpr int kContextMenu = 2001;
}  // namespace control_id

}  // namespace quillet
