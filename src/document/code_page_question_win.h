// Before any write of the document's text: characters the ANSI code page
// cannot hold would reach the file as "?", so the user decides first.
#pragma once

#include <windows.h>

namespace quillet {

inline constexpr char kCodePageQuestion[] =
    "This text contains characters that cannot be saved in the ANSI code page. They will be saved as \"?\".\r\n"
    "\r\nSave anyway?";

// True when the editor's text fits the code page, or when the user answered
// Yes to the question; false (nothing to write) on No.
bool MayWriteInCodePage(HWND editor);

}  // namespace quillet
