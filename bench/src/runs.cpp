#include "runs.h"

#include <windows.h>

#include <cstdio>

#include "clock.h"
#include "limit_child.h"
#include "quillet_session.h"

namespace bench {
namespace {

constexpr int kLettersPerLine = 50;   // an Enter, then 49 letters
constexpr int kOverflowLetters = 150;  // W is wide: 150 of them are wider than the editor

void AddMemory(Report& report, const std::string& input, const std::string& who, const Memory& memory) {
    if (!memory.known) {
        report.Note("no memory figures for " + who + " on " + input);
        return;
    }
    report.Add("memory", input, who + "-peak-ws", "MB", memory.peakWorkingSetMB);
    report.Add("memory", input, who + "-pagefile", "MB", memory.peakPagefileMB);
}

void CheckLineCount(Report& report, const Input& input, const std::string& status) {
    const std::string expected = " of " + std::to_string(input.lines) + " lines";
    if (status.size() < expected.size() ||
        status.compare(status.size() - expected.size(), expected.size(), expected) != 0) {
        report.Note("Quillet's status bar after opening " + input.key + " says \"" + status +
                    "\", expected" + expected);
    }
}

void CheckSavedBytes(Report& report, const Input& input) {
    std::string saved;
    if (!ReadWholeFile(input.path, saved) || saved != input.bytes) {
        report.Note("the file Quillet saved for " + input.key + " differs from the input");
        WriteWholeFile(input.path, input.bytes, false);  // the next round needs the input again
    }
}

void SaveAgainstWriteFile(const Setup& setup, const Input& input, QuilletSession& quillet, Report& report) {
    const double saved = quillet.Save(input.path, input.bytes.size());
    if (saved < 0) {
        report.Note("Quillet's save of " + input.key + " did not complete");
        WriteWholeFile(input.path, input.bytes, false);
    } else {
        report.Add("save", input.key, "quillet", "s", saved);
        CheckSavedBytes(report, input);
    }
    const std::string copy = setup.work + "\\written-" + input.key + ".txt";
    const double start = Now();
    if (WriteWholeFile(copy, input.bytes, true)) {
        report.Add("save", input.key, "writefile", "s", Now() - start);
    } else {
        report.Note("one WriteFile of " + input.key + " failed (error " + std::to_string(::GetLastError()) + ")");
    }
    ::DeleteFileA(copy.c_str());
}

// Lines of typed letters, each begun with Enter, short enough to stay
// inside the editor's width.
std::vector<WORD> TypingKeys(int count) {
    std::vector<WORD> keys;
    for (int i = 0; i < count; ++i) {
        keys.push_back(i % kLettersPerLine == 0 ? VK_RETURN : static_cast<WORD>('A' + i % 26));
    }
    return keys;
}

// Letters only, on the line left by TypingKeys: the line grows wider than
// the editor and its horizontal scroll bar appears.
std::vector<WORD> OverflowKeys() { return std::vector<WORD>(kOverflowLetters, 'W'); }

// False when a key did not show in time (the program is still busy).
bool TypeIntoQuillet(Setup& setup, const Input& input, QuilletSession& quillet, Report& report) {
    if (setup.gaveUp.count("typing/" + input.key)) return true;
    const QuilletSession::Typing typing =
        quillet.TypeAtEnd(TypingKeys(setup.typedKeys), setup.typingBudget, setup.keyTimeout);
    for (double seconds : typing.perKey) report.Add("typing", input.key, "quillet", "ms", seconds * 1000);
    if (typing.timedOut) report.Add("timeout", input.key, "typing", "ms", setup.keyTimeout * 1000);
    if (typing.perKey.size() < static_cast<std::size_t>(setup.typedKeys)) {
        // Typing this slowly tells all there is to know in one round.
        setup.gaveUp.insert("typing/" + input.key);
        report.Note("typing into " + input.key + " stopped after " + std::to_string(typing.perKey.size()) +
                    " keys" + (typing.timedOut ? " (one key took longer than " + Format(setup.keyTimeout, 0) + " s)"
                                               : " (its " + Format(setup.typingBudget, 0) + " s ran out)") +
                    "; not typed into again");
    }
    if (typing.timedOut) return false;
    // The line growing past the editor's width: once per input is enough.
    if (setup.gaveUp.count("overflow/" + input.key)) return true;
    setup.gaveUp.insert("overflow/" + input.key);
    const QuilletSession::Typing overflow = quillet.TypeAtEnd(OverflowKeys(), setup.keyTimeout, setup.keyTimeout);
    if (overflow.timedOut) {
        report.Add("timeout", input.key, "overflow", "ms", setup.keyTimeout * 1000);
        return false;
    }
    if (!overflow.perKey.empty()) report.Add("overflow", input.key, "quillet", "ms", Largest(overflow.perKey) * 1000);
    return true;
}

void QuilletRound(Setup& setup, const Input& input, Report& report) {
    QuilletSession quillet(setup.quilletExe);
    const QuilletSession::OpenTimes opened = quillet.Open(input.path);
    if (opened.ready < 0) {
        report.Note("Quillet did not open " + input.key);
        quillet.Exit();
        return;
    }
    report.Add("open", input.key, "quillet", "s", opened.ready);
    report.Add("open", input.key, "quillet-shown", "s", opened.shown);
    report.Add("open", input.key, "quillet-titled", "s", opened.titled);
    AddMemory(report, input.key, "quillet", quillet.QueryMemory());
    CheckLineCount(report, input, quillet.StatusText());
    SaveAgainstWriteFile(setup, input, quillet, report);
    if (!TypeIntoQuillet(setup, input, quillet, report)) {
        quillet.Kill();  // still busy with a key: Exit would only wait
        return;
    }
    const double cleared = quillet.New(setup.keyTimeout);
    if (cleared < 0) {
        report.Note("Quillet's New on " + input.key + " did not finish within " + Format(setup.keyTimeout, 0) + " s");
        quillet.Kill();
    } else {
        report.Add("new", input.key, "quillet", "s", cleared);
        if (!quillet.Exit()) report.Note("Quillet did not end after Exit on " + input.key);
    }
}

void PeerRounds(Setup& setup, const Input& input, Report& report) {
    for (const Peer& peer : setup.peers) {
        const std::string pair = peer.name + "/" + input.key;
        if (setup.gaveUp.count(pair)) continue;
        const PeerOpen open = OpenInPeer(peer, input.path, input.key, setup.work, setup.peerTimeout);
        if (open.seconds < 0) {
            report.Note("Wine's " + peer.name + " did not show " + input.key + " within " +
                        Format(setup.peerTimeout, 0) + " s; not tried again");
            report.Add("timeout", input.key, peer.name, "s", setup.peerTimeout);
            setup.gaveUp.insert(pair);
            continue;
        }
        report.Add("open", input.key, peer.name, "s", open.seconds);
        AddMemory(report, input.key, peer.name, open.memory);
    }
}

void ControlRounds(const Setup& setup, const Input& input, Report& report) {
    const std::string resultPath = setup.work + "\\limit-result.txt";
    const ChildResult limit = MeasureInChild(input.path, resultPath, false, setup.limitTimeout);
    if (!limit.ok) {
        report.Note("the control alone did not load " + input.key);
    } else {
        report.Add("open", input.key, "limit", "s", limit.seconds);
        report.Add("memory", input.key, "limit-peak-ws", "MB", limit.peakWorkingSetMB);
        if (limit.lines < input.lines) report.Note("the control alone shows too few lines of " + input.key);
    }
    if (input.key != kNaiveInputKey) return;
    const ChildResult naive = MeasureInChild(input.path, resultPath, true, setup.limitTimeout);
    if (naive.ok) report.Add("naive", input.key, "replacesel", "s", naive.seconds);
}

}  // namespace

void StartUpRound(Setup& setup, Report& report) {
    QuilletSession quillet(setup.quilletExe);
    const double opened = quillet.Open("").ready;
    if (opened < 0) {
        report.Note("Quillet did not start");
    } else {
        report.Add("startup", "none", "quillet", "s", opened);
        AddMemory(report, "none", "quillet", quillet.QueryMemory());
    }
    quillet.Exit();
    for (const Peer& peer : setup.peers) {
        const PeerOpen open = OpenInPeer(peer, "", "", setup.work, setup.peerTimeout);
        if (open.seconds < 0) {
            report.Note("Wine's " + peer.name + " did not start");
            continue;
        }
        report.Add("startup", "none", peer.name, "s", open.seconds);
        AddMemory(report, "none", peer.name, open.memory);
    }
}

void InputRound(Setup& setup, const Input& input, Report& report) {
    if (setup.quillet) QuilletRound(setup, input, report);
    PeerRounds(setup, input, report);
    if (setup.limit) ControlRounds(setup, input, report);
}

}  // namespace bench
