// The Markdown tables of a benchmark run.
#pragma once

#include <string>
#include <vector>

#include "inputs.h"
#include "report.h"

namespace bench {

std::string Tables(const Report& report, const std::vector<Input>& inputs, int runs, int startUpRuns);

}  // namespace bench
