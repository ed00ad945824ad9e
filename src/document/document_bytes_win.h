// The document's file bytes as a source for the file writers, streamed from
// the editor on every pass rather than held.
#pragma once

#include <windows.h>

#include "document/code_page_question_win.h"
#include "document/file_io_win.h"

namespace quillet {

// The editor's text for a file (StreamTextForFile: as the control streams
// its ANSI text, or with "?" where the user agreed to lose characters), then
// CR LF after the last line when the document has any line: exactly the
// bytes of FileBytesFromStreamedText, one piece at a time.
struct DocumentBytes {
    HWND editor;
    bool hasLines;
    CodePageWrite write;
};

// The document must outlive the source.
ContentSource SourceOf(const DocumentBytes& document);

// The document as it stands now, written as the user agreed.
DocumentBytes DocumentBytesOf(HWND editor, CodePageWrite write);

}  // namespace quillet
