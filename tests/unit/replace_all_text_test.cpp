// Replace all in memory against the per-hit loop run over a model of the
// editor: the control's search as Wine's RichEdit does it, character by
// character (the hit test uses the character at which the previous attempt
// stopped as the one before), and its replacement of a selection.
#include "editing/replace_all_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/per_hit_replace_all.h"
#include "support/random_cases.h"

namespace quillet {
namespace {

wchar_t AsciiCaseless(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }
bool LetterOrDigit(wchar_t c) { return std::wstring_view(L"abcxyzABCXYZ019\u00e9\u00c9\u4e2d").find(c) != std::wstring_view::npos; }

SearchRules Rules(unsigned flags) { return {flags, AsciiCaseless, LetterOrDigit}; }

// The editor: its text, its selection and its search, step by step as the
// control runs it.
class ModelEditor final : public test::PerHitEditor {
public:
    ModelEditor(std::wstring text, const ReplaceAllTexts& texts) : text_(std::move(text)), texts_(texts) {}

    long Find(long from) override {
        const std::wstring& find = texts_.find;
        const SearchRules& rules = texts_.rules;
        const auto size = static_cast<long>(text_.size());
        const auto length = static_cast<long>(find.size());
        if (length == 0 || from < 0 || from > size) return -1;
        const bool whole = rules.flags & kSearchWholeWord;
        wchar_t last = whole && from > 0 ? text_[static_cast<std::size_t>(from - 1)] : L' ';
        for (long at = from; at + length <= size; ++at) {
            long matched = 0;
            while (Same(At(at + matched), find[static_cast<std::size_t>(matched)])) {
                if (whole && rules.isWordCharacter(last)) break;
                if (++matched == length) {
                    if (whole && rules.isWordCharacter(At(at + matched))) break;
                    return at;
                }
            }
            last = At(at + matched);
        }
        return -1;
    }
    void Select(long start, long end) override {
        const auto size = static_cast<long>(text_.size());
        selection_ = {std::clamp(start, 0L, size), std::clamp(end, 0L, size)};
    }
    TextSpan Selection() override { return selection_; }
    void ReplaceSelection() override {
        const auto start = static_cast<std::size_t>(selection_.start);
        text_.replace(start, static_cast<std::size_t>(selection_.end - selection_.start), texts_.inserted);
        selection_.start = selection_.end = static_cast<long>(start + texts_.inserted.size());
        replaced_ = true;
    }
    const std::wstring& Text() const { return text_; }
    bool Replaced() const { return replaced_; }

private:
    // Past the text the search meets the final paragraph mark.
    wchar_t At(long at) const { return at < static_cast<long>(text_.size()) ? text_[static_cast<std::size_t>(at)] : L'\r'; }
    bool Same(wchar_t inText, wchar_t inFind) const {
        if (texts_.rules.flags & kSearchMatchCase) return inText == inFind;
        return AsciiCaseless(inText) == AsciiCaseless(inFind);
    }

