// The editor's mark for an empty first line, kept by its line operations.
// Portable: the document's text rules use it as well as the control.
#pragma once

namespace quillet {

// None; pending (the document is one empty line, which the control cannot
// show as text); done (the empty first line is in the text).
enum class LineMark { None, Pending, Done };

}  // namespace quillet
