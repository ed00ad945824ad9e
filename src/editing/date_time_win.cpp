#include "editing/date_time_win.h"

#include "editing/date_text.h"
#include "platform/editor_text_win.h"

namespace quillet {
namespace {

void TypeOverSelection(const CommandContext& context, const std::string& text) {
    ::SetFocus(context.editor);
    // No text is no edit: the selection is not erased for nothing.
    if (!text.empty()) ReplaceSelection(context.editor, text);
}

}  // namespace

std::string DateText(const SYSTEMTIME& date) {
    return FormatDate(kDateFormat, {date.wYear, date.wMonth, date.wDay});
}

std::string TimeText(LCID locale, const char* format, const SYSTEMTIME& time) {
    // Asked for the size first: a locale's format may need more room than a
    // fixed buffer would give, and the text is wanted whole.
    const int size = ::GetTimeFormatA(locale, 0, &time, format, nullptr, 0);
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    const int written = ::GetTimeFormatA(locale, 0, &time, format, text.data(), size);
    if (written <= 0) return {};
    text.resize(static_cast<std::size_t>(written) - 1);  // less the terminating zero
    return text;
}

void OnInsertDate(const CommandContext& context) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    TypeOverSelection(context, DateText(now));
}

void OnInsertTime(const CommandContext& context) {
    // One reading of the clock for both calls, so that the size asked for
    // is the size of the text rendered.
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    TypeOverSelection(context, TimeText(LOCALE_USER_DEFAULT, nullptr, now));
}

}  // namespace quillet
