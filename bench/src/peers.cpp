#include "peers.h"

#include <cstdio>

namespace bench {
namespace {

bool Exists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Expand(const char* text) {
    char expanded[MAX_PATH * 2] = {};
    const DWORD length = ::ExpandEnvironmentStringsA(text, expanded, sizeof expanded);
    return length && length <= sizeof expanded ? std::string(expanded) : std::string();
}

}  // namespace

std::vector<Peer> FindPeers() {
    std::vector<Peer> peers;
    char system[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryA(system, sizeof system);
    if (length && length < sizeof system) {
        const std::string notepad = std::string(system) + "\\notepad.exe";
        if (Exists(notepad)) peers.push_back({"notepad", notepad});
    }
    const std::string wordpad = Expand("%ProgramFiles%\\Windows NT\\Accessories\\wordpad.exe");
    if (!wordpad.empty() && Exists(wordpad)) peers.push_back({"wordpad", wordpad});
    for (const char* name : {"notepad", "wordpad"}) {
        bool found = false;
        for (const Peer& peer : peers) found = found || peer.name == name;
        if (!found) std::fprintf(stderr, "bench: Wine's %s was not found; its figures stay empty\n", name);
    }
    return peers;
}

PeerOpen OpenInPeer(const Peer& peer, const std::string& file, const std::string& titleWord,
                    const std::string& folder, double timeoutSeconds) {
    PeerOpen result;
    Program program;
    std::string commandLine = "\"" + peer.application + "\"";
    if (!file.empty()) commandLine += " \"" + file + "\"";
    if (!program.Start(peer.application, commandLine, folder)) return result;
    WindowMatch match;
    match.titleContains = titleWord;
    result.seconds = program.WaitUntilReady(match, timeoutSeconds);
    result.memory = program.QueryMemory();
    // Nothing of the peer's state matters to us: end it at once.
    program.WaitForEnd(0);
    return result;
}

}  // namespace bench
