// The program's event loop on the main window.
#pragma once

#include <windows.h>

namespace quillet {

// Every loop refreshes the status bar before it dispatches a message.
void InstallStatusBarRefresh();

// Runs until the program should end.
void RunEventLoop();

}  // namespace quillet
