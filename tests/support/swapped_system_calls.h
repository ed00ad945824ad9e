// Replaces the program's system calls for as long as it lives, and puts the
// record that was in use back afterwards, whatever the test changed in it.
#pragma once

#include "platform/system_calls_win.h"

namespace quillet::test {

class SwappedSystemCalls {
public:
    SwappedSystemCalls() : saved_(SystemCallsInUse()) {}
    ~SwappedSystemCalls() { SystemCallsInUse() = saved_; }
    SwappedSystemCalls(const SwappedSystemCalls&) = delete;
    SwappedSystemCalls& operator=(const SwappedSystemCalls&) = delete;

    SystemCalls* operator->() { return &SystemCallsInUse(); }
    // The record that was in use before.
    const SystemCalls& Saved() const { return saved_; }

private:
    SystemCalls saved_;
};

}  // namespace quillet::test
