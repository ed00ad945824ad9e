// Moving a whole document between file bytes and the editor control in one
// transfer each way. The result is exactly what reading the file line by line
// and adding each line (or writing each line followed by CR LF) would give.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/line_mark.h"

namespace quillet {

struct EditorText {
    std::string text;  // lines joined by a single CR, no break at either end
    LineMark mark;
};

// Turns file bytes into the editor's text in place (the text is never longer
// than the bytes): every line end becomes one CR and a final line end is
// dropped. Gives the mark that adding the lines one by one would leave.
EditorText EditorTextFromFileBytes(std::string bytes);

// What the file writer writes for a document: the control's text as it
// streams out (lines joined by CR LF), then CR LF after the last line when the
// document has any line.
std::string FileBytesFromStreamedText(std::string_view streamed, bool hasLines);
// What follows the streamed text in the file: CR LF when the document has
// any line, else nothing (for writers that take the text in pieces).
std::string_view FileEndAfterStreamedText(bool hasLines);

// The editor's text back from what it streamed out: each CR LF becomes the
// single CR it holds as a line break. Exact, for putting a document back.
std::string CrTextFromStreamedText(std::string streamed);
std::wstring CrTextFromStreamedText(std::wstring streamed);

}  // namespace quillet
