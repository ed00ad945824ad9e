#include "platform/text_document_win.h"

#include <richedit.h>

namespace quillet {
namespace {

// ITextDocument's interface identifier (tom.h declares the interface; not
// every import library defines the identifier).
constexpr IID kTextDocumentId{0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

}  // namespace

TextDocument::TextDocument(HWND editor) {
    IRichEditOle* ole = nullptr;
    if (!::SendMessageA(editor, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) || !ole) return;
    if (FAILED(ole->QueryInterface(kTextDocumentId, reinterpret_cast<void**>(&document_)))) document_ = nullptr;
    ole->Release();
}

TextDocument::~TextDocument() {
    if (document_) document_->Release();
}

std::wstring TextDocument::Text(long start, long end) const {
    std::wstring text;
    ITextRange* range = nullptr;
    if (!document_ || FAILED(document_->Range(start, end, &range)) || !range) return text;
    BSTR read = nullptr;
    if (SUCCEEDED(range->GetText(&read)) && read) {
        text.assign(read, ::SysStringLen(read));
        ::SysFreeString(read);
    }
    range->Release();
    return text;
}

UndoSuspended::UndoSuspended(HWND editor) : document_(editor) {
    if (document_) document_->Undo(tomSuspend, nullptr);
}

UndoSuspended::~UndoSuspended() {
    if (document_) document_->Undo(tomResume, nullptr);
}

}  // namespace quillet
