// Insert and Append To on large inputs, beside the open and save of the same
// input: quillet.exe driven from outside through its menu commands and its
// file dialogs, as a user would.
#pragma once

#include <string>
#include <vector>

#include "inputs.h"
#include "runs.h"

namespace bench {

// For each input listed in only (all when empty; by default the 10 MB one),
// runs rounds of: open it, save it, append it to a small file (one session);
// open a small file and insert the input into it (another session). Writes
// its table as table.md and table.csv into out (with append, added to those
// a full run has written there) and prints it.
// 0 when every operation completed and gave the expected bytes.
int RunInsertAppend(const Setup& setup, const std::vector<Input>& inputs, const std::string& only, int rounds,
                    const std::string& out, bool append);

}  // namespace bench
