#include "find_replace_rows.h"

#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <cstdio>

#include "clock.h"
#include "control_floor.h"
#include "quillet_find.h"
#include "report.h"

namespace bench {
namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr double kQuilletTimeout = 1800;  // one Replace all at most
constexpr double kLoopBudget = 30;       // one in-process loop at most; the rest is projected
constexpr double kFindTimeout = 60;

// A Replace all case: every hit of find in the file, replaced.
struct ReplaceCase {
    std::string key;
    std::string path;
    std::string bytes;
    std::string find;
    std::string replace;
    long hits = 0;
};

// The Find Next case: one word, near the end of the 10 MB input.
struct FindCase {
    std::string key;
    std::string path;
    std::string bytes;
    std::string word;
    long line = 0;
};

long CountHits(const std::string& text, const std::string& word) {
    long count = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size())) ++count;
    return count;
}

// The next place at or after from where a word starts and word fits on the line.
std::size_t WordStart(const std::string& text, std::size_t from, std::size_t length) {
    for (std::size_t at = from; at + length < text.size(); ++at) {
        if (at > 0 && text[at - 1] != ' ') continue;
        if (text.find_first_of("\r\n", at) >= at + length) return at;
    }
    return std::string::npos;
}

// word written over hits places spread evenly through text.
std::string WithWordAt(std::string text, const std::string& word, long hits) {
    std::size_t last = 0;
    for (long k = 0; k < hits; ++k) {
        const std::size_t wanted = static_cast<std::size_t>(static_cast<double>(k) * text.size() / hits);
        const std::size_t at = WordStart(text, wanted < last ? last : wanted, word.size());
        if (at == std::string::npos) break;
        text.replace(at, word.size(), word);
        last = at + word.size() + 1;
    }
    return text;
}

bool WriteInput(const std::string& folder, const std::string& key, const std::string& bytes, std::string& path) {
    path = folder + "\\" + key + ".txt";
    if (WriteWholeFile(path, bytes, false)) return true;
    std::fprintf(stderr, "bench: cannot write %s (error %lu)\n", path.c_str(), ::GetLastError());
    return false;
}

const Input* InputByKey(const std::vector<Input>& inputs, const std::string& key) {
    for (const Input& input : inputs) {
        if (input.key == key) return &input;
    }
    return nullptr;
}

bool MakeCases(const std::string& folder, const std::vector<Input>& inputs, std::vector<ReplaceCase>& replaces,
               FindCase& find) {
    const Input* large = InputByKey(inputs, "plain-10MB");
    if (!large) return false;
    ReplaceCase small{"hits-0.5MB", "", WithWordAt(PlainText(5, 512 * 1024), "quill", 10000), "quill", "feather"};
    ReplaceCase common{"plain-10MB", large->path, large->bytes, "river", "stream"};
    for (ReplaceCase* c : {&small, &common}) c->hits = CountHits(c->bytes, c->find);
    if (!WriteInput(folder, small.key, small.bytes, small.path)) return false;
    replaces = {small, common};

    find = {"word-near-end-10MB", "", large->bytes, "zephyr"};
    const std::size_t at = WordStart(find.bytes, find.bytes.size() - 300, find.word.size());
    if (at == std::string::npos) return false;
    find.bytes.replace(at, find.word.size(), find.word);
    find.line = static_cast<long>(std::count(find.bytes.begin(), find.bytes.begin() + at, '\n'));
    return WriteInput(folder, find.key, find.bytes, find.path);
}

// --- The replace loop in this process, on a visible control set up as
// Quillet's editor, with or without what Quillet holds back during it.
struct Loop {
    const char* subject;
    bool noRedraw;
    bool noNotices;
    bool noUndo;  // for reference only: it would change what Undo does
};

constexpr Loop kLoops[] = {
    {"naive", false, false, false},
    {"no-redraw", true, false, false},
    {"no-redraw-no-notices", true, true, false},
    {"no-redraw-no-notices-no-undo", true, true, true},
};

struct LoopResult {
    double seconds = -1;
    long replaced = 0;
    bool finished = false;
};

