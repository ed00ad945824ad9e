// Stands in for the shell while it lives: every link target that would be
// opened is recorded instead, so that no test ever starts a browser.
#pragma once

#include <string>
#include <vector>

#include "support/swapped_system_calls.h"

namespace quillet::test {

class RecordedLinks {
public:
    RecordedLinks() {
        Targets().clear();
        calls_->openInShell = Record;
    }
    RecordedLinks(const RecordedLinks&) = delete;
    RecordedLinks& operator=(const RecordedLinks&) = delete;

    static std::vector<std::string>& Targets() {
        static std::vector<std::string> targets;
        return targets;
    }

private:
    SwappedSystemCalls calls_;

    static bool Record(const std::string& target) {
        Targets().push_back(target);
        return true;
    }
};

}  // namespace quillet::test
