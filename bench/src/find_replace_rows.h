// The Find/Replace rows of the benchmark: Replace all and Find Next in
// Quillet, timed from outside, beside the plain replace loop run on a
// control of its own in this process.
#pragma once

#include <string>
#include <vector>

#include "inputs.h"

namespace bench {

struct FindRowsSetup {
    std::string quilletExe;  // the scratch copy of quillet.exe
    std::string inputsFolder;
    std::string out;         // where table.md and table.csv are
    int runs = 3;
    bool append = false;     // add to the tables already there (a full run)
};

// Measures, prints the table and writes (or appends to) table.md and
// table.csv. 0 when every figure was measured and written.
int RunFindReplaceRows(const FindRowsSetup& setup, const std::vector<Input>& inputs);

}  // namespace bench
