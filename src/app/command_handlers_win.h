// Dispatch of menu and button events to the command handlers.
#pragma once

#include <windows.h>

#include <string>

#include "app/commands.h"

namespace quillet {

// What every handler is given.
struct CommandContext {
    HWND mainWindow;
    HWND editor;
    const std::string& settingsPath;
};

using CommandHandler = void (*)(const CommandContext&);

CommandHandler HandlerFor(Action action);

// Run the command of a menu event or a button event, then the focus step.
// Identifiers that are in neither table do nothing.
void DispatchMenuEvent(const CommandContext& context, int id);
void DispatchButtonEvent(const CommandContext& context, int id);

}  // namespace quillet
