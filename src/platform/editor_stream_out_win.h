// The editor's whole text taken out: streamed piece by piece, or read whole.
#pragma once

#include <windows.h>

#include <string>

#include "platform/piece_sink.h"

namespace quillet {

// The whole text streamed out piece by piece as the control hands it over,
// in the ANSI code page or in UTF-16 (lines joined by CR LF either way), so
// that a caller never holds a second copy of it. The sink returns false to
// stop; the result is false when the sink or the control stopped the transfer.
// An exception thrown by the sink stops the transfer too, and is thrown on
// from here once the control has returned: none crosses the control.
enum class StreamText { Ansi, Unicode };
bool StreamEditorTextOut(HWND editor, StreamText form, PieceSink sink, void* context);

// The whole text as it streams out: lines between breaks joined by CR LF,
// whatever the word-wrap setting. False when the control could not give the
// text; std::bad_alloc when there is no memory for it (after the control
// has returned).
bool SaveEditorText(HWND editor, std::string& out);
// The same in Unicode, as the control holds it: nothing is lost for the code
// page. The 1.0 control, which holds ANSI text, is read as ANSI and converted.
bool SaveEditorTextW(HWND editor, std::wstring& out);

// The whole text as the control holds it, so that an index into it is a
// character position: line breaks as CR in 2.0, CR LF in 1.0. False when
// there is not the memory for it.
bool ReadEditorTextW(HWND editor, std::wstring& out);

}  // namespace quillet
