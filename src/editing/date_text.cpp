#include "editing/date_text.h"

namespace quillet {
namespace {

std::string TwoDigits(int value) {
    std::string digits = std::to_string(value);
    return digits.size() < 2 ? "0" + digits : digits;
}

}  // namespace

std::string FormatDate(std::string_view format, const CalendarDate& date) {
    struct Token {
        std::string_view text;
        std::string value;
    };
    const Token tokens[] = {
        {"%dd", TwoDigits(date.day)},
        {"%mm", TwoDigits(date.month)},
        {"%yyyy", std::to_string(date.year)},
    };
    std::string out;
    std::size_t at = 0;
    while (at < format.size()) {
        const Token* match = nullptr;
        for (const Token& token : tokens) {
            if (format.compare(at, token.text.size(), token.text) == 0) match = &token;
        }
        if (match) {
            out += match->value;
            at += match->text.size();
        } else {
            out += format[at++];
        }
    }
    return out;
}

}  // namespace quillet
