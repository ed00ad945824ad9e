// Replace all worked out on the document's text in memory: the hits that the
// editor's own forward search (EM_FINDTEXT) finds, each replaced as the
// editor replaces a selection, one after another, every search starting
// where the per-hit loop would start it. Positions are the editor's
// character positions: the text is read as the control holds it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "editing/find_replace_rules.h"

namespace quillet {

// How the editor's search compares characters; the platform knows the
// control's own answers.
struct SearchRules {
    unsigned flags;                       // kSearchMatchCase, kSearchWholeWord
    wchar_t (*caseless)(wchar_t c);       // a character as it compares without "Match Case"
    bool (*isWordCharacter)(wchar_t c);   // a neighbour that keeps a hit from being a whole word
};

inline constexpr std::size_t kNoHit = std::wstring_view::npos;

// The first hit of find at or after from; before is the character just
// before from as the search sees it (for "Whole Words only"). kNoHit when
// there is none, also for an empty find or a from past the end.
std::size_t FindHit(std::wstring_view text, std::size_t from, wchar_t before, std::wstring_view find,
                    const SearchRules& rules);

struct ReplaceAllTexts {
    std::wstring find;      // as the editor compares it
    std::wstring inserted;  // what the editor inserts for the Replace text
    // How far past a replacement's start the next search starts: the
    // Replace text's length as the program counts it, which differs from
    // the inserted text's where the control changes the line breaks.
    std::size_t step;
    SearchRules rules;
};

struct ReplaceAllResult {
    bool replaced = false;  // at least one replacement, even one that reads the same
    std::wstring text;      // the whole text afterwards (empty when nothing was replaced)
    std::size_t head = 0;   // characters at the start that are as they were
    std::size_t tail = 0;   // characters at the end that are as they were, after head
    long caret = 0;         // just behind the last replacement, where the editor leaves it
};

ReplaceAllResult ReplaceAll(const std::wstring& text, const ReplaceAllStart& start, const ReplaceAllTexts& texts);

// Whether the editor can take the change as one replacement of the span
// that changed, within the time Replace all may take. Under Wine that edit,
// and its undo, cost in proportion to the lines of the span (before and
// after) times the lines of the document: about 50 ns a line-pair for the
// edit and 150 ns for its undo, measured between 0.1 and 2 MB. Beyond the
// budget the text goes into a fresh control instead.
inline constexpr std::size_t kInPlaceLineSteps = 1000000;
bool FitsInPlace(std::wstring_view before, const ReplaceAllResult& after, std::size_t lineSteps);

}  // namespace quillet
