#include "document/print_command.h"

namespace quillet {

std::string PrintProgramPath(std::string_view folder) {
    std::string path(folder);
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    return path + kPrintProgramName;
}

std::string PrintParameters(std::string_view path) { return "/p " + std::string(path); }

std::string PrintCommandLine(std::string_view programPath, std::string_view path) {
    return "\"" + std::string(programPath) + "\" " + PrintParameters(path);
}

}  // namespace quillet
