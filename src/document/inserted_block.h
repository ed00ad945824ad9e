// What inserting a file above a line puts into the editor.
#pragma once

#include <string>

namespace quillet {

// The file's lines, each followed by one line break, in the editor's form
// (single CR breaks): the text that adding the lines one by one at the start
// of a line leaves there. Converted in place; a file with no lines (0 bytes)
// gives "". Every line end the line reader knows (CR LF, LF, CR, NUL) counts,
// and a last line without one still gets its break.
std::string InsertedBlockFromFileBytes(std::string bytes);

}  // namespace quillet
