// The status bar's "Char N Line M of K lines", brought up to date before each
// message the loop handles.
#pragma once

#include "app/main_window_win.h"

namespace quillet {

// Shows where the caret is. Finding the caret's line can cost milliseconds on
// a large document, so the figures are only worked out again when the editor
// has changed since the last time, or when a change was noted
// (platform/editor_change_note.h): an edit (EN_CHANGE), word wrap or the font
// can move lines about without changing anything else the refresh looks at.
void RefreshStatusBar(const MainWindow& main);

// Asks the editor to report its edits to the main window.
void EnableChangeNotices(HWND editor);

}  // namespace quillet
