// The six texts the About window is built from, and the one string that
// carries them to it: joined by the backspace character.
#pragma once

#include <array>
#include <string>

namespace quillet {

inline constexpr char kAboutTextSeparator = '\b';

// Positions of the texts in the joined string, counting from 1.
enum class AboutText {
    Caption = 1,  // "About ", shown on the banner
    Title,        // the window title and the banner's large text
    BannerNote,   // the maker's web address, on the banner's right
    Body,         // credits, with the version block
    LinkText,     // the link's words; no link when empty
    LinkTarget,   // the address the link opens
};
inline constexpr std::size_t kAboutTextCount = 6;

inline constexpr char kMakerAddress[] = "quillet.example.org";

// The body: the product line, the version block (as it comes, lines joined
// by line feeds; an empty block leaves its empty line), the credit, the
// notice and the warning, joined by CR LF.
std::string AboutBody(const std::string& versionBlock);

// The six texts for this program with that version block, in order.
std::array<std::string, kAboutTextCount> AboutTexts(const std::string& versionBlock);

// Joins the texts; a separator inside a text is left out, so that each text
// comes back whole and in its place.
std::string JoinAboutTexts(const std::array<std::string, kAboutTextCount>& texts);

// Text n of a joined string: what stands between the (n-1)-th and the n-th
// separator, or the end of the string; empty when there is no such text.
std::string AboutTextOf(const std::string& joined, AboutText which);

}  // namespace quillet
