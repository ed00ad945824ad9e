// The system's ANSI code page, in which documents are stored, against the
// Unicode the editor control holds.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/piece_sink.h"

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
std::wstring FromCodePage(std::string_view text);

// UTF-16 text handed over in pieces that may end anywhere (between a
// character's two bytes, or between the halves of a surrogate pair),
// converted as a file is written ("?" for what the code page lacks) and
// handed to sink a slice at a time. Asks for no memory: it can write a text
// when nothing else can.
class CodePageWriter {
public:
    CodePageWriter(PieceSink sink, void* context) : sink_(sink), context_(context) {}
    // False when the sink stopped, or a slice would not convert.
    bool Feed(const char* bytes, std::size_t count);
    // Hands on whatever still waits; after the last piece.
    bool Finish() { return HandOn(true); }
    // Feed, for a stream that hands its pieces to a PieceSink.
    static bool FeedPiece(void* writer, const char* bytes, std::size_t count) {
        return static_cast<CodePageWriter*>(writer)->Feed(bytes, count);
    }

private:
    static constexpr std::size_t kSlice = 1024;  // characters, on the stack
    bool HandOn(bool last);

    PieceSink sink_;
    void* context_;
    std::size_t filled_ = 0;
    unsigned char pending_[kSlice * sizeof(wchar_t)] = {};
};

}  // namespace quillet
