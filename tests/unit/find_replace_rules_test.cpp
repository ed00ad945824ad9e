#include "editing/find_replace_rules.h"

#include <gtest/gtest.h>

#include <cctype>
#include <deque>
#include <string>
#include <utility>

namespace quillet {
namespace {

TEST(FindReplaceOpening, SelectionLengthDecides) {
    const struct {
        long start, end;
        Opening expected;
    } cases[] = {
        {5, 5, Opening::FocusFind},  {0, 1, Opening::FillFind},    {10, 137, Opening::FillFind},
        {10, 138, Opening::LeaveAsIs}, {0, 100000, Opening::LeaveAsIs},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, OpeningFor(c.start, c.end)) << c.start << ".." << c.end;
}

TEST(FindReplaceWindowPlace, CentredTruncatedAndNeverNegative) {
    const struct {
        long left, top, width, height;
        long x, y;
    } cases[] = {
        {100, 50, 800, 600, 100 + 199, 50 + 225},  // 402 x 150 outer
        {100, 50, 801, 601, 100 + 199, 50 + 225},  // odd differences: halves truncated
        {200, 300, 101, 100, 200 - 150, 300 - 25},  // narrower owner: -301 / 2 is -150, not -151
        {-500, -20, 600, 100, 0, 0},                 // raised to 0
    };
    for (const auto& c : cases) {
        const ScreenPoint at = CentredOver(c.left, c.top, c.width, c.height, 402, 150);
        EXPECT_EQ(c.x, at.x) << c.left << "," << c.width;
        EXPECT_EQ(c.y, at.y) << c.top << "," << c.height;
    }
}

TEST(FindReplaceTexts, FlagsAndMessages) {
    EXPECT_EQ(1u, SearchFlags(false, false));
    EXPECT_EQ(3u, SearchFlags(false, true));
    EXPECT_EQ(5u, SearchFlags(true, false));
    EXPECT_EQ(7u, SearchFlags(true, true));
    EXPECT_EQ("Cannot find a b\r\nSearch again from the top ?", NotFoundQuestion("a b"));
    EXPECT_EQ("Cannot find a b", NotFoundNotice("a b"));
}

// A document in a string, matched as plainly as possible; records what the
// steps asked of the window: ? question, ! notice, F focus to the editor,
// [ ] a run of many changes.
class FakeEditor : public FindReplaceTarget {
public:
    std::string text;
    TextSpan selection{0, 0};
    std::string find, replace;
    bool matchCase = false;
    bool searchFromTop = false;
    std::deque<Answer> answers;
    std::string events;
    int replacements = 0;

