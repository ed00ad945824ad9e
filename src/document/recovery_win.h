// The recovery copy of the running Quillet: while the document is modified,
// a copy of its text (in Unicode), its path and the time is kept in the
// folder Quillet_Recovery beside the program, so that a crash, a killed
// process or a power cut loses nothing. It is written 2 s after the last
// change, at most 30 s after the first change it lacks, and when Windows asks
// whether the session may end; it is deleted once the document is no longer
// modified and at a normal end. A folder that cannot be written turns it off
// for the run, silently.
//
// The text is taken out of the editor on the GUI thread; the file is written
// on a thread of its own (document/recovery_writer_win.h).
#pragma once

#include <string>

#include "program/command_context_win.h"

namespace quillet {

// Starts this Quillet's copy (its id, the mutex that says it runs, the
// writing thread), ending any earlier one. Nothing is written before the
// document is modified; the folder is made then. False when recovery is off.
bool StartRecovery(const CommandContext& context);

// Ends the copy's thread and lets its mutex go, keeping any copy on disk (the
// main window goes away without a normal end).
void StopRecovery();

// A normal end: the copy is deleted (after any write in flight), then as
// StopRecovery.
void EndRecovery();

// After each command, drop or close request: a document no longer modified
// has no copy (once any write in flight is done); one modified without the
// editor saying so gets one.
void WatchRecovery(const CommandContext& context);

// Writes the copy at once if it lacks anything, and returns once it is on
// disk (the session may end the program any moment after).
void WriteRecoveryCopyNow(const CommandContext& context);

// For the offer at start-up: the folder, this Quillet's id ("" when recovery
// is off), and taking over another's copy as this Quillet's own (the text it
// holds is now the document). False when it stays where it was; it is then
// deleted with this Quillet's own copy.
const std::string& RecoveryFolder();
const std::string& RecoveryId();
bool AdoptRecoveryCopy(const std::string& path);

}  // namespace quillet
