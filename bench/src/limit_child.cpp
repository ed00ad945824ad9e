#include "limit_child.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>

#include "control_floor.h"
#include "inputs.h"
#include "program.h"

namespace bench {
namespace {

double PeakWorkingSetMB() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

}  // namespace

ChildResult MeasureInChild(const std::string& inputPath, const std::string& resultPath, bool naive,
                           double timeoutSeconds) {
    ChildResult result;
    ::DeleteFileA(resultPath.c_str());
    const std::string exe = ProgramFolder() + "quillet_bench.exe";
    std::string commandLine = "\"" + exe + "\" --limit-child \"" + inputPath + "\" --result \"" + resultPath + "\"";
    if (naive) commandLine += " --naive 1";
    Program child;
    if (!child.Start(exe, commandLine, "")) return result;
    if (!child.WaitForEnd(timeoutSeconds)) {
        std::fprintf(stderr, "bench: the control's own load of %s took longer than %.0f s\n", inputPath.c_str(),
                     timeoutSeconds);
        return result;
    }
    std::string text;
    if (!ReadWholeFile(resultPath, text)) return result;
    result.ok = std::sscanf(text.c_str(), "%lf %ld %lf", &result.seconds, &result.lines,
                            &result.peakWorkingSetMB) == 3 && result.seconds >= 0;
    return result;
}

int RunLimitChild(const std::string& inputPath, const std::string& resultPath, bool naive) {
    std::string bytes;
    if (!ReadWholeFile(inputPath, bytes)) {
        std::fprintf(stderr, "bench: cannot read %s (error %lu)\n", inputPath.c_str(), ::GetLastError());
        return 1;
    }
    const LoadResult load = naive ? ReplaceLineByLine(bytes) : StreamIntoFreshControl(bytes);
    char text[128];
    std::snprintf(text, sizeof text, "%.6f %ld %.3f\n", load.seconds, load.lineCount, PeakWorkingSetMB());
    return WriteWholeFile(resultPath, text, false) ? 0 : 1;
}

}  // namespace bench
