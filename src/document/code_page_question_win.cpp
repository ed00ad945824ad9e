#include "document/code_page_question_win.h"

#include "platform/code_page_win.h"
#include "platform/editor_stream_out_win.h"
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

bool StreamTextForFile(HWND editor, CodePageWrite write, PieceSink sink, void* context) {
    if (write != CodePageWrite::LossAgreed) return StreamEditorTextOut(editor, StreamText::Ansi, sink, context);
    // The control's own conversion would put look-alikes in the file.
    CodePageWriter writer(sink, context);
    return StreamEditorTextOut(editor, StreamText::Unicode, CodePageWriter::FeedPiece, &writer) && writer.Finish();
}

}  // namespace quillet