    TextSpan Selection() override { return selection; }
    long Find(long from) override {
        for (std::size_t at = static_cast<std::size_t>(from); at + find.size() <= text.size(); ++at) {
            if (Same(text.substr(at, find.size()), find)) return static_cast<long>(at);
        }
        return -1;
    }
    void Select(long start, long end) override { selection = {start, end}; }
    bool SelectionIsFindText() override { return Same(Selected(), find); }
    void ReplaceSelection() override {
        text.replace(static_cast<std::size_t>(selection.start), Selected().size(), replace);
        selection.start = selection.end = selection.start + static_cast<long>(replace.size());
        ++replacements;
    }
    bool TakeSearchFromTop() override { return std::exchange(searchFromTop, false); }
    Answer AskSearchFromTop() override { return Next('?'); }
    Answer TellNotFound() override { return Next('!'); }
    void FocusEditor() override { events += 'F'; }
    void BeginManyChanges() override { events += '['; }
    void EndManyChanges() override { events += ']'; }

private:
    std::string Selected() const {
        return text.substr(static_cast<std::size_t>(selection.start),
                           static_cast<std::size_t>(selection.end - selection.start));
    }
    bool Same(const std::string& a, const std::string& b) const {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            const int x = static_cast<unsigned char>(a[i]);
            const int y = static_cast<unsigned char>(b[i]);
            if (matchCase ? x != y : std::tolower(x) != std::tolower(y)) return false;
        }
        return true;
    }
    Answer Next(char event) {
        events += event;
        if (answers.empty()) {
            ADD_FAILURE() << "an unexpected message: " << events;
            return Answer::Cancel;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

constexpr auto Y = Answer::Yes;
constexpr auto N = Answer::No;
constexpr auto C = Answer::Cancel;
constexpr auto K = Answer::Ok;
constexpr auto kNext = Button::FindNext;
constexpr auto kReplace = Button::Replace;
constexpr auto kAll = Button::ReplaceAll;
constexpr auto kStay = AfterPress::StayOpen;
constexpr auto kClose = AfterPress::Close;

struct PressCase {
    const char* name;
    const char* text;
    TextSpan selection;
    const char* find;
    const char* replace;
    bool matchCase;
    bool fromTop;
    Button button;
    std::deque<Answer> answers;
    const char* textAfter;
    TextSpan selectionAfter;
    AfterPress after;
    const char* events;
};

const PressCase kPressCases[] = {
    {"next from the selection's end", "cat cat cat", {0, 3}, "cat", "", false, false, kNext, {},
     "cat cat cat", {4, 7}, kStay, ""},
    {"next from the caret", "a cat", {0, 0}, "cat", "", false, false, kNext, {}, "a cat", {2, 5}, kStay, ""},
    {"no keeps the selection", "cat dog", {0, 3}, "cat", "", false, false, kNext, {N}, "cat dog", {0, 3},
     kStay, "?"},
    {"yes selects the first hit and focuses the editor", "cat dog cat", {8, 11}, "cat", "", false, false,
     kNext, {Y}, "cat dog cat", {0, 3}, kStay, "?F"},
    {"cancel closes", "cat dog", {0, 3}, "cat", "", false, false, kNext, {C}, "cat dog", {0, 3}, kClose, "?"},
    {"yes without any hit: the notice, caret at the top", "dog", {1, 2}, "cat", "", false, false, kNext,
     {Y, K}, "dog", {0, 0}, kStay, "?!F"},
    {"cancel in the notice closes", "dog", {1, 2}, "cat", "", false, false, kNext, {Y, C}, "dog", {0, 0},
     kClose, "?!"},
    {"search from top, once", "cat cat", {4, 7}, "cat", "", false, true, kNext, {}, "cat cat", {0, 3},
     kStay, ""},
    {"replace the selected hit, select the next", "cat cat", {0, 3}, "cat", "dog", false, false, kReplace,
     {}, "dog cat", {4, 7}, kStay, ""},
    {"same length, other text: left alone", "dog cat", {0, 3}, "cat", "cow", false, false, kReplace, {},
     "dog cat", {4, 7}, kStay, ""},
    {"longer selection: left alone", "dogs cat", {0, 4}, "cat", "cow", false, false, kReplace, {},
     "dogs cat", {5, 8}, kStay, ""},
    {"a hit inside a selection left alone is found", "xcatx", {0, 5}, "cat", "cow", false, false,
     kReplace, {}, "xcatx", {1, 4}, kStay, ""},
    {"case ignored", "CAT cat", {0, 3}, "cat", "cow", false, false, kReplace, {}, "cow cat", {4, 7},
     kStay, ""},
    {"case matched", "CAT cat", {0, 3}, "cat", "cow", true, false, kReplace, {}, "CAT cat", {4, 7},
     kStay, ""},
    {"replace at the caret only finds", "a cat", {1, 1}, "cat", "cow", false, false, kReplace, {}, "a cat",
     {2, 5}, kStay, ""},
    {"replace the last hit; yes only selects, no focus", "cat cat", {4, 7}, "cat", "dog", false, false,
     kReplace, {Y}, "cat dog", {0, 3}, kStay, "?"},
    {"a by aa ends", "aaa", {0, 0}, "a", "aa", false, false, kAll, {N}, "aaaaaa", {6, 6}, kStay, "[]?"},
    {"aa by a, in order", "aaaa", {0, 0}, "aa", "a", false, false, kAll, {N}, "aa", {2, 2}, kStay, "[]?"},
    {"empty replace deletes from the caret on", "cat cat cat", {4, 4}, "cat", "", false, false, kAll, {Y},
     "cat  ", {0, 3}, kStay, "[]?"},
    {"first selection not a hit: left alone", "dog cat", {0, 3}, "cat", "cow", false, false, kAll, {N},
     "dog cow", {7, 7}, kStay, "[]?"},
    {"first selection a hit: replaced", "cat cat", {0, 3}, "cat", "cow", false, false, kAll, {N},
     "cow cow", {7, 7}, kStay, "[]?"},
    {"from the top", "cat cat", {7, 7}, "cat", "cow", false, true, kAll, {C}, "cow cow", {7, 7}, kClose,
     "[]?"},
    {"empty find text: nothing", "cat", {0, 3}, "", "x", false, false, kAll, {}, "cat", {0, 3}, kStay, ""},
};

TEST(FindReplacePress, StepsAnswersAndPositions) {
    for (const PressCase& c : kPressCases) {
        SCOPED_TRACE(c.name);
        FakeEditor editor;
        editor.text = c.text;
        editor.selection = c.selection;
        editor.find = c.find;
        editor.replace = c.replace;
        editor.matchCase = c.matchCase;
        editor.searchFromTop = c.fromTop;
        editor.answers = c.answers;
        const SearchTexts texts{static_cast<long>(editor.find.size()), static_cast<long>(editor.replace.size())};
        EXPECT_EQ(c.after, Press(editor, c.button, texts));
        EXPECT_EQ(c.textAfter, editor.text);
        EXPECT_EQ(c.selectionAfter.start, editor.selection.start);
        EXPECT_EQ(c.selectionAfter.end, editor.selection.end);
        EXPECT_EQ(c.events, editor.events);
        EXPECT_FALSE(editor.searchFromTop);
        EXPECT_TRUE(editor.answers.empty());
    }
}

TEST(FindReplacePress, ReplaceAllEndsAndReplacesEveryHitOnce) {
    // Replace texts that contain the Find text, or are shorter, or empty.
    for (const char* replace : {"a", "aa", "aaa", "ba", "ab", ""}) {
        FakeEditor editor;
        editor.text = "xaxaax" + std::string(50, 'a');
        editor.find = "a";
        editor.replace = replace;
        editor.answers = {N};
        std::string expected;
        for (char c : editor.text) expected += c == 'a' ? std::string(replace) : std::string(1, c);
        Press(editor, kAll, {1, static_cast<long>(editor.replace.size())});
        EXPECT_EQ(53, editor.replacements) << replace;
        EXPECT_EQ(expected, editor.text) << replace;
    }
}

}  // namespace
}  // namespace quillet
