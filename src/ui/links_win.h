// Links in the document: a double click with the left button on one opens it.
#pragma once

#include <windows.h>

namespace quillet {

// Looks at a notice the main window received from one of its children. An
// EN_LINK for a left double click opens the link's text (its first 511
// characters at most); every other notice and mouse message is left alone.
// The caller goes on with the normal handling either way, so the editor
// still gets the double click.
void OnEditorLinkNotice(HWND editor, const NMHDR& notice);

}  // namespace quillet
