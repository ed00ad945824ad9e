// Start-up: everything from process initialisation to the first turn of the
// event loop.
#pragma once

#include <string>

namespace quillet {

// Builds and shows the main window for the given settings file and loads the
// file the command line names. False (after telling the user) when the main
// window could not be made.
bool StartUp(const std::string& settingsPath, const std::string& commandLine);

// The whole program; returns the process exit code.
int RunQuillet();

}  // namespace quillet