LoopResult RunLoop(const ReplaceCase& c, const Loop& loop) {
    LoopResult result;
    HWND control = LoadedControl(c.bytes);
    if (!control) return result;
    ::SendMessageA(control, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_LINK);  // as Quillet's editor
    ::SetFocus(::GetParent(control));  // as in Quillet, where a button of its window has the focus
    const double start = Now();
    LRESULT mask = 0;
    if (loop.noNotices) mask = ::SendMessageA(control, EM_SETEVENTMASK, 0, 0);
    if (loop.noRedraw) ::SendMessageA(control, WM_SETREDRAW, FALSE, 0);
    if (loop.noUndo) ::SendMessageA(control, EM_SETUNDOLIMIT, 0, 0);
    const long replaceLength = static_cast<long>(c.replace.size());
    long from = 0;
    for (;;) {
        FINDTEXTA request{{from, -1}, c.find.c_str()};
        const long hit = static_cast<long>(::SendMessageA(control, EM_FINDTEXT, FR_DOWN, reinterpret_cast<LPARAM>(&request)));
        if (hit < 0) {
            result.finished = true;
            break;
        }
        ::SendMessageA(control, EM_SETSEL, hit, hit + static_cast<long>(c.find.size()));
        ::SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(c.replace.c_str()));
        from = hit + replaceLength;
        ++result.replaced;
        if (Now() - start > kLoopBudget) break;
    }
    if (loop.noUndo) ::SendMessageA(control, EM_SETUNDOLIMIT, 100, 0);
    if (loop.noRedraw) {
        ::SendMessageA(control, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(control, nullptr, TRUE);
        ::UpdateWindow(control);
    }
    if (loop.noNotices) ::SendMessageA(control, EM_SETEVENTMASK, 0, mask);
    result.seconds = Now() - start;
    DestroyControl(control);
    return result;
}

// --- Quillet, from outside: Replace all, then (the Find/Replace window
// closed, as its commands wait for that) the menu command Undo, the file
// saved and compared with the input, and the peak memory of both.
struct ReplaceAllRun {
    double open = -1;
    double replaceAll = -1;
    double undo = -1;
    double peakOpenMB = -1;
    double peakMB = -1;
};

ReplaceAllRun QuilletReplaceAll(const FindRowsSetup& setup, const ReplaceCase& c, Report& report) {
    ReplaceAllRun run;
    QuilletFind quillet(setup.quilletExe);
    if (!quillet.Open(c.path) || !quillet.OpenFindReplace(c.find, c.replace)) return run;
    run.open = quillet.OpenSeconds();
    if (const Memory opened = quillet.QueryMemory(); opened.known) run.peakOpenMB = opened.peakWorkingSetMB;
    const long before = quillet.TextLength();
    run.replaceAll = quillet.ReplaceAll(kQuilletTimeout);
    const long expected = before + c.hits * static_cast<long>(c.replace.size() - c.find.size());
    const long after = quillet.TextLength();
    if (run.replaceAll >= 0 && after != expected) {
        report.Note("Replace all in " + c.key + " left " + std::to_string(after) + " characters, not " +
                    std::to_string(expected));
        run.replaceAll = -1;
    }
    if (run.replaceAll < 0 || !quillet.CloseFindReplace()) return run;
    run.undo = quillet.Undo(before, kQuilletTimeout);
    if (run.undo >= 0 && !quillet.SavesAs(c.path, c.bytes)) {
        report.Note("the file saved after the Undo of Replace all in " + c.key + " is not the input");
        run.undo = -1;
    }
    WriteWholeFile(c.path, c.bytes, false);  // the input as it was, whatever the save wrote
    if (const Memory peak = quillet.QueryMemory(); peak.known) run.peakMB = peak.peakWorkingSetMB;
    return run;
}

