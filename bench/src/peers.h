// Wine's own editors, opening the same files the same way, for comparison.
#pragma once

#include <string>
#include <vector>

#include "program.h"

namespace bench {

struct Peer {
    std::string name;         // notepad, wordpad
    std::string application;  // full path of its exe
};

// The peers present in this Wine prefix.
std::vector<Peer> FindPeers();

struct PeerOpen {
    double seconds = -1;  // negative: it did not get there
    Memory memory;
};

// Starts peer with file (none when empty) and waits until a window of it
// shows titleWord in its title and answers; then measures its memory and
// ends it.
PeerOpen OpenInPeer(const Peer& peer, const std::string& file, const std::string& titleWord,
                    const std::string& folder, double timeoutSeconds);

}  // namespace bench
