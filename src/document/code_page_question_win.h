// Before any write of the document's text: characters the ANSI code page
// cannot hold would reach the file as "?", so the user decides first.
#pragma once

#include <windows.h>

#include "platform/piece_sink.h"

namespace quillet {

inline constexpr char kCodePageQuestion[] =
    "This text contains characters that cannot be saved in the ANSI code page. They will be saved as \"?\".\r\n"
    "\r\nSave anyway?";

enum class CodePageWrite {
    Fits,        // every character has its byte (or bytes) in the code page
    LossAgreed,  // some have none, and the user said to save them as "?"
    Refused,     // the user said No: nothing is to be written
};

// Checks the editor's text, and asks the question when it does not fit.
CodePageWrite AskBeforeWriting(HWND editor);

// The editor's text for a file, lines joined by CR LF, handed to sink piece
// by piece: as the control streams it out when it fits, otherwise converted
// with "?" for every character the code page lacks, as the question said.
// False when the text could not be taken or the sink stopped.
bool StreamTextForFile(HWND editor, CodePageWrite write, PieceSink sink, void* context);

}  // namespace quillet
