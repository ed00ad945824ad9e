// One press of a Find/Replace button on a small document, and what it
// leaves: run against the rules alone (tests/unit) and against the real
// window and editor (tests/win). Portable: no <windows.h>.
//
// Documents mark the selection with [ ] and the caret with |.
#pragma once

#include <string>

namespace quillet::test {

struct FindReplaceCase {
    const char* name;
    const char* before;
    const char* find;
    const char* replace;
    const char* ticks;    // C "Match Case", W "Whole Words only", T "Search From Top"
    char button;          // N "Find Next", R "Replace", A "Replace all"
    const char* answers;  // the question's (Y, N, C), then the notice's (K for OK, C)
    const char* after;
    bool closes;          // Cancel in a message closed the window
    bool editorFocused;   // the editor got the focus (Yes after Find Next)
};

inline const FindReplaceCase kFindReplaceCases[] = {
    {"next from the selection's end", "[cat] cat", "cat", "", "", 'N', "", "cat [cat]", false, false},
    {"next from the caret", "a| cat cat", "cat", "", "", 'N', "", "a [cat] cat", false, false},
    {"case ignored", "|a CAT", "cat", "", "", 'N', "", "a [CAT]", false, false},
    {"case matched; No keeps the selection", "[a] CAT", "cat", "", "C", 'N', "N", "[a] CAT", false, false},
    {"whole words", "|concatenate cat", "cat", "", "W", 'N', "", "concatenate [cat]", false, false},
    {"Yes: the first hit, the editor focused", "cat dog [cat]", "cat", "", "", 'N', "Y", "[cat] dog cat", false,
     true},
    {"Cancel closes", "[cat] dog", "cat", "", "", 'N', "C", "[cat] dog", true, false},
    {"Yes and no hit at all: the notice", "d[o]g", "cat", "", "", 'N', "YK", "|dog", false, true},
    {"Cancel in the notice closes", "d[o]g", "cat", "", "", 'N', "YC", "|dog", true, false},
    {"search from the top, once", "cat [cat]", "cat", "", "T", 'N', "", "[cat] cat", false, false},
    {"replace the selected hit", "[cat] cat", "cat", "cow", "", 'R', "", "cow [cat]", false, false},
    {"replace, case ignored", "[CAT] cat", "cat", "cow", "", 'R', "", "cow [cat]", false, false},
    {"replace, case matched", "[CAT] cat", "cat", "cow", "C", 'R', "", "CAT [cat]", false, false},
    {"same length, other text: left alone", "[dog] cat", "cat", "cow", "", 'R', "", "dog [cat]", false, false},
    {"longer selection: left alone", "[dogs] cat", "cat", "cow", "", 'R', "", "dogs [cat]", false, false},
    {"a hit inside a selection left alone", "[xcatx]", "cat", "cow", "", 'R', "", "x[cat]x", false, false},
    {"replace at the caret only finds", "a| cat", "cat", "cow", "", 'R', "", "a [cat]", false, false},
    {"Yes after Replace only selects", "cat [cat]", "cat", "dog", "", 'R', "Y", "[cat] dog", false, false},
    {"a by aa ends", "|aaa", "a", "aa", "", 'A', "N", "aaaaaa|", false, false},
    {"aa by a, in order", "|aaaa", "aa", "a", "", 'A', "N", "aa|", false, false},
    {"nothing for every hit from the caret", "cat |cat cat", "cat", "", "", 'A', "Y", "[cat]  ", false, false},
    {"first selection not a hit", "[dog] cat", "cat", "cow", "", 'A', "N", "dog cow|", false, false},
    {"first selection a hit", "[cat] cat", "cat", "cow", "", 'A', "N", "cow cow|", false, false},
    {"all from the top; Cancel", "cat cat|", "cat", "cow", "T", 'A', "C", "cow cow|", true, false},
    {"all whole words", "|cat concatenate cat", "cat", "cow", "W", 'A', "N", "cow concatenate cow|", false,
     false},
};

// A document as the cases write it: the text, and the selection.
struct MarkedText {
    std::string text;
    long start = 0;
    long end = 0;
};

inline MarkedText Unmark(const std::string& marked) {
    MarkedText out;
    for (char c : marked) {
        const auto at = static_cast<long>(out.text.size());
        if (c == '[') {
            out.start = at;
        } else if (c == ']') {
            out.end = at;
        } else if (c == '|') {
            out.start = out.end = at;
        } else {
            out.text += c;
        }
    }
    return out;
}

inline std::string Mark(const std::string& text, long start, long end) {
    const auto from = static_cast<std::size_t>(start);
    const auto to = static_cast<std::size_t>(end);
    if (from == to) return text.substr(0, from) + "|" + text.substr(from);
    return text.substr(0, from) + "[" + text.substr(from, to - from) + "]" + text.substr(to);
}

}  // namespace quillet::test
