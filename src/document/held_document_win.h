// The document the editor holds, kept while a load replaces it, so that a
// load that fails can put it back, or, failing that, save it aside whole.
#pragma once

#include <windows.h>

#include <string>

#include "platform/editor_text_win.h"
#include "platform/line_mark.h"

namespace quillet {

// Kept in Unicode, so that it comes back exactly whatever the code page
// lacks, and as the editor holds it (lines joined by single CRs): one copy
// of the text, for as long as the load runs.
struct HeldDocument {
    std::wstring crText;
    LineMark mark = LineMark::None;
    bool modified = false;
    Selection selection{0, 0};
};

// Takes the document out of the editor (the editor keeps it too). False when
// the control could not give it; std::bad_alloc when there is no memory.
bool Hold(HWND editor, HeldDocument& held);

// Puts the document into an empty editor; true when the control took it
// whole. What it took is marked modified unless it is the whole document as
// it was: a part must never pass for the saved file. Never throws.
bool PutBack(HWND editor, const HeldDocument& held);

// Writes the document to a new file in the system's temporary folder, as the
// file writer would, or, when the code page cannot hold the text, in UTF-16
// with its byte-order mark, so that nothing is lost. Asks for no memory. The
// file's name goes into name; false with error set.
bool SaveAside(const HeldDocument& held, char (&name)[MAX_PATH], DWORD& error);

}  // namespace quillet
