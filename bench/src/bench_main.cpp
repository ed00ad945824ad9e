// quillet_bench: times Quillet, the RichEdit control it is built on and
// Wine's own editors on the same generated files, from inside Wine.
//
//   quillet_bench.exe --work DIR --out DIR [--runs N] [--startup-runs N]
//                     [--keys N] [--peer-timeout S] [--inputs KEY,KEY]
//                     [--subjects quillet,limit,notepad,wordpad] [--quillet EXE]
//                     [--explore KEY] [--probe KEY] [--ops insert-append|find|load|view|recovery]
//
// Writes table.md and table.csv into --out and prints the Markdown. Meant to
// be run by scripts/bench.sh, which prepares Wine and the display.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "clock.h"
#include "explore.h"
#include "find_replace_rows.h"
#include "inputs.h"
#include "insert_append.h"
#include "limit_child.h"
#include "peers.h"
#include "program.h"
#include "report.h"
#include "runs.h"
#include "tables.h"
#include "recovery_rows.h"
#include "view_ops.h"

namespace bench {
namespace {

struct Options {
    std::string work;
    std::string out;
    int runs = 3;
    int startUpRuns = 5;
    int keys = 200;
    double peerTimeout = 45;
    std::string only;     // comma-separated input keys; empty: all
    std::string subjects;  // comma-separated: quillet, limit, notepad, wordpad; empty: all
    std::string explore;  // an input key: try load variations only
    std::string probe;    // an input key: only the control's typing costs
    std::string quillet;  // the quillet.exe to measure; empty: the one beside this program
    std::string limitChild;  // a file: load it into a fresh control, nothing else
    std::string result;      // where the --limit-child result goes
    bool naive = false;      // --limit-child the line-by-line way
    std::string ops;         // "insert-append", "find", "load", "view" or "recovery": only those rows; empty: load, then the others in a full run
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--work") options.work = value;
        else if (name == "--out") options.out = value;
        else if (name == "--runs") options.runs = std::atoi(value.c_str());
        else if (name == "--startup-runs") options.startUpRuns = std::atoi(value.c_str());
        else if (name == "--keys") options.keys = std::atoi(value.c_str());
        else if (name == "--peer-timeout") options.peerTimeout = std::atof(value.c_str());
        else if (name == "--inputs") options.only = value;
        else if (name == "--subjects") options.subjects = value;
        else if (name == "--explore") options.explore = value;
        else if (name == "--probe") options.probe = value;
        else if (name == "--quillet") options.quillet = value;
        else if (name == "--ops" && (value == "insert-append" || value == "find" || value == "load" || value == "view" ||
                                     value == "recovery")) {
            options.ops = value;
        }
        else return false;
    }
    return argc % 2 == 1 && !options.work.empty() && !options.out.empty() && options.runs > 0 &&
           options.startUpRuns >= 0 && options.keys >= 0;
}

bool ParseChildOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--limit-child") options.limitChild = argv[i + 1];
        else if (name == "--result") options.result = argv[i + 1];
        else if (name == "--naive") options.naive = std::string(argv[i + 1]) == "1";
        else return false;
    }
    return !options.limitChild.empty() && !options.result.empty();
}

bool Listed(const std::string& list, const std::string& name) {
    return list.empty() || ("," + list + ",").find("," + name + ",") != std::string::npos;
}

void ChooseSubjects(const Options& options, Setup& setup) {
    setup.quillet = Listed(options.subjects, "quillet");
    setup.limit = Listed(options.subjects, "limit");
    std::vector<Peer> chosen;
    for (const Peer& peer : setup.peers) {
        if (Listed(options.subjects, peer.name)) chosen.push_back(peer);
    }
    setup.peers = chosen;
}

