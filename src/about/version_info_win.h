// Reading chosen entries of a program file's version resource.
#pragma once

#include <string>

namespace quillet {

// The entries of path's version resource that mask chooses (the bits of
// about/version_text.h), one per line, each preceded by its key when
// withNames is set. Never fails: a missing or empty file, a file without a
// version resource, a missing Version.dll or function give the empty text;
// an entry the resource lacks is left out.
std::string VersionInfoText(const std::string& path, unsigned mask, bool withNames);

}  // namespace quillet
