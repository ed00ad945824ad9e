// The system's ANSI code page, in which documents are stored, against the
// Unicode the editor control holds.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillet {

// Whether UTF-16 text, fed in pieces, can be stored in the ANSI code page
// exactly: no character left out as "?" and none replaced by a look-alike
// (a best-fit "o" for "o" with a double acute changes the text as surely as
// a "?"). A surrogate pair split between two pieces is judged whole.
class CodePageFit {
public:
    void Feed(const wchar_t* text, std::size_t count);
    // The verdict once every piece is in.
    bool Fits() const { return fits_ && !pendingHigh_; }

private:
    bool fits_ = true;
    wchar_t pendingHigh_ = 0;
};

bool FitsCodePage(std::wstring_view text);

// The text converted. A character the code page lacks becomes the system's
// best-fit look-alike where it has one ("o" for "o" with a double acute), as
// the clipboard's ANSI text is made, or "?" always with noBestFit, as a file
// is written. And back.
std::string ToCodePage(std::wstring_view text, bool noBestFit = false);
// The same for one piece, into out (room bytes), asking for no memory: the
// bytes written, 0 when out has too little room. The piece must not end
// between the two halves of a surrogate pair.
std::size_t ToCodePage(const wchar_t* text, std::size_t count, char* out, std::size_t room, bool noBestFit);
std::wstring FromCodePage(std::string_view text);

}  // namespace quillet
