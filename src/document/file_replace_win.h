// Replacing a file's contents so that the user's name always holds either
// the old file or the complete new one.
#pragma once

#include <windows.h>

#include <string>

#include "document/file_io_win.h"

namespace quillet {

struct ReplaceOutcome {
    bool written = false;
    DWORD error = ERROR_SUCCESS;  // why not, when not written
    // Not written, and the file under the user's name may have lost its old
    // bytes (cut short, part rewritten, or gone).
    bool fileChanged = false;
    // Files of ours that could not be cleared away, each named to the user:
    // a complete copy of the new bytes, and the file as it was before.
    std::string newBytesCopy;
    std::string oldFileCopy;
};

// A verified rewrite in place that did not read back as written.
inline constexpr DWORD kReadBackDiffers = ERROR_FILE_CORRUPT;

// Replaces the file's contents with the bytes of source, or creates it. A
// read-only file is refused (kept as it is, ERROR_FILE_READ_ONLY), and so is
// one we may not write. The bytes go to a new file in the same folder,
// flushed, which then takes the file's place. Where that replace is refused
// while the file stays in place (another program holds it open without
// delete sharing), the file is rewritten in place, checked and read back,
// and the complete copy is kept until then. The same rewrite serves a file
// reached through a link or known by more than one name, so that every name
// keeps sharing the text. Where the folder takes no temporary file, a new
// file is written directly and an existing one is rewritten in place with the
// complete copy in the system's temporary folder.
ReplaceOutcome ReplaceFileContents(const std::string& path, const ContentSource& source);

}  // namespace quillet
