// Which link texts the program hands to the system, and how much of a link
// it reads from the editor.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// The most characters of a link that are read; the buffer for them holds one
// more, for the terminating zero.
inline constexpr long kMaxLinkLength = 511;

struct LinkRange {
    long start;
    long end;
};

// The part of a link's character range that is read: at most kMaxLinkLength
// characters from its start. An end of -1 (to the end of the text) counts as
// too long; a range that is inverted or starts before the text is empty.
LinkRange ClampLinkRange(long start, long end);

// Whether a link text may be opened: web and mail addresses only, those
// beginning with http:, https:, ftp:, mailto: or www. in any case. Anything
// else (a file: address, a path to a program) could start a program.
bool IsOpenableLink(std::string_view text);

// What the shell is given for an openable link: the text itself, with
// "http://" put before a bare www. address, so that the shell takes it for a
// web address and never for a file of that name (www.example.com is also a
// valid program name).
std::string ShellTargetForLink(std::string_view text);

}  // namespace quillet
