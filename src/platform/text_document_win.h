// The editor's text object model: its document interface, held for a scope.
// The RichEdit 2.0 control offers it; the 1.0 control does not, and then the
// object is empty and every use of it does nothing.
#pragma once

#include <windows.h>

#include <richole.h>
#include <tom.h>

#include <string>

namespace quillet {

class TextDocument {
public:
    explicit TextDocument(HWND editor);
    ~TextDocument();
    TextDocument(const TextDocument&) = delete;
    TextDocument& operator=(const TextDocument&) = delete;

    explicit operator bool() const { return document_ != nullptr; }
    ITextDocument* operator->() const { return document_; }

    // The characters from start to end as the control holds them; "" when
    // they cannot be read.
    std::wstring Text(long start, long end) const;

private:
    ITextDocument* document_ = nullptr;
};

// While it lives, the control records no undo steps, and keeps the ones it
// has (a zero undo limit would throw them away). Where the control cannot
// suspend its recording, changes are recorded as usual.
class UndoSuspended {
public:
    explicit UndoSuspended(HWND editor);
    ~UndoSuspended();
    UndoSuspended(const UndoSuspended&) = delete;
    UndoSuspended& operator=(const UndoSuspended&) = delete;

private:
    TextDocument document_;
};

}  // namespace quillet
