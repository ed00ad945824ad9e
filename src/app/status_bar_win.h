// The status bar's "Char N Line M of K lines", brought up to date before each
// message the loop handles.
#pragma once

#include "ui/main_window_win.h"

namespace quillet {

// Shows where the caret is. Finding the caret's line can cost milliseconds on
// a large document, so the figures are only worked out again when the editor
// has changed since the last time.
void RefreshStatusBar(const MainWindow& main);

// Told by the main window whenever the editor reports an edit (EN_CHANGE):
// an edit can move lines about without changing anything else that the
// refresh looks at. Whatever changes how the editor breaks its lines without
// editing or resizing it (word wrap, the font) calls it too.
void NoteEditorChanged();

// Asks the editor to report its edits to the main window.
void EnableChangeNotices(HWND editor);

}  // namespace quillet
