// Splitting the command line. The whole input is the command line. Checked
// against a model of the rule (blanks are spaces and tabs; an argument that
// begins with a double quote runs to the next one, without the quotes, and
// any other runs to the next blank) and its properties:
//   - no argument begins with a double quote (the opening one is dropped);
//   - an argument holding a blank came from quotes, so holds no quote;
//   - only a quoted argument can be empty;
//   - the arguments' text is never longer than the line;
//   - FirstArgument is the second token, or nothing when there is none.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "program/command_line.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string> ModelTokens(std::string_view line) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && IsBlank(line[i])) {
            ++i;
        }
        if (i == line.size()) {
            return tokens;
        }
        std::string token;
        if (line[i] == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                token.push_back(line[i]);
            }
            if (i < line.size()) {
                ++i;  // the closing quote
            }
        } else {
            for (; i < line.size() && !IsBlank(line[i]); ++i) {
                token.push_back(line[i]);
            }
        }
        tokens.push_back(std::move(token));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view line = fuzz::AsText(data, size);

    const std::vector<std::string> tokens = quillet::TokenizeCommandLine(line);
    FUZZ_CHECK(tokens == ModelTokens(line));

    std::size_t total = 0;
    for (const std::string& token : tokens) {
        total += token.size();
        FUZZ_CHECK(token.empty() || token.front() != '"');
        const bool hasBlank = token.find_first_of(" \t") != std::string::npos;
        FUZZ_CHECK(!hasBlank || token.find('"') == std::string::npos);
        FUZZ_CHECK(!token.empty() || line.find('"') != std::string_view::npos);
    }
    FUZZ_CHECK(total <= size);

    const std::optional<std::string> first = quillet::FirstArgument(line);
    FUZZ_CHECK(first.has_value() == (tokens.size() >= 2));
    if (first) {
        FUZZ_CHECK(*first == tokens[1]);
    }
    return 0;
}
