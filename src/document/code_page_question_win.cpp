#include "document/code_page_question_win.h"

#include <cstring>

#include "platform/code_page_win.h"
#include "platform/editor_control_win.h"
#include "platform/modal_win.h"

namespace quillet {
namespace {

// The text as the control holds it, one piece at a time: the check never
// holds a copy of the document.
bool FeedFit(void* context, const char* bytes, std::size_t count) {
    auto* fit = static_cast<CodePageFit*>(context);
    fit->Feed(reinterpret_cast<const wchar_t*>(bytes), count / sizeof(wchar_t));
    return fit->Fits();  // the first character that does not fit settles it
}

// Characters converted at a time, on the stack.
constexpr std::size_t kSlice = 1024;

// Unicode pieces turned into the code page's bytes, "?" for what it lacks. A
// piece may end inside a character (between its two bytes, or between the
// halves of a surrogate pair): that part waits for the next piece.
struct LossyConversion {
    StreamSink sink;
    void* context;
    std::size_t filled;
    unsigned char pending[kSlice * sizeof(wchar_t)];
};

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Converts and hands on the whole characters waiting; at the end, all.
bool HandOnConverted(LossyConversion& conversion, bool last) {
    std::size_t count = conversion.filled / sizeof(wchar_t);
    wchar_t wide[kSlice];
    memcpy(wide, conversion.pending, count * sizeof(wchar_t));
    if (!last && count > 0 && IsHighSurrogate(wide[count - 1])) --count;
    if (count == 0) return true;
    char bytes[kSlice * 4];
    const std::size_t converted = ToCodePage(wide, count, bytes, sizeof bytes, true);
    if (converted == 0 || !conversion.sink(conversion.context, bytes, converted)) return false;
    conversion.filled -= count * sizeof(wchar_t);
    memmove(conversion.pending, conversion.pending + count * sizeof(wchar_t), conversion.filled);
    return true;
}

bool ConvertLossily(void* context, const char* bytes, std::size_t count) {
    auto& conversion = *static_cast<LossyConversion*>(context);
    while (count > 0) {
        const std::size_t room = sizeof conversion.pending - conversion.filled;
        const std::size_t taken = count < room ? count : room;
        memcpy(conversion.pending + conversion.filled, bytes, taken);
        conversion.filled += taken;
        bytes += taken;
        count -= taken;
        if (conversion.filled == sizeof conversion.pending && !HandOnConverted(conversion, false)) return false;
    }
    return true;
}

}  // namespace

CodePageWrite AskBeforeWriting(HWND editor) {
    CodePageFit fit;
    // A transfer that stops early says no more than that a character did not
    // fit; one that fails for the control's own reason fails again, and is
    // reported, when the text is taken for the file.
    StreamEditorTextOut(editor, StreamText::Unicode, FeedFit, &fit);
    if (fit.Fits()) return CodePageWrite::Fits;
    return ShowMessage(kCodePageQuestion, "Quillet", MB_YESNO | MB_ICONWARNING) == IDYES ? CodePageWrite::LossAgreed
                                                                                          : CodePageWrite::Refused;
}

bool StreamTextForFile(HWND editor, CodePageWrite write, StreamSink sink, void* context) {
    if (write != CodePageWrite::LossAgreed) return StreamEditorTextOut(editor, StreamText::Ansi, sink, context);
    // The control's own conversion would put look-alikes in the file.
    LossyConversion conversion{sink, context, 0, {}};
    return StreamEditorTextOut(editor, StreamText::Unicode, ConvertLossily, &conversion) &&
           HandOnConverted(conversion, true);
}

}  // namespace quillet
