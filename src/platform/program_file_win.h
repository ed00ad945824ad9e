// The full path of the program's own file.
#pragma once

#include <string>

namespace quillet {

// The whole path however long it is; "" when the system cannot give it.
std::string ProgramFilePath();

}  // namespace quillet
