// How the editor shows the text: word wrap and the font. Neither is an edit;
// each makes the control lay the whole document out again.
#pragma once

#include <windows.h>

namespace quillet {

// Lines wrap at the editor's right edge, or break only at their line ends.
void SetWordWrap(HWND editor, bool wrap);
bool IsWordWrapped(HWND editor);
// Drops what SetWordWrap remembered on the control (before it is destroyed).
void ForgetWordWrap(HWND editor);

// Every character, and the text typed or loaded from now on, in font's face,
// size, weight and slant, and in colour (a fixed colour). No undo step is
// recorded and the modified flag stays as it was.
void SetTextFontAndColour(HWND editor, HFONT font, COLORREF colour);

}  // namespace quillet