    std::wstring text_;
    const ReplaceAllTexts& texts_;
    TextSpan selection_{0, 0};
    bool replaced_ = false;
};

struct Outcome {
    std::wstring text;
    long caret;
    bool ended;
};

// The per-hit loop's text and caret; the caret stays at -1 where nothing was replaced.
Outcome ByLoop(const std::wstring& text, const ReplaceAllStart& start, const ReplaceAllTexts& texts) {
    ModelEditor editor(text, texts);
    const bool ended = test::ReplaceAllOneHitAtATime(editor, start, static_cast<long>(texts.find.size()),
                                                     static_cast<long>(texts.step), 2000);
    return {editor.Text(), editor.Replaced() ? editor.Selection().start : -1, ended};
}

Outcome InMemory(const std::wstring& text, const ReplaceAllStart& start, const ReplaceAllTexts& texts) {
    ReplaceAllResult result = ReplaceAll(text, start, texts);
    if (!result.replaced) return {text, -1, true};
    EXPECT_EQ(text.substr(0, result.head), result.text.substr(0, result.head));
    EXPECT_LE(result.head + result.tail, std::min(text.size(), result.text.size()));
    EXPECT_EQ(text.substr(text.size() - result.tail), result.text.substr(result.text.size() - result.tail));
    return {result.text, result.caret, true};
}

ReplaceAllStart From(long from) { return {{0, 0}, false, from}; }

TEST(ReplaceAllText, CasesWhereASearchOfTheOriginalTextWouldDiffer) {
    const struct {
        const char* name;
        std::wstring text, find, inserted;
        std::size_t step;
        unsigned flags;
        ReplaceAllStart start;
        std::wstring after;
        long caret;
    } cases[] = {
        {"a by aa ends", L"aaa", L"a", L"aa", 2, 0, From(0), L"aaaaaa", 6},
        {"the inserted letter ends the next whole word", L"--", L"-", L"x", 1, kSearchWholeWord, From(0), L"x-", 1},
        {"nothing for every hit", L"a-b--", L"-", L"", 0, 0, From(0), L"ab", 2},
        {"case ignored", L"Cat cAT", L"cat", L"dog", 3, 0, From(0), L"dog dog", 7},
        {"only ASCII letters fold", L"\u00e9t\u00e9", L"\u00c9T\u00c9", L"x", 1, 0, From(0), L"\u00e9t\u00e9", -1},
        {"match case", L"Cat cat", L"cat", L"dog", 3, kSearchMatchCase, From(0), L"Cat dog", 7},
        {"hits before the start stay", L"cat cat", L"cat", L"", 0, 0, From(1), L"cat ", 4},
        {"the selection first, then on from behind it", L"dog cat", L"cat", L"cow", 3, 0, {{0, 3}, true, 3},
         L"cow cow", 7},
        {"the selection only", L"dog", L"cat", L"cow", 3, 0, {{0, 3}, true, 3}, L"cow", 3},
        {"the selection, then from the top into it", L"dog", L"c", L"cc", 2, 0, {{0, 3}, true, 0}, L"cccc", 4},
        {"a longer insertion: the next search starts inside it", L"xBCC", L"BC", L"AB", 1, 0, From(0),
         L"xAAB", 4},
        {"a shorter insertion: the next search skips text", L"AAAA", L"A", L"B", 2, 0, From(0), L"BABA", 3},
        {"a search that finds its own insertion stops", L"x\n", L"\n", L"\r\n", 1, 0, From(0), L"x\r\n", 3},
        {"a search start past the end", L"ab", L"b", L"c", 1, 0, From(5), L"ab", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReplaceAllTexts texts{c.find, c.inserted, c.step, Rules(c.flags)};
        const Outcome memory = InMemory(c.text, c.start, texts);
        EXPECT_EQ(c.after, memory.text);
        EXPECT_EQ(c.caret, memory.caret);
        const Outcome loop = ByLoop(c.text, c.start, texts);
        if (loop.ended) {
            EXPECT_EQ(loop.text, memory.text);
            EXPECT_EQ(loop.caret, memory.caret);
        }
    }
}

// Random texts from a few characters that make and break words, with line
// breaks, characters outside ASCII, finds that overlap themselves, and
// replacements that contain the find, are empty, or are counted longer or
// shorter than the control inserts them.
TEST(ReplaceAllText, EqualsThePerHitLoopOnRandomCases) {
    const std::wstring alphabet = L"aAb -_1\r\u00e9\u00c9\u4e2d";
    test::RandomCases random(20261207);
    auto text = [&](int low, int high) {
        std::wstring out(static_cast<std::size_t>(random.Pick(low, high)), L' ');
        for (wchar_t& c : out) c = random.Element(alphabet);
        return out;
    };
    int compared = 0;
    for (int i = 0; i < 3000 && !HasFailure(); ++i) {
        ReplaceAllTexts texts{text(1, 3), text(0, 4), 0, Rules(static_cast<unsigned>(random.Pick(0, 3)) * 2)};
        // Half the documents are made of the Find text and single characters, so that hits touch.
        std::wstring document = text(0, 40);
        if (random.Pick(0, 1)) {
            document.clear();
            for (int piece = random.Pick(0, 12); piece > 0; --piece) document += random.Pick(0, 1) ? texts.find : text(1, 1);
        }
        if (random.Pick(0, 3) == 0) texts.inserted = texts.find + texts.inserted;
        texts.step = texts.inserted.size();
        if (!texts.inserted.empty() && random.Pick(0, 4) == 0) {
            texts.step = random.Pick(0, 1) || texts.step == 1 ? texts.step + 1 : texts.step - 1;
        }
        const auto size = static_cast<long>(document.size());
        ReplaceAllStart start{{random.Pick(0, static_cast<int>(size)), 0}, false, 0};
        start.selection.end = std::min(size, start.selection.start + static_cast<long>(random.Pick(0, 1) ? texts.find.size() : 0));
        start.replacesSelection = start.selection.end > start.selection.start && random.Pick(0, 1);
        start.from = start.replacesSelection ? start.selection.start + static_cast<long>(texts.step) : start.selection.start;
        if (random.Pick(0, 5) == 0) start.from = 0;
        SCOPED_TRACE(testing::Message() << "case " << i);
        const Outcome loop = ByLoop(document, start, texts);
        const Outcome memory = InMemory(document, start, texts);
        if (!loop.ended) continue;  // the loop never ends there; the in-memory one has
        ++compared;
        EXPECT_EQ(loop.text, memory.text);
        EXPECT_EQ(loop.caret, memory.caret);
    }
    EXPECT_GT(compared, 2900);
}

TEST(ReplaceAllText, InPlaceWhileTheSpanTimesTheDocumentStaysInTheBudget) {
    const std::wstring lines = L"a\rb\rc\rd\r";  // 4 line breaks: 5 lines
    ReplaceAllResult one{true, L"x\rb\rc\rd\r", 0, 7, 1};
    EXPECT_TRUE(FitsInPlace(lines, one, 5));   // one line of 5
    EXPECT_FALSE(FitsInPlace(lines, one, 4));
    ReplaceAllResult all{true, L"x\rx\rx\rx\r", 0, 1, 7};  // 4 lines changed, each side: 7 x 5
    EXPECT_TRUE(FitsInPlace(lines, all, 35));
    EXPECT_FALSE(FitsInPlace(lines, all, 34));
    EXPECT_TRUE(FitsInPlace(L"a\r\nb", ReplaceAllResult{true, L"c\r\nb", 0, 3, 1}, 2));  // CR LF is one break
}

}  // namespace
}  // namespace quillet
