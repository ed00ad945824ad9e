// Whether two paths name the same file.
#pragma once

#include <string>

namespace quillet {

// Two paths name the same file when both can be opened and give the same
// volume serial number and file index, however each is written (letter
// case, short names, "..", links). When either cannot be opened (not yet
// created, deleted), their full paths are compared without regard to case.
bool NameSameFile(const std::string& a, const std::string& b);

// The path made absolute against the current folder; the path itself when
// the system cannot do that.
std::string FullPathOf(const std::string& path);

}  // namespace quillet
