// What the recovery copy costs: typing at a person's pace at the end of
// plain-10MB with recovery on and with it off, and the time one copy takes
// to write at 1 and 10 MB beside the cost of taking the same text out of a
// bare control (the part of a copy that runs on Quillet's GUI thread).
#pragma once

#include <string>
#include <vector>

#include "inputs.h"
#include "runs.h"

namespace bench {

// Prints the tables and writes table.md and table.csv into out, or adds to
// them (a full run). 0 when every figure was measured.
int RunRecoveryRows(const Setup& setup, const std::vector<Input>& inputs, int runs, const std::string& out,
                    bool append);

}  // namespace bench