bool MakeFolder(const std::string& path) {
    if (::CreateDirectoryA(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS) return true;
    std::fprintf(stderr, "bench: cannot make folder %s (error %lu)\n", path.c_str(), ::GetLastError());
    return false;
}

bool WriteText(const std::string& path, const std::string& text) {
    if (WriteWholeFile(path, text, false)) return true;
    std::fprintf(stderr, "bench: cannot write %s (error %lu)\n", path.c_str(), ::GetLastError());
    return false;
}

bool WriteResults(const Options& options, const Report& report, const std::vector<Input>& inputs) {
    const std::string markdown = Tables(report, inputs, options.runs, options.startUpRuns);
    return WriteText(options.out + "\\table.md", markdown) && WriteText(options.out + "\\table.csv", report.Csv());
}

void Progress(double begin, const std::string& what) {
    std::fprintf(stderr, "bench: [%6.1f s] %s\n", Now() - begin, what.c_str());
    std::fflush(stderr);
}

// The scratch folders, the copy of quillet.exe and the inputs.
bool Prepare(const Options& options, Setup& setup, std::vector<Input>& inputs) {
    const std::string inputsFolder = options.work + "\\inputs";
    const std::string quilletFolder = options.work + "\\quillet";
    if (!MakeFolder(options.work) || !MakeFolder(inputsFolder) || !MakeFolder(quilletFolder) ||
        !MakeFolder(options.out)) {
        return false;
    }
    setup.quilletExe = quilletFolder + "\\quillet.exe";
    setup.work = options.work;
    setup.peers = FindPeers();
    setup.typedKeys = options.keys;
    setup.peerTimeout = options.peerTimeout;
    ChooseSubjects(options, setup);
    const std::string quillet = options.quillet.empty() ? ProgramFolder() + "quillet.exe" : options.quillet;
    if (!::CopyFileA(quillet.c_str(), setup.quilletExe.c_str(), FALSE)) {
        std::fprintf(stderr, "bench: cannot copy %s (error %lu)\n", quillet.c_str(), ::GetLastError());
        return false;
    }
    return MakeInputs(inputsFolder, inputs);
}

int Measure(const Options& options, Setup& setup, const std::vector<Input>& inputs, double begin) {
    Report report;
    for (int r = 0; r < options.startUpRuns; ++r) StartUpRound(setup, report);
    Progress(begin, "start-up measured");
    bool written = true;
    for (const Input& input : inputs) {
        if (!Listed(options.only, input.key)) continue;
        for (int r = 0; r < options.runs; ++r) {
            InputRound(setup, input, report);
            Progress(begin, input.key + ": round " + std::to_string(r + 1) + " of " + std::to_string(options.runs));
        }
        // After each input, so that an interrupted run still leaves its figures.
        written = WriteResults(options, report, inputs);
    }
    const std::string markdown = Tables(report, inputs, options.runs, options.startUpRuns);
    std::fputs(markdown.c_str(), stdout);
    std::fflush(stdout);
    written = WriteResults(options, report, inputs) && written;
    Progress(begin, "done");
    return written ? 0 : 1;
}

int Run(const Options& options) {
    const double begin = Now();
    Setup setup;
    std::vector<Input> inputs;
    if (!Prepare(options, setup, inputs)) return 1;
    Progress(begin, "inputs written");
    if (!options.explore.empty()) return Explore(inputs, options.explore, options.runs, true);
    if (!options.probe.empty()) return Explore(inputs, options.probe, options.runs, false);
    if (options.ops == "insert-append") {
        return RunInsertAppend(setup, inputs, options.only, options.runs, options.out, false);
    }
    FindRowsSetup find{setup.quilletExe, options.work + "\\inputs", options.out, options.runs, false};
    if (options.ops == "find") return RunFindReplaceRows(find, inputs);
    if (options.ops == "view") return RunViewRows(setup, inputs, options.only, options.runs, options.out, false);
    if (options.ops == "recovery") return RunRecoveryRows(setup, inputs, options.runs, options.out, false);
    const int measured = Measure(options, setup, inputs, begin);
    if (!options.ops.empty() || !options.only.empty() || !options.subjects.empty()) return measured;
    // A full run: its tables get the Insert and Append To, Find/Replace, view
    // and recovery rows too.
    find.append = true;
    const int inserted = RunInsertAppend(setup, inputs, "", options.runs, options.out, true);
    const int found = RunFindReplaceRows(find, inputs);
    const int viewed = RunViewRows(setup, inputs, "", options.runs, options.out, true);
    const int recovered = RunRecoveryRows(setup, inputs, options.runs, options.out, true);
    return inserted == 0 && found == 0 && viewed == 0 && recovered == 0 ? measured : 1;
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
    bench::Options options;
    // A child of the driver: view changes on the control alone.
    if (argc >= 2 && std::string(argv[1]) == "--view-child") return bench::RunViewChild(argc, argv);
    // A child of the driver: the control's limit in a process of its own.
    if (argc >= 5 && std::string(argv[1]) == "--limit-child") {
        if (!bench::ParseChildOptions(argc, argv, options)) return 2;
        return bench::RunLimitChild(options.limitChild, options.result, options.naive);
    }
    if (!bench::ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: quillet_bench.exe --work DIR --out DIR [--runs N] [--startup-runs N]\n"
                     "                         [--keys N] [--peer-timeout S] [--inputs KEY,KEY]\n"
                     "                         [--subjects quillet,limit,notepad,wordpad] [--quillet EXE]\n"
                     "                         [--explore KEY] [--probe KEY] [--ops insert-append|find|load|view|recovery]\n");
        return 2;
    }
    return bench::Run(options);
}
