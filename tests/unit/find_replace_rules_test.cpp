#include "editing/find_replace_rules.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "../support/find_replace_cases.h"
#include "../support/per_hit_replace_all.h"
#include "platform/window_place.h"

namespace quillet {
namespace {

TEST(FindReplaceRules, OpeningPlaceFlagsAndTexts) {
    const struct {
        long start, end;
        Opening expected;
    } openings[] = {{5, 5, Opening::FocusFind}, {0, 1, Opening::FillFind}, {10, 137, Opening::FillFind},
                    {10, 138, Opening::LeaveAsIs}};
    for (const auto& o : openings) EXPECT_EQ(o.expected, OpeningFor(o.start, o.end)) << o.end - o.start;

    // Centred over a 402 x 150 window: halves truncated toward zero, then raised to 0.
    const struct {
        long left, top, width, height, x, y;
    } places[] = {{100, 50, 801, 601, 299, 275}, {200, 300, 101, 100, 50, 275}, {-500, -20, 600, 100, 0, 0}};
    for (const auto& p : places) {
        const ScreenPoint at = CentredOver(p.left, p.top, p.width, p.height, 402, 150);
        EXPECT_EQ(p.x, at.x) << p.left;
        EXPECT_EQ(p.y, at.y) << p.top;
    }

    EXPECT_EQ(1u, SearchFlags(false, false));
    EXPECT_EQ(7u, SearchFlags(true, true));
    EXPECT_EQ("Cannot find a b\r\nSearch again from the top ?", NotFoundQuestion("a b"));
    EXPECT_EQ("Cannot find a b", NotFoundNotice("a b"));
}

// A document in a string, matched plainly; records the messages and the
// focus as "?" question, "!" notice, "F" focus to the editor.
class FakeEditor : public FindReplaceTarget {
public:
    explicit FakeEditor(const test::FindReplaceCase& c) : find_(c.find), replace_(c.replace), answers_(c.answers) {
        const test::MarkedText marked = test::Unmark(c.before);
        text = marked.text;
        selection = {marked.start, marked.end};
        const std::string ticks = c.ticks;
        matchCase_ = ticks.find('C') != std::string::npos;
        wholeWords_ = ticks.find('W') != std::string::npos;
        searchFromTop = ticks.find('T') != std::string::npos;
    }

    std::string text;
    TextSpan selection;
    bool searchFromTop;
    std::string events;
    std::size_t answered = 0;

    TextSpan Selection() override { return selection; }
    long Find(long from) override {
        for (auto at = static_cast<std::size_t>(from); at + find_.size() <= text.size(); ++at) {
            if (Same(text.substr(at, find_.size()), find_) && (!wholeWords_ || WholeWord(at))) {
                return static_cast<long>(at);
            }
        }
        return -1;
    }
    void Select(long start, long end) override { selection = {start, end}; }
    bool SelectionIsFindText() override { return Same(Selected(), find_); }
    void ReplaceSelection() override {
        text.replace(static_cast<std::size_t>(selection.start), Selected().size(), replace_);
        selection.start = selection.end = selection.start + static_cast<long>(replace_.size());
    }
    bool TakeSearchFromTop() override { return std::exchange(searchFromTop, false); }
    Answer AskSearchFromTop() override {
        const char answer = Next('?');
        return answer == 'Y' ? Answer::Yes : answer == 'N' ? Answer::No : Answer::Cancel;
    }
    Answer TellNotFound() override { return Next('!') == 'K' ? Answer::Ok : Answer::Cancel; }
    void FocusEditor() override { events += 'F'; }
    // Replace all as the per-hit loop does it, over this editor.
    void ReplaceEveryHit(const ReplaceAllStart& start) override {
        starts.push_back(start);
        Loop loop(*this);
        test::ReplaceAllOneHitAtATime(loop, start, static_cast<long>(find_.size()), static_cast<long>(replace_.size()));
    }
    std::vector<ReplaceAllStart> starts;

private:
    class Loop final : public test::PerHitEditor {
    public:
        explicit Loop(FakeEditor& editor) : editor_(editor) {}
        long Find(long from) override { return editor_.Find(from); }
        void Select(long start, long end) override { editor_.Select(start, end); }
        TextSpan Selection() override { return editor_.Selection(); }
        void ReplaceSelection() override { editor_.ReplaceSelection(); }