double QuilletFindNext(const FindRowsSetup& setup, const FindCase& c, Report& report) {
    QuilletFind quillet(setup.quilletExe);
    if (!quillet.Open(c.path) || !quillet.OpenFindReplace(c.word, "")) return -1;
    const double seconds = quillet.FindNext(kFindTimeout);
    const long line = quillet.SelectionLine();
    if (seconds >= 0 && line != c.line) {
        report.Note("Find Next in " + c.key + " stopped on line " + std::to_string(line) + ", not " +
                    std::to_string(c.line));
        return -1;
    }
    return seconds;
}

double ControlFindNext(const FindCase& c) {
    HWND control = LoadedControl(c.bytes);
    if (!control) return -1;
    FINDTEXTA request{{0, -1}, c.word.c_str()};
    const double start = Now();
    const LRESULT hit = ::SendMessageA(control, EM_FINDTEXT, FR_DOWN, reinterpret_cast<LPARAM>(&request));
    ::SendMessageA(control, EM_SETSEL, hit, hit + static_cast<LPARAM>(c.word.size()));
    const double seconds = Now() - start;
    DestroyControl(control);
    return hit < 0 ? -1 : seconds;
}

// --- The tables.
std::string Row(const std::vector<std::string>& cells) {
    std::string row = "|";
    for (const std::string& cell : cells) row += " " + cell + " |";
    return row + "\n";
}

std::string Rule(std::size_t columns) {
    std::string rule = "|";
    for (std::size_t i = 0; i < columns; ++i) rule += "---|";
    return rule + "\n";
}

std::string Megabytes(const std::string& bytes) { return Format(static_cast<double>(bytes.size()) / kMegabyte, 1); }

// A loop's time; for one cut short by its budget, the time it would take
// at the same pace ("about").
std::string LoopCell(const Report& report, const std::string& key, const std::string& subject, long hits) {
    const double seconds = report.MedianOf("find-loop", key, subject);
    const double replaced = report.MedianOf("find-loop-done", key, subject);
    if (seconds < 0 || replaced <= 0) return "n/a";
    if (replaced >= hits) return Format(seconds, 2);
    return "> " + Format(seconds, 0) + " (" + Format(replaced, 0) + " done; about " +
           Format(seconds * hits / replaced, 0) + " in all)";
}

std::string Ratio(double part, double whole) { return part < 0 || whole <= 0 ? "n/a" : Format(part / whole, 2); }

std::string PerReplacement(double seconds, double hits) {
    return seconds < 0 || hits <= 0 ? "n/a" : Format(seconds * 1000 / hits, 2);
}

std::string Tables(const Report& report, const std::vector<ReplaceCase>& replaces, const FindCase& find, int runs) {
    std::string out = "### Find and replace (seconds; median of " + std::to_string(runs) +
                      " runs, Replace all at 10 MB with its Undo and the loops in this process once)\n\n";
    out += Row({"operation", "input", "MB", "hits", "Quillet", "ms per hit", "Quillet's open of the file",
                "Quillet / open", "the plain loop, redraw on, in this process"});
    out += Rule(9);
    for (const ReplaceCase& c : replaces) {
        const double quillet = report.MedianOf("find", c.key, "quillet-replace-all");
        const double undo = report.MedianOf("find", c.key, "quillet-undo");
        const double open = report.MedianOf("find", c.key, "quillet-open");
        out += Row({"Replace all \"" + c.find + "\" by \"" + c.replace + "\"", c.key, Megabytes(c.bytes),
                    std::to_string(c.hits), Format(quillet, 2), PerReplacement(quillet, static_cast<double>(c.hits)),
                    Format(open, 2), Ratio(quillet, open), LoopCell(report, c.key, "naive", c.hits)});
        out += Row({"its Undo (menu command; then saved, byte for byte the input)", c.key, Megabytes(c.bytes), "",
                    Format(undo, 2), "", Format(open, 2), Ratio(undo, open), ""});
    }
    out += Row({"Find Next from the top to \"" + find.word + "\" on line " + std::to_string(find.line + 1), find.key,
                Megabytes(find.bytes), "1", Format(report.MedianOf("find", find.key, "quillet-find-next"), 3), "", "",
                "", "EM_FINDTEXT alone: " + Format(report.MedianOf("find", find.key, "control-find"), 3)});

    out += "\n### Peak memory of Quillet's process (MB; PeakWorkingSetSize, median)\n\n";
    out += Row({"input", "after the open", "after Replace all and its Undo", "ratio"}) + Rule(4);
    for (const ReplaceCase& c : replaces) {
        const double opened = report.MedianOf("find-memory", c.key, "after-open");
        const double peak = report.MedianOf("find-memory", c.key, "after-undo");
        out += Row({c.key, Format(opened, 0), Format(peak, 0), Ratio(peak, opened)});
    }

    const ReplaceCase& small = replaces.front();
    out += "\n### Replace all in this process, " + small.key + ", " + std::to_string(small.hits) +
           " hits: what each thing held back saves (seconds, median)\n\n";
    out += Row({"loop", "seconds", "ms per hit"}) + Rule(3);
    for (const Loop& loop : kLoops) {
        const double seconds = report.MedianOf("find-loop", small.key, loop.subject);
        const double done = report.MedianOf("find-loop-done", small.key, loop.subject);
        out += Row({loop.subject, LoopCell(report, small.key, loop.subject, small.hits), PerReplacement(seconds, done)});
    }
    for (const std::string& note : report.Notes()) out += "\n- " + note;
    return out + "\n";
}

