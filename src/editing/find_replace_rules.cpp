#include "editing/find_replace_rules.h"

namespace quillet {
namespace {

// Selects the first hit at or after from; a ticked "Search From Top" makes
// this one search start at the top instead. False when there is no hit.
bool FindAndSelect(FindReplaceTarget& target, long from, long findLength) {
    if (target.TakeSearchFromTop()) from = 0;
    const long hit = target.Find(from);
    if (hit < 0) return false;
    target.Select(hit, hit + findLength);
    return true;
}

// Replaces the selection when it is the Find text and returns where the
// next search starts: just behind the inserted text, or at the start of a
// selection left alone (so that a hit inside it is still found), or at the
// caret.
long ReplaceSelected(FindReplaceTarget& target, const SearchTexts& texts) {
    const TextSpan selection = target.Selection();
    if (selection.start == selection.end) return selection.end;
    if (!target.SelectionIsFindText()) return selection.start;
    target.ReplaceSelection();
    return selection.start + texts.replaceLength;
}

// Where Replace all begins follows the Replace button's first step: a
// selection that is the Find text is replaced and the search goes on behind
// it, a selection that is not is searched from its start, and a ticked
// "Search From Top" makes the first search start at the top.
void ReplaceEveryHit(FindReplaceTarget& target, const SearchTexts& texts) {
    const TextSpan selection = target.Selection();
    ReplaceAllStart start{selection, false, selection.end};
    if (selection.start != selection.end) {
        start.replacesSelection = target.SelectionIsFindText();
        start.from = start.replacesSelection ? selection.start + texts.replaceLength : selection.start;
    }
    if (target.TakeSearchFromTop()) start.from = 0;
    target.ReplaceEveryHit(start);
}

// The question after a search that found nothing; Yes searches once more
// from the top, and never replaces anything.
AfterPress NotFound(FindReplaceTarget& target, Button button, long findLength) {
    switch (target.AskSearchFromTop()) {
    case Answer::Yes:
        break;
    case Answer::Cancel:
        return AfterPress::Close;
    default:
        return AfterPress::StayOpen;
    }
    target.Select(0, 0);
    const long hit = target.Find(0);
    if (hit >= 0) {
        target.Select(hit, hit + findLength);
    } else if (target.TellNotFound() == Answer::Cancel) {
        return AfterPress::Close;
    }
    if (button == Button::FindNext) target.FocusEditor();
    return AfterPress::StayOpen;
}

}  // namespace

Opening OpeningFor(long selectionStart, long selectionEnd) {
    const long length = selectionEnd - selectionStart;
    if (length <= 0) return Opening::FocusFind;
    return length <= kLongestFindSelection ? Opening::FillFind : Opening::LeaveAsIs;
}

unsigned SearchFlags(bool matchCase, bool wholeWords) {
    return kSearchDown | (wholeWords ? kSearchWholeWord : 0u) | (matchCase ? kSearchMatchCase : 0u);
}

std::string NotFoundQuestion(const std::string& findText) {
    return "Cannot find " + findText + "\r\nSearch again from the top ?";
}

std::string NotFoundNotice(const std::string& findText) { return "Cannot find " + findText; }

AfterPress Press(FindReplaceTarget& target, Button button, const SearchTexts& texts) {
    if (texts.findLength <= 0) return AfterPress::StayOpen;
    bool found = false;
    switch (button) {
    case Button::FindNext:
        // An empty selection ends at the caret.
        found = FindAndSelect(target, target.Selection().end, texts.findLength);
        break;
    case Button::Replace:
        found = FindAndSelect(target, ReplaceSelected(target, texts), texts.findLength);
        break;
    case Button::ReplaceAll:
        ReplaceEveryHit(target, texts);
        break;
    }
    return found ? AfterPress::StayOpen : NotFound(target, button, texts.findLength);
}

}  // namespace quillet
