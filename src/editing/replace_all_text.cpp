#include "editing/replace_all_text.h"

#include <algorithm>

namespace quillet {
namespace {

// What the search takes for the character before the text's start; past
// the end it meets the final paragraph mark. Neither is a word character.
constexpr wchar_t kOutside = L' ';

bool Same(wchar_t inText, wchar_t inFind, const SearchRules& rules) {
    if (rules.flags & kSearchMatchCase) return inText == inFind;
    return rules.caseless(inText) == rules.caseless(inFind);
}

bool HitAt(std::wstring_view text, std::size_t at, wchar_t before, std::wstring_view find, const SearchRules& rules) {
    for (std::size_t i = 0; i < find.size(); ++i) {
        if (!Same(text[at + i], find[i], rules)) return false;
    }
    if (!(rules.flags & kSearchWholeWord)) return true;
    const std::size_t end = at + find.size();
    const wchar_t after = end < text.size() ? text[end] : kOutside;
    return !rules.isWordCharacter(before) && !rules.isWordCharacter(after);
}

// Line breaks as the control counts paragraphs: CR, LF, or the two together.
std::size_t Breaks(std::wstring_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && i > 0 && text[i - 1] == L'\r') continue;
        if (text[i] == L'\r' || text[i] == L'\n') ++count;
    }
    return count;
}

// The per-hit loop over one text, from one search start. The edited text
// grows in out; what is still to be searched is pending (characters of the
// last insertion that the next search starts inside) and then source from
// next on.
class Walk {
public:
    Walk(const std::wstring& source, const ReplaceAllTexts& texts) : source_(source), texts_(texts) {}

    // Every replacement from from on; the result's head and tail are left
    // to the caller.
    ReplaceAllResult Run(std::size_t from) {
        ReplaceAllResult result;
        if (from >= source_.size()) return result;
        out_.reserve(source_.size() + source_.size() / 8);
        out_.assign(source_, 0, from);
        next_ = from;
        while (ReplaceNext(result)) {
        }
        out_ += pending_;
        if (next_ < source_.size()) out_.append(source_, next_, std::wstring::npos);
        if (result.replaced) result.text.swap(out_);
        return result;
    }

private:
    wchar_t Before() const { return out_.empty() ? kOutside : out_.back(); }

    // Finds and replaces the next hit; false when there is none.
    bool ReplaceNext(ReplaceAllResult& result) {
        const std::wstring_view find = texts_.find;
        if (!pending_.empty()) {
            // A search that starts inside the inserted text: the hits that
            // begin there, seen with the source text that follows.
            const std::wstring window = pending_ + source_.substr(next_, find.size());
            const std::size_t hit = FindHit(window, 0, Before(), find, texts_.rules);
            if (hit == kNoHit || hit >= pending_.size()) {
                out_ += pending_;
                pending_.clear();
                return ReplaceNext(result);
            }
            // A hit wholly inside the inserted text would come back after
            // every replacement: the per-hit loop never ends there.
            if (hit + find.size() <= pending_.size()) return false;
            out_.append(pending_, 0, hit);
            next_ += hit + find.size() - pending_.size();
            pending_.clear();
        } else {
            const std::size_t hit = FindHit(source_, next_, Before(), find, texts_.rules);
            if (hit == kNoHit) return false;
            out_.append(source_, next_, hit - next_);
            next_ = hit + find.size();
        }
        const std::size_t start = out_.size();
        out_ += texts_.inserted;
        result.replaced = true;
        result.caret = static_cast<long>(out_.size());
        MoveToNextSearch(start + texts_.step);
        return true;
    }

    // The next search starts at searchStart of the edited text: inside the
    // inserted text, or past it (what lies between is left as it is).
    void MoveToNextSearch(std::size_t searchStart) {
        if (searchStart < out_.size()) {
            pending_.assign(out_, searchStart, std::wstring::npos);
            out_.resize(searchStart);
            return;
        }
        const std::size_t skip = std::min(searchStart - out_.size(), source_.size() - next_);
        out_.append(source_, next_, skip);
        next_ += skip;
    }

    const std::wstring& source_;
    const ReplaceAllTexts& texts_;
    std::wstring out_;
    std::wstring pending_;
    std::size_t next_ = 0;
};

}  // namespace

std::size_t FindHit(std::wstring_view text, std::size_t from, wchar_t before, std::wstring_view find,
                    const SearchRules& rules) {
    if (find.empty() || from > text.size()) return kNoHit;
    for (std::size_t at = from; text.size() - at >= find.size(); ++at) {
        if (HitAt(text, at, at == from ? before : text[at - 1], find, rules)) return at;
    }
    return kNoHit;
}

ReplaceAllResult ReplaceAll(const std::wstring& text, const ReplaceAllStart& start, const ReplaceAllTexts& texts) {
    const auto from = static_cast<std::size_t>(std::max(0L, start.from));
    ReplaceAllResult result;
    if (start.replacesSelection) {
        const auto selectionStart = std::min(static_cast<std::size_t>(std::max(0L, start.selection.start)), text.size());
        const auto selectionEnd =
            std::clamp(static_cast<std::size_t>(std::max(0L, start.selection.end)), selectionStart, text.size());
        const std::wstring edited = text.substr(0, selectionStart) + texts.inserted + text.substr(selectionEnd);
        result = Walk(edited, texts).Run(from);
        if (!result.replaced) {
            result.text = edited;
            result.caret = static_cast<long>(selectionStart + texts.inserted.size());
        }
        result.replaced = true;
    } else {
        result = Walk(text, texts).Run(from);
    }
    if (!result.replaced) return result;
    const std::size_t shorter = std::min(text.size(), result.text.size());
    const auto firstDifference =
        std::mismatch(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(shorter), result.text.begin());
    result.head = static_cast<std::size_t>(firstDifference.first - text.begin());
    while (result.tail < shorter - result.head &&
           text[text.size() - 1 - result.tail] == result.text[result.text.size() - 1 - result.tail]) {
        ++result.tail;
    }
    return result;
}

bool FitsInPlace(std::wstring_view before, const ReplaceAllResult& after, std::size_t lineSteps) {
    const std::wstring_view text = after.text;
    const std::size_t spanLines = Breaks(before.substr(after.head, before.size() - after.head - after.tail)) +
                                  Breaks(text.substr(after.head, text.size() - after.head - after.tail)) + 1;
    const std::size_t documentLines = Breaks(before) + 1;
    return spanLines <= lineSteps / documentLines;
}

}  // namespace quillet