// Failures are in the notes (or on stderr) and leave the figure out.
void Add(Report& report, const std::string& key, const std::string& subject, double seconds) {
    if (seconds >= 0) {
        report.Add("find", key, subject, "s", seconds);
    } else {
        report.Note(subject + " on " + key + " failed in one run");
    }
}

void Add(Report& report, const std::string& key, const ReplaceAllRun& run) {
    Add(report, key, "quillet-replace-all", run.replaceAll);
    Add(report, key, "quillet-open", run.open);
    Add(report, key, "quillet-undo", run.undo);
    if (run.peakOpenMB >= 0) report.Add("find-memory", key, "after-open", "MB", run.peakOpenMB);
    if (run.peakMB >= 0) report.Add("find-memory", key, "after-undo", "MB", run.peakMB);
}

}  // namespace

int RunFindReplaceRows(const FindRowsSetup& setup, const std::vector<Input>& inputs) {
    std::vector<ReplaceCase> replaces;
    FindCase find;
    if (!MakeCases(setup.inputsFolder, inputs, replaces, find)) {
        std::fprintf(stderr, "bench: cannot make the Find/Replace inputs\n");
        return 1;
    }
    Report report;
    // Replace all at 10 MB takes minutes, and the loops here are only there
    // to show what each thing held back saves: those run once.
    const ReplaceCase& small = replaces.front();
    for (int run = 0; run < setup.runs; ++run) {
        Add(report, small.key, QuilletReplaceAll(setup, small, report));
        Add(report, find.key, "quillet-find-next", QuilletFindNext(setup, find, report));
        Add(report, find.key, "control-find", ControlFindNext(find));
        std::fprintf(stderr, "bench: Find/Replace round %d of %d\n", run + 1, setup.runs);
    }
    for (const ReplaceCase& c : replaces) {
        if (&c != &small) Add(report, c.key, QuilletReplaceAll(setup, c, report));
        for (const Loop& loop : kLoops) {
            if (&c != &small && &loop != &kLoops[0]) continue;  // at 10 MB the plain loop alone, beside Quillet
            const LoopResult result = RunLoop(c, loop);
            if (result.seconds < 0) continue;
            report.Add("find-loop", c.key, loop.subject, "s", result.seconds);
            report.Add("find-loop-done", c.key, loop.subject, "count", static_cast<double>(result.replaced));
        }
        std::fprintf(stderr, "bench: Replace all in %s measured\n", c.key.c_str());
    }
    const std::string markdown = Tables(report, replaces, find, setup.runs);
    std::fputs(markdown.c_str(), stdout);
    std::fflush(stdout);
    return StoreTables(setup.out, setup.append, markdown, report.Csv()) ? 0 : 1;
}

}  // namespace bench
