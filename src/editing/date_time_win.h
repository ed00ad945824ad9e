// Insert Date and Insert Time: the current local date or time typed over
// the editor's selection, as one step that Undo takes back.
#pragma once

#include <windows.h>

#include <string>

#include "program/command_context_win.h"

namespace quillet {

void OnInsertDate(const CommandContext& context);
void OnInsertTime(const CommandContext& context);

// The date as Insert Date types it: day, month, year (01,03,2027).
std::string DateText(const SYSTEMTIME& date);

// The time as GetTimeFormatA renders it for the locale in the format
// (nullptr: the locale's own), complete whatever its length; "" when the
// system cannot render it.
std::string TimeText(LCID locale, const char* format, const SYSTEMTIME& time);

}  // namespace quillet
