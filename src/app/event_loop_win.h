// The program's event loop on the main window.
#pragma once

#include <windows.h>

namespace quillet {

// Every loop refreshes the status bar before it dispatches a message.
void InstallStatusBarRefresh();

// Handles one message taken from the queue as the loop does: refresh the
// status bar, then translate and dispatch.
void HandleQueuedMessage(MSG& message);

// Runs until the program should end.
void RunEventLoop();

}  // namespace quillet
