#include "platform/code_page_win.h"

#include <windows.h>

#include <climits>
#include <cstring>

namespace quillet {
namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Converted in slices short enough for the system's int counts.
constexpr std::size_t kSlice = 1 << 20;

bool SliceFits(const wchar_t* text, int count) {
    if (count == 0) return true;
    BOOL usedDefault = FALSE;
    const int bytes = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, count, nullptr, 0, nullptr,
                                            &usedDefault);
    return bytes > 0 && !usedDefault;
}

}  // namespace

void CodePageFit::Feed(const wchar_t* text, std::size_t count) {
    if (!fits_ || count == 0) return;
    std::size_t at = 0;
    if (pendingHigh_) {
        const wchar_t pair[2] = {pendingHigh_, text[0]};
        pendingHigh_ = 0;
        fits_ = SliceFits(pair, 2);
        at = 1;
    }
    while (fits_ && at < count) {
        std::size_t end = count - at > kSlice ? at + kSlice : count;
        // Never cut between the two halves of a pair; a high half at the very
        // end waits for the next piece.
        if (IsHighSurrogate(text[end - 1])) --end;
        if (end == at) {
            pendingHigh_ = text[at];
            return;
        }
        fits_ = SliceFits(text + at, static_cast<int>(end - at));
        at = end;
    }
}

bool FitsCodePage(std::wstring_view text) {
    CodePageFit fit;
    fit.Feed(text.data(), text.size());
    return fit.Fits();
}

std::string ToCodePage(std::wstring_view text, bool noBestFit) {
    const DWORD flags = noBestFit ? WC_NO_BEST_FIT_CHARS : 0;
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.size() - at > kSlice ? at + kSlice : text.size();
        if (end < text.size() && IsHighSurrogate(text[end - 1])) --end;
        const int count = static_cast<int>(end - at);
        const int bytes = ::WideCharToMultiByte(CP_ACP, flags, text.data() + at, count, nullptr, 0, nullptr, nullptr);
        const std::size_t before = out.size();
        out.resize(before + static_cast<std::size_t>(bytes > 0 ? bytes : 0));
        if (bytes > 0) {
            ::WideCharToMultiByte(CP_ACP, flags, text.data() + at, count, out.data() + before, bytes, nullptr,
                                  nullptr);
        }
        at = end;
    }
    return out;
}

std::wstring FromCodePage(std::string_view text) {
    std::wstring out;
    if (text.empty()) return out;
    // Byte strings this long are refused here rather than miscounted.
    if (text.size() > static_cast<std::size_t>(INT_MAX)) return out;
    const int count = static_cast<int>(text.size());
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, text.data(), count, nullptr, 0);
    if (chars <= 0) return out;
    out.resize(static_cast<std::size_t>(chars));
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), count, out.data(), chars);
    return out;
}

bool CodePageWriter::Feed(const char* bytes, std::size_t count) {
    while (count > 0) {
        const std::size_t room = sizeof pending_ - filled_;
        const std::size_t taken = count < room ? count : room;
        memcpy(pending_ + filled_, bytes, taken);
        filled_ += taken;
        bytes += taken;
        count -= taken;
        if (filled_ == sizeof pending_ && !HandOn(false)) return false;
    }
    return true;
}

// Converts and hands on the whole characters waiting; at the end, all.
bool CodePageWriter::HandOn(bool last) {
    std::size_t count = filled_ / sizeof(wchar_t);
    wchar_t wide[kSlice];
    memcpy(wide, pending_, count * sizeof(wchar_t));
    if (!last && count > 0 && IsHighSurrogate(wide[count - 1])) --count;
    if (count == 0) return true;
    char bytes[kSlice * 4];
    const int converted = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, static_cast<int>(count), bytes,
                                                static_cast<int>(sizeof bytes), nullptr, nullptr);
    if (converted <= 0 || !sink_(context_, bytes, static_cast<std::size_t>(converted))) return false;
    filled_ -= count * sizeof(wchar_t);
    memmove(pending_, pending_ + count * sizeof(wchar_t), filled_);
    return true;
}

}  // namespace quillet
