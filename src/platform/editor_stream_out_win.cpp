#include "platform/editor_stream_out_win.h"

#include <richedit.h>

#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "platform/code_page_win.h"
#include "platform/editor_text_win.h"

namespace quillet {
namespace {

struct SinkCall {
    PieceSink sink;
    void* context;
    std::exception_ptr thrown;
};

// Hands a piece on; an exception stops the transfer and waits in the call.
DWORD HandOn(SinkCall& call, const char* bytes, std::size_t count) {
    try {
        return call.sink(call.context, bytes, count) ? 0 : 1;
    } catch (...) {
        call.thrown = std::current_exception();
        return 1;
    }
}

DWORD CALLBACK WriteToSink(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    *done = size;
    return HandOn(*reinterpret_cast<SinkCall*>(cookie), reinterpret_cast<const char*>(buffer),
                  static_cast<std::size_t>(size));
}

// The 1.0 control streams only ANSI text: each piece is converted before it
// is handed on, a lead byte at a piece's end waiting for its second byte.
struct WideningSink {
    SinkCall call;
    std::string pending;
};

DWORD CALLBACK WidenToSink(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* widening = reinterpret_cast<WideningSink*>(cookie);
    *done = size;
    try {
        std::string& bytes = widening->pending;
        bytes.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(size));
        std::size_t whole = bytes.size();
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (!::IsDBCSLeadByte(static_cast<BYTE>(bytes[i]))) continue;
            if (i + 1 == bytes.size()) whole = i;
            ++i;
        }
        const std::wstring wide = FromCodePage(std::string_view(bytes.data(), whole));
        bytes.erase(0, whole);
        return HandOn(widening->call, reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    } catch (...) {
        widening->call.thrown = std::current_exception();
        return 1;
    }
}

bool AppendBytes(void* context, const char* bytes, std::size_t count) {
    static_cast<std::string*>(context)->append(bytes, count);
    return true;
}

// UTF-16 pieces into a wide string; a byte left over waits for the next piece.
struct WideText {
    std::wstring* out;
    char half;
    bool halfPending;
};

bool AppendWide(void* context, const char* bytes, std::size_t count) {
    auto* text = static_cast<WideText*>(context);
    if (count > 0 && text->halfPending) {
        const char pair[2] = {text->half, bytes[0]};
        wchar_t c = 0;
        memcpy(&c, pair, sizeof c);
        text->out->push_back(c);
        text->halfPending = false;
        ++bytes;
        --count;
    }
    const std::size_t whole = count / sizeof(wchar_t);
    const std::size_t at = text->out->size();
    text->out->resize(at + whole);
    memcpy(text->out->data() + at, bytes, whole * sizeof(wchar_t));
    if (count % sizeof(wchar_t)) {
        text->half = bytes[count - 1];
        text->halfPending = true;
    }
    return true;
}

}  // namespace

// Nothing a sink throws crosses the control: the transfer stops, and the
// exception goes on from here once the control has returned.
bool StreamEditorTextOut(HWND editor, StreamText form, PieceSink sink, void* context) {
    WideningSink widening{{sink, context, nullptr}, {}};
    SinkCall& call = widening.call;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&call), 0, WriteToSink};
    WPARAM format = SF_TEXT;
    if (form == StreamText::Unicode && IsRichEdit10(editor)) {
        stream = EDITSTREAM{reinterpret_cast<DWORD_PTR>(&widening), 0, WidenToSink};
    } else if (form == StreamText::Unicode) {
        format |= SF_UNICODE;
    }
    ::SendMessageA(editor, EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&stream));
    if (call.thrown) std::rethrow_exception(call.thrown);
    return stream.dwError == 0;
}

bool SaveEditorText(HWND editor, std::string& out) {
    out.clear();
    return StreamEditorTextOut(editor, StreamText::Ansi, AppendBytes, &out);
}

bool SaveEditorTextW(HWND editor, std::wstring& out) {
    out.clear();
    WideText text{&out, 0, false};
    return StreamEditorTextOut(editor, StreamText::Unicode, AppendWide, &text) && !text.halfPending;
}

bool ReadEditorTextW(HWND editor, std::wstring& out) {
    try {
        // The 1.0 control's lengths and ranges miscount double-byte
        // characters: its text is streamed out instead.
        if (IsRichEdit10(editor)) return SaveEditorTextW(editor, out);
        out.clear();
        const long length = TextLength(editor);
        if (length <= 0) return true;
        // The control takes the buffer's size in bytes, as a DWORD.
        if (static_cast<unsigned long>(length) >= MAXDWORD / sizeof(wchar_t)) return false;
        out.resize(static_cast<std::size_t>(length) + 1);
        GETTEXTEX how{static_cast<DWORD>(out.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
        const auto copied = static_cast<std::size_t>(::SendMessageA(editor, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&how),
                                                                    reinterpret_cast<LPARAM>(out.data())));
        out.resize(copied < out.size() ? copied : out.size() - 1);
        return static_cast<long>(out.size()) == length;
    } catch (const std::bad_alloc&) {
        out.clear();
        out.shrink_to_fit();
        return false;
    }
}

}  // namespace quillet
