#include "program/command_line.h"

namespace quillet {

namespace {

// Tabs separate arguments as blanks do, as they do for every other Windows
// program's command line.
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> TokenizeCommandLine(std::string_view commandLine) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    while (true) {
        while (i < n && IsBlank(commandLine[i])) {
            ++i;
        }
        if (i >= n) {
            break;
        }
        std::size_t start = i;
        std::size_t stop;
        if (commandLine[i] == '"') {
            // A quoted argument ends at the next quote, which is consumed;
            // an unterminated one runs to the end of the line.
            start = i + 1;
            stop = commandLine.find('"', start);
            if (stop == std::string_view::npos) {
                stop = n;
            }
            i = stop < n ? stop + 1 : n;
        } else {
            stop = start;
            while (stop < n && !IsBlank(commandLine[stop])) {
                ++stop;
            }
            i = stop;
        }
        tokens.emplace_back(commandLine.substr(start, stop - start));
    }
    return tokens;
}

std::optional<std::string> FirstArgument(std::string_view commandLine) {
    std::vector<std::string> tokens = TokenizeCommandLine(commandLine);
    if (tokens.size() < 2) {
        return std::nullopt;
    }
    return std::move(tokens[1]);
}

}  // namespace quillet
