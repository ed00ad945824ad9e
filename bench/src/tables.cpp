#include "tables.h"

#include "clock.h"

namespace bench {
namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

std::string Ratio(double a, double b) { return a < 0 || b <= 0 ? "n/a" : Format(a / b, 2); }

std::string Row(const std::vector<std::string>& cells) {
    std::string row = "|";
    for (const std::string& cell : cells) row += " " + cell + " |";
    return row + "\n";
}

std::string Header(const std::vector<std::string>& names) {
    std::string rule = "|";
    for (std::size_t i = 0; i < names.size(); ++i) rule += "---|";
    return Row(names) + rule + "\n";
}

// A peer's median, or "> limit" when it was given up.
std::string PeerCell(const Report& report, const std::string& input, const std::string& peer) {
    const double seconds = report.MedianOf("open", input, peer);
    const double limit = report.MedianOf("timeout", input, peer);
    if (seconds < 0 && limit > 0) return "> " + Format(limit, 0);
    return Format(seconds, 2);
}

std::string PeerRatio(const Report& report, const std::string& input, const std::string& peer, double quillet) {
    const double seconds = report.MedianOf("open", input, peer);
    const double limit = report.MedianOf("timeout", input, peer);
    if (seconds < 0 && limit > 0 && quillet >= 0) return "< " + Ratio(quillet, limit);
    return Ratio(quillet, seconds);
}

bool Measured(const Report& report, const std::string& section, const std::string& input) {
    return report.Find(section, input, "quillet") != nullptr;
}

std::string OpenTable(const Report& report, const std::vector<Input>& inputs, int runs) {
    std::string out = "### Open a file (seconds, median of " + std::to_string(runs) + " runs)\n\n";
    out += Header({"input", "bytes", "lines", "Quillet", "control's limit", "Quillet / limit", "Wine notepad",
                   "Quillet / notepad", "Wine wordpad", "Quillet / wordpad"});
    for (const Input& in : inputs) {
        if (!Measured(report, "open", in.key)) continue;
        const double quillet = report.MedianOf("open", in.key, "quillet");
        const double limit = report.MedianOf("open", in.key, "limit");
        out += Row({in.key, std::to_string(in.bytes.size()), std::to_string(in.lines), Format(quillet, 2),
                    Format(limit, 2), Ratio(quillet, limit), PeerCell(report, in.key, "notepad"),
                    PeerRatio(report, in.key, "notepad", quillet), PeerCell(report, in.key, "wordpad"),
                    PeerRatio(report, in.key, "wordpad", quillet)});
    }
    return out + "\n";
}

std::string OpenSteps(const Report& report, const std::vector<Input>& inputs) {
    std::string out = "### Where Quillet's open goes (seconds from the process start, median)\n\n";
    out += Header({"input", "main window shown", "title names the file", "answers (the open time)",
                   "load: shown to answering", "control's limit", "load / limit"});
    for (const Input& in : inputs) {
        if (!Measured(report, "open", in.key)) continue;
        const double shown = report.MedianOf("open", in.key, "quillet-shown");
        const double ready = report.MedianOf("open", in.key, "quillet");
        const double limit = report.MedianOf("open", in.key, "limit");
        out += Row({in.key, Format(shown, 2), Format(report.MedianOf("open", in.key, "quillet-titled"), 2),
                    Format(ready, 2), Format(ready - shown, 2), Format(limit, 2), Ratio(ready - shown, limit)});
    }
    return out + "\n";
}

std::string MemoryTable(const Report& report, const std::vector<Input>& inputs) {
    std::string out = "### Peak memory after the open (MB; PeakWorkingSetSize, median)\n\n";
    out += Header({"input", "file MB", "Quillet", "budget 4 x file + 30", "Quillet private now (PeakPagefileUsage)",
                   "the control alone", "Wine notepad", "Wine wordpad"});
    for (const Input& in : inputs) {
        if (!Measured(report, "open", in.key)) continue;
        const double file = static_cast<double>(in.bytes.size()) / kMegabyte;
        out += Row({in.key, Format(file, 1), Format(report.MedianOf("memory", in.key, "quillet-peak-ws"), 0),
                    Format(4 * file + 30, 0), Format(report.MedianOf("memory", in.key, "quillet-pagefile"), 0),
                    Format(report.MedianOf("memory", in.key, "limit-peak-ws"), 0),
                    Format(report.MedianOf("memory", in.key, "notepad-peak-ws"), 0),
                    Format(report.MedianOf("memory", in.key, "wordpad-peak-ws"), 0)});
    }
    return out + "\n";
}

std::string SaveTable(const Report& report, const std::vector<Input>& inputs) {
    std::string out = "### Save the loaded document (seconds, median)\n\n";
    out += Header({"input", "Quillet: menu Save until done", "one WriteFile + FlushFileBuffers",
                   "Quillet / WriteFile"});
    for (const Input& in : inputs) {
        if (!Measured(report, "save", in.key)) continue;
        const double quillet = report.MedianOf("save", in.key, "quillet");
        const double written = report.MedianOf("save", in.key, "writefile");
        out += Row({in.key, Format(quillet, 3), Format(written, 3), Ratio(quillet, written)});
    }
    return out + "\n";
}

std::string NewTable(const Report& report, const std::vector<Input>& inputs) {
    std::string out = "### New on the loaded document, after typing (seconds, median)\n\n";
    out += Header({"input", "Quillet: menu New until the editor is empty and answers", "Quillet's open of it"});
    for (const Input& in : inputs) {
        if (!Measured(report, "new", in.key)) continue;
        out += Row({in.key, Format(report.MedianOf("new", in.key, "quillet"), 3),
                    Format(report.MedianOf("open", in.key, "quillet"), 2)});
    }
    return out + "\n";
}

std::string OverflowCell(const Report& report, const std::string& input) {
    const double limit = report.MedianOf("timeout", input, "overflow");
    if (limit > 0) return "> " + Format(limit, 0);
    return Format(report.MedianOf("overflow", input, "quillet"), 0);
}

std::string TypingTable(const Report& report, const std::vector<Input>& inputs) {
    std::string out = "### Typing at the end of the document (ms per key until the status bar shows it; "
                      "lines of an Enter and 49 letters; all runs pooled)\n\n";
    out += Header({"input", "keys", "median", "95th percentile", "worst",
                   "the one key that makes a line wider than the editor"});
    for (const Input& in : inputs) {
        const Figure* keys = report.Find("typing", in.key, "quillet");
        const double limit = report.MedianOf("timeout", in.key, "typing");
        if (!keys && limit < 0) continue;
        const std::vector<double> values = keys ? keys->values : std::vector<double>{};
        const std::string worst = limit > 0 ? "> " + Format(limit, 0) : Format(Largest(values), 1);
        out += Row({in.key, std::to_string(values.size()), keys ? Format(Median(values), 1) : "n/a",
                    keys ? Format(Percentile(values, 0.95), 1) : "n/a", worst, OverflowCell(report, in.key)});
    }
    return out + "\n";
}

std::string StartUpTable(const Report& report, int runs) {
    std::string out = "### Start-up with no file (median of " + std::to_string(runs) + " runs)\n\n";
    out += Header({"program", "seconds", "/ Wine notepad", "peak working set MB"});
    const double notepad = report.MedianOf("startup", "none", "notepad");
    for (const char* who : {"quillet", "notepad", "wordpad"}) {
        const double seconds = report.MedianOf("startup", "none", who);
        if (seconds < 0) continue;
        out += Row({who, Format(seconds, 3), Ratio(seconds, notepad),
                    Format(report.MedianOf("memory", "none", std::string(who) + "-peak-ws"), 0)});
    }
    return out + "\n";
}

std::string NaiveTable(const Report& report) {
    const std::string key = kNaiveInputKey;
    if (!report.Find("naive", key, "replacesel")) return "";
    std::string out = "### Line-by-line reference (" + key + ", seconds, median)\n\n";
    out += Header({"way", "seconds"});
    out += Row({"one EM_REPLACESEL per line into a fresh control", Format(report.MedianOf("naive", key, "replacesel"), 2)});
    out += Row({"one EM_STREAMIN into a fresh control (the limit)", Format(report.MedianOf("open", key, "limit"), 2)});
    out += Row({"Quillet: start with the file until it answers", Format(report.MedianOf("open", key, "quillet"), 2)});
    return out + "\n";
}

std::string NotesList(const Report& report) {
    std::string out = "Every open showed the whole file (line count checked), every save was byte-exact";
    if (report.Notes().empty()) return out + ", and nothing was given up.\n";
    out += " unless noted here:\n\n";
    for (const std::string& note : report.Notes()) out += "- " + note + "\n";
    return out;
}

}  // namespace

std::string Tables(const Report& report, const std::vector<Input>& inputs, int runs, int startUpRuns) {
    return OpenTable(report, inputs, runs) + OpenSteps(report, inputs) + MemoryTable(report, inputs) + SaveTable(report, inputs) +
           NewTable(report, inputs) + TypingTable(report, inputs) + StartUpTable(report, startUpRuns) + NaiveTable(report) +
           NotesList(report);
}

}  // namespace bench
