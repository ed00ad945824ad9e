// One round of measurements: every subject once, so that repeated rounds
// spread the machine's changing load over all of them alike.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "inputs.h"
#include "peers.h"
#include "report.h"

namespace bench {

struct Setup {
    std::string quilletExe;  // the scratch copy of quillet.exe
    std::string work;        // scratch folder for written files
    std::vector<Peer> peers;
    int typedKeys = 200;
    double peerTimeout = 45;   // a peer slower than this is given up on that input
    double keyTimeout = 30;    // one key slower than this ends the typing
    double typingBudget = 30;  // seconds of typing per round at most
    double limitTimeout = 300;  // the control alone, in a process of its own
    std::set<std::string> gaveUp;  // "peer/input" and "typing/input": not tried again
    bool quillet = true;           // measure Quillet itself
    bool limit = true;             // measure the control alone (and the naive way)
};

// Start-up with no file: Quillet and the peers (notepad only: the target is
// about it, but all present peers are measured).
void StartUpRound(Setup& setup, Report& report);

// Open, memory, save and typing in Quillet; open and memory in each peer;
// the control's limit; and the line-by-line reference for its input.
void InputRound(Setup& setup, const Input& input, Report& report);

}  // namespace bench
