// The one guard every command runs inside: running out of memory anywhere in
// a command ends that command, not the program. Each command keeps the
// document, the editor and the files as they were until it can finish
// without asking for more memory; the guard tells the user.
#pragma once

#include <new>

namespace quillet {

inline constexpr char kOutOfMemoryText[] = "Not enough memory to complete this command.";

// Shows kOutOfMemoryText (caption "Quillet"), also when there is no memory
// left even for the message's own strings.
void ReportOutOfMemory();

template <typename Command>
void RunGuarded(Command&& command) {
    try {
        command();
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
    }
}

}  // namespace quillet
