// What every command handler is given: the main window, the editor that holds
// the document, and the settings file.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

struct CommandContext {
    HWND mainWindow;
    // The main window's own record of its editor: a command that replaces the
    // document puts a fresh editor control in the old one's place and here.
    HWND& editor;
    const std::string& settingsPath;
};

using CommandHandler = void (*)(const CommandContext&);

}  // namespace quillet