    private:
        FakeEditor& editor_;
    };

    std::string Selected() const {
        return text.substr(static_cast<std::size_t>(selection.start),
                           static_cast<std::size_t>(selection.end - selection.start));
    }
    bool Same(const std::string& a, const std::string& b) const {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            const int x = static_cast<unsigned char>(a[i]);
            const int y = static_cast<unsigned char>(b[i]);
            if (matchCase_ ? x != y : std::tolower(x) != std::tolower(y)) return false;
        }
        return true;
    }
    bool WholeWord(std::size_t at) const {
        const std::size_t end = at + find_.size();
        return (at == 0 || !std::isalnum(static_cast<unsigned char>(text[at - 1]))) &&
               (end == text.size() || !std::isalnum(static_cast<unsigned char>(text[end])));
    }
    char Next(char event) {
        events += event;
        return answered < answers_.size() ? answers_[answered++] : 'C';
    }

    std::string find_, replace_, answers_;
    bool matchCase_ = false, wholeWords_ = false;
};

Button ButtonOf(char key) { return key == 'N' ? Button::FindNext : key == 'R' ? Button::Replace : Button::ReplaceAll; }

TEST(FindReplaceRules, EveryCase) {
    for (const test::FindReplaceCase& c : test::kFindReplaceCases) {
        SCOPED_TRACE(c.name);
        FakeEditor editor(c);
        const SearchTexts texts{static_cast<long>(std::string(c.find).size()),
                                static_cast<long>(std::string(c.replace).size())};
        const AfterPress after = Press(editor, ButtonOf(c.button), texts);
        EXPECT_EQ(c.after, test::Mark(editor.text, editor.selection.start, editor.selection.end));
        EXPECT_EQ(c.closes, after == AfterPress::Close);
        const std::string messages = std::string("?!").substr(0, std::string(c.answers).size());
        EXPECT_EQ(messages + (c.editorFocused ? "F" : ""), editor.events);
        EXPECT_FALSE(editor.searchFromTop);
    }
}

TEST(FindReplaceRules, ReplaceAllStartsAsReplaceWouldInOneStep) {
    const struct {
        const char* before;
        const char* ticks;
        ReplaceAllStart expected;
    } cases[] = {
        {"ab|c", "", {{2, 2}, false, 2}},
        {"a[cat]b", "", {{1, 4}, true, 6}},    // the selection is the Find text: replaced, on from behind the five letters
        {"a[CAT]b", "C", {{1, 4}, false, 1}},  // not with "Match Case": searched from its start
        {"a[ca]b", "", {{1, 3}, false, 1}},
        {"a[cat]b", "T", {{1, 4}, true, 0}},   // "Search From Top" moves only the first search
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        FakeEditor editor(test::FindReplaceCase{"", c.before, "cat", "horse", c.ticks, 'A', "N", "", false, false});
        Press(editor, Button::ReplaceAll, {3, 5});
        ASSERT_EQ(1u, editor.starts.size());
        const ReplaceAllStart& start = editor.starts.front();
        EXPECT_EQ(c.expected.selection.start, start.selection.start);
        EXPECT_EQ(c.expected.selection.end, start.selection.end);
        EXPECT_EQ(c.expected.replacesSelection, start.replacesSelection);
        EXPECT_EQ(c.expected.from, start.from);
        EXPECT_FALSE(editor.searchFromTop);
    }
}

TEST(FindReplaceRules, ReplaceAllReplacesEveryHitOnceAndEnds) {
    for (const char* replace : {"a", "aa", "ab", ""}) {
        const test::FindReplaceCase c{"", "|xaxaax", "a", replace, "", 'A', "N", "", false, false};
        FakeEditor editor(c);
        Press(editor, Button::ReplaceAll, {1, static_cast<long>(std::string(replace).size())});
        EXPECT_EQ("x" + std::string(replace) + "x" + replace + replace + "x", editor.text);
    }
    FakeEditor editor(test::FindReplaceCase{"", "[a]", "", "b", "", 'A', "", "", false, false});
    EXPECT_EQ(AfterPress::StayOpen, Press(editor, Button::ReplaceAll, {0, 1}));  // no Find text: nothing
    EXPECT_EQ("a", editor.text);
}

}  // namespace
}  // namespace quillet
