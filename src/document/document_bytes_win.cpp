#include "document/document_bytes_win.h"

#include "document/text_transfer.h"
#include "platform/editor_control_win.h"

namespace quillet {
namespace {

bool PassDocument(const void* source, PieceSink sink, void* context) {
    const auto* document = static_cast<const DocumentBytes*>(source);
    if (!StreamTextForFile(document->editor, document->write, sink, context)) return false;
    const std::string_view end = FileEndAfterStreamedText(document->hasLines);
    return end.empty() || sink(context, end.data(), end.size());
}

}  // namespace

ContentSource SourceOf(const DocumentBytes& document) { return {PassDocument, &document}; }

DocumentBytes DocumentBytesOf(HWND editor, CodePageWrite write) { return {editor, LineCount(editor) > 0, write}; }

}  // namespace quillet
