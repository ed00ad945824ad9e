// The recovery copy's file: what Quillet keeps of a modified document so that
// a crash, a killed process or a power cut loses nothing typed since the last
// save. Portable.
//
// The file is UTF-16 (little-endian, with its byte-order mark), so that any
// text editor shows it: a few header lines, an empty line, then the text as
// the editor streams it out (lines joined by CR LF), unchanged:
//
//   Quillet recovery copy 1
//   Path 21: C:\letters\draft.txt     (or: Untitled)
//   Time 134092476000000000           (a FILETIME: 100 ns units since 1601, UTC)
//   Mark none                         (the editor's empty-first-line mark: none, pending, done)
//   Text 5120 8c3a0f11                (the text's UTF-16 units and their FNV-1a checksum)
//
// The path's length comes first, so that any path reads back exactly. A file
// that is cut short, has anything after the text, or fails the checksum does
// not read as a copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/line_mark.h"

namespace quillet {

struct RecoveryCopy {
    bool untitled = true;
    std::u16string path;     // the document's path; empty when untitled
    std::uint64_t time = 0;  // when the text was taken from the editor (FILETIME, UTC)
    LineMark mark = LineMark::None;
    std::string text;  // UTF-16LE bytes, lines joined by CR LF
};

// The copy's file bytes. A text of an odd number of bytes loses its last byte
// (the editor never streams one).
std::string EncodeRecoveryCopy(const RecoveryCopy& copy);

// The copy the bytes hold, or nothing when they are not one whole copy.
std::optional<RecoveryCopy> DecodeRecoveryCopy(std::string_view bytes);

// The characters of UTF-16LE text as the editor counts them for the user:
// a CR LF pair is one, and so is a surrogate pair.
std::uint64_t CountCharacters(std::string_view utf16Bytes);

}  // namespace quillet
