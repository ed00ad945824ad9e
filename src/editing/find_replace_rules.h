// The Find/Replace rules apart from any window: what opening does with the
// editor's selection, the search flags, the not-found texts, and the three
// buttons' steps (where each search starts, when a selection is replaced,
// the not-found question and what each answer does).
#pragma once

#include <string>

namespace quillet {

inline constexpr char kFindReplaceCaption[] = "Find/Replace";

// --- Opening. A selection of up to this many characters fills the Find field.
inline constexpr long kLongestFindSelection = 127;

enum class Opening {
    FocusFind,          // nothing selected: the focus goes to the empty Find field
    FillFind,           // the selection becomes the Find text; focus in Replace
    LeaveAsIs,          // too long a selection: nothing filled, nothing focused
};
Opening OpeningFor(long selectionStart, long selectionEnd);

// --- The flags of every search, as EM_FINDTEXT takes them.
inline constexpr unsigned kSearchDown = 1;       // FR_DOWN
inline constexpr unsigned kSearchWholeWord = 2;  // FR_WHOLEWORD
inline constexpr unsigned kSearchMatchCase = 4;  // FR_MATCHCASE
unsigned SearchFlags(bool matchCase, bool wholeWords);

// --- The two not-found messages for a Find text.
std::string NotFoundQuestion(const std::string& findText);
std::string NotFoundNotice(const std::string& findText);

// --- The steps of the three action buttons, over the editor and the window
// as they see them. Positions are the editor's character positions.
struct TextSpan {
    long start;
    long end;
};

enum class Answer { Yes, No, Cancel, Ok };

// Where Replace all begins: the selection, replaced first when it is the
// Find text, and the position of the first search, in the text as it is
// after that replacement.
struct ReplaceAllStart {
    TextSpan selection;
    bool replacesSelection;
    long from;
};

class FindReplaceTarget {
public:
    virtual ~FindReplaceTarget() = default;

    virtual TextSpan Selection() = 0;
    // The first hit of the Find text at or after from, or -1.
    virtual long Find(long from) = 0;
    virtual void Select(long start, long end) = 0;
    // Whether the selected text is the Find text (case as "Match Case" says).
    virtual bool SelectionIsFindText() = 0;
    // Puts the Replace text over the selection, as one undoable step.
    virtual void ReplaceSelection() = 0;
    // Reads "Search From Top" and clears it: it acts once.
    virtual bool TakeSearchFromTop() = 0;
    // The not-found question (Yes, No, Cancel) and notice (Ok, Cancel).
    virtual Answer AskSearchFromTop() = 0;
    virtual Answer TellNotFound() = 0;
    virtual void FocusEditor() = 0;
    // Replace all from start: the selection when it is to be replaced, then
    // every hit from start.from on, each search starting just behind the text
    // that the one before it inserted. One undoable step in all.
    virtual void ReplaceEveryHit(const ReplaceAllStart& start) = 0;
};

// Lengths in editor characters; the Find text is never empty.
struct SearchTexts {
    long findLength;
    long replaceLength;
};

enum class Button { FindNext, Replace, ReplaceAll };

// What the press leaves: the window stays open, or the user chose to close
// it (Cancel in the question or the notice).
enum class AfterPress { StayOpen, Close };

AfterPress Press(FindReplaceTarget& target, Button button, const SearchTexts& texts);

}  // namespace quillet
