// The control's limit measured in a process of its own: a fresh heap and
// address space for every load, as quillet.exe has, and a peak memory
// figure that is the control's alone.
#pragma once

#include <string>

namespace bench {

struct ChildResult {
    bool ok = false;
    double seconds = -1;          // the EM_STREAMIN (or the line-by-line load) alone
    long lines = 0;               // EM_GETLINECOUNT afterwards
    double peakWorkingSetMB = 0;  // the child's PeakWorkingSetSize after the load
};

// Parent side: starts this program with --limit-child on inputPath and
// reads what it wrote to resultPath. naive: one EM_REPLACESEL per line.
ChildResult MeasureInChild(const std::string& inputPath, const std::string& resultPath, bool naive,
                           double timeoutSeconds);

// Child side: loads the file into a fresh control, writes the result file.
// Returns the process exit code.
int RunLimitChild(const std::string& inputPath, const std::string& resultPath, bool naive);

}  // namespace bench
