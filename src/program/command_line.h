// Splitting the program's command line into arguments.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// Arguments are separated by blanks. One that begins with a double quote runs
// to the next double quote (or the end), without the quotes; any other runs
// to the next blank. The first token is the program itself and is included.
std::vector<std::string> TokenizeCommandLine(std::string_view commandLine);

// The first argument after the program name, if there is one.
std::optional<std::string> FirstArgument(std::string_view commandLine);

}  // namespace quillet
