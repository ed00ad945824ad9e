// Replace all one hit at a time, as the program did it before it worked on
// the text in memory: each hit found by the editor's search, selected and
// replaced on its own, the next search starting the Replace text's length
// behind the replaced hit's start. The reference that the one-step Replace
// all is held to, over the real control (tests/win) and over a model of it
// (tests/unit). Portable.
#pragma once

#include "editing/find_replace_rules.h"

namespace quillet::test {

class PerHitEditor {
public:
    virtual ~PerHitEditor() = default;
    virtual long Find(long from) = 0;  // EM_FINDTEXT forward: the first hit at or after from, or -1
    virtual void Select(long start, long end) = 0;
    virtual TextSpan Selection() = 0;
    virtual void ReplaceSelection() = 0;  // the Replace text over the selection, the caret behind it
};

// False when the loop had not ended after maxHits replacements: where a
// search finds its own insertion again, it never ends.
inline bool ReplaceAllOneHitAtATime(PerHitEditor& editor, const ReplaceAllStart& start, long findLength,
                                    long replaceLength, long maxHits = 100000) {
    if (start.replacesSelection) {
        editor.Select(start.selection.start, start.selection.end);
        editor.ReplaceSelection();
    }
    for (long from = start.from, hits = 0;; ++hits) {
        const long hit = editor.Find(from);
        if (hit < 0) return true;
        if (hits == maxHits) return false;
        editor.Select(hit, hit + findLength);
        from = editor.Selection().start + replaceLength;
        editor.ReplaceSelection();
    }
}

}  // namespace quillet::test
