// The main window's message handling and the program's event loop.
#pragma once

#include <windows.h>

#include <string>

#include "app/status_bar_win.h"
#include "ui/main_window_win.h"

namespace quillet {

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Every loop refreshes the status bar before it dispatches a message.
void InstallStatusBarRefresh();

// Handles one message taken from the queue as the loop does: refresh the
// status bar, then translate and dispatch.
void HandleQueuedMessage(MSG& message);

// Runs until the program should end.
void RunEventLoop();

}  // namespace quillet
