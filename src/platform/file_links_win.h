// Files known by more than one name: hard links, and symbolic links (or
// other reparse points) that lead to a file elsewhere.
#pragma once

#include <string>

namespace quillet {

// Whether the existing file at path is reached through a link, or has more
// than one name. Such a file must be rewritten where it lies: a new file
// moved into the name would part it from the file's other names, or put a
// plain file where the link was. True also when the system cannot tell.
//
// A hard link shows in the file's count of names. A symbolic link shows as a
// reparse point, or, where the system reports none (Wine shows a link made on
// the Unix side as a plain file), as a final path (the path the system
// reached the file by, links followed) other than the folder's own final
// path followed by the name: so a file in a linked folder is no link itself.
bool IsLinkedFile(const std::string& path);

}  // namespace quillet
