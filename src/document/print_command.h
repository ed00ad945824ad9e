// How Print hands the document's file to the system's text editor.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

inline constexpr char kPrintProgramName[] = "notepad.exe";

// The system editor's full path in folder (a folder with or without its
// final backslash).
std::string PrintProgramPath(std::string_view folder);

// The editor's parameters: its print switch, then the path as it stands,
// unquoted even when it holds blanks (the editor takes the rest of its
// command line as the file's name).
std::string PrintParameters(std::string_view path);

// The whole command line: the program's path in double quotes, one blank,
// then the parameters.
std::string PrintCommandLine(std::string_view programPath, std::string_view path);

}  // namespace quillet
