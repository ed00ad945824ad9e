// Changes that make the editor lay the whole document out again: word wrap
// on and off, a font change through the font dialog, and the window made
// lower and narrower. Timed in quillet.exe driven from outside, each beside
// the same change made directly on a bare control holding the same text
// (the limit).
#pragma once

#include <string>
#include <vector>

#include "inputs.h"
#include "runs.h"

namespace bench {

// For plain-1MB and plain-10MB (those listed in only; all when empty),
// rounds of the changes in Quillet and on the control alone. Prints the
// table and writes table.md and table.csv into out, or adds to them (a full
// run). 0 when the tables were written.
int RunViewRows(Setup& setup, const std::vector<Input>& inputs, const std::string& only, int runs,
                const std::string& out, bool append);

// The child process that makes the changes on the control alone:
// --view-child FILE RESULT FIRST SECOND FACE (SECOND "-" for none).
int RunViewChild(int argc, char** argv);

}  // namespace bench
