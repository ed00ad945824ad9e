// The About window and the About command.
#pragma once

#include <windows.h>

#include <string>

#include "about/version_text.h"
#include "program/command_context_win.h"

namespace quillet {

inline constexpr char kAboutWindowClass[] = "QuilletAboutWindow";

// The entries of the program's version resource that the About window shows.
inline constexpr unsigned kAboutVersionEntries =
    version_entry::kFileVersion | version_entry::kFileDescription | version_entry::kProductName |
    version_entry::kCompanyName;

// Shows the About window for the six texts joined as about_texts.h joins
// them, and returns once it is closed by its OK button, its close box or its
// link (which is opened first). mainWindow is disabled meanwhile, and
// enabled and activated afterwards.
void RunAboutWindow(HWND mainWindow, const std::string& joinedTexts);

// The About command: the window for this program's own version resource.
void OnAbout(const CommandContext& context);

}  // namespace quillet
