// Trying variations of the control's load on one input, to find what its
// time depends on. Prints a small table; no files are written.
#pragma once

#include <string>
#include <vector>

#include "inputs.h"

namespace bench {

// With variations false only the typing probe runs.
int Explore(const std::vector<Input>& inputs, const std::string& key, int runs, bool variations);

}  // namespace bench
