#include "platform/editor_control_win.h"

#include <richedit.h>

#include <climits>
#include <vector>

#include "platform/win_handles.h"

namespace quillet {
namespace {

constexpr char kLineMarkProperty[] = "Quillet.LineMark";
constexpr LPARAM kDefaultUndoLimit = 100;

LRESULT Send(HWND editor, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(editor, message, wParam, lParam);
}

bool& RichEdit10Forced() {
    static bool forced = false;
    return forced;
}

// The RichEdit 1.0 control (class "RichEdit", the fallback) keeps a line
// break as CR LF, two character positions, and lacks the 2.0 messages
// EM_GETTEXTLENGTHEX and EM_SETUNDOLIMIT.
bool IsRichEdit10(HWND editor) {
    char className[16] = {};
    ::GetClassNameA(editor, className, sizeof className);
    return ::lstrcmpiA(className, "RichEdit") == 0;
}

const char* LineBreak(HWND editor) { return IsRichEdit10(editor) ? "\r\n" : "\n"; }

// The text with every line break (CR LF, CR or LF) as CR LF, the 1.0
// control's own break.
std::string WithCrLfBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        out += "\r\n";
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return out;
}

void SetLineMark(HWND editor, LineMark mark) {
    ::SetPropA(editor, kLineMarkProperty,
               reinterpret_cast<HANDLE>(static_cast<INT_PTR>(static_cast<int>(mark) + 1)));
}

void Replace(HWND editor, const std::string& text) {
    Send(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool HasText(HWND editor) { return TextLength(editor) > 0; }

void MoveCaretToEnd(HWND editor) {
    // Positions past the end are clamped to it.
    Send(editor, EM_SETSEL, INT_MAX, INT_MAX);
}

struct StreamSource {
    const std::string* text;
    std::size_t offset;
};

DWORD CALLBACK ReadFromString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const std::string& text = *source->text;
    const std::size_t left = text.size() - source->offset;
    std::size_t count = left < static_cast<std::size_t>(size) ? left : size;
    // A CR LF pair split between two reads would become two line breaks.
    if (count > 1 && count < left && text[source->offset + count - 1] == '\r' &&
        text[source->offset + count] == '\n') {
        --count;
    }
    memcpy(buffer, text.data() + source->offset, count);
    source->offset += count;
    *done = static_cast<LONG>(count);
    return 0;
}

DWORD CALLBACK WriteToString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* sink = reinterpret_cast<std::string*>(cookie);
    try {
        sink->append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        *done = 0;
        return 1;  // stops the transfer; the caller sees the error
    }
    *done = size;
    return 0;
}

// Keeps the control from repainting and recording undo steps during a bulk
// change, and puts both back afterwards.
class BulkChange {
public:
    explicit BulkChange(HWND editor) : editor_(editor) {
        Send(editor_, WM_SETREDRAW, FALSE);
        Send(editor_, EM_SETUNDOLIMIT, 0);
    }
    ~BulkChange() {
        Send(editor_, EM_SETUNDOLIMIT, kDefaultUndoLimit);
        Send(editor_, WM_SETREDRAW, TRUE);
        ::InvalidateRect(editor_, nullptr, TRUE);
    }
    BulkChange(const BulkChange&) = delete;
    BulkChange& operator=(const BulkChange&) = delete;

private:
    HWND editor_;
};

constexpr char kWordWrapProperty[] = "Quillet.WordWrap";

void (*&EditorCreatedHook())(HWND) {
    static void (*hook)(HWND) = nullptr;
    return hook;
}

// A new, empty editor control, set up as the program wants every editor.
HWND MakeEditor(const char* className, DWORD exStyle, DWORD style, const RECT& place, HWND parent,
                int controlId) {
    HWND editor = ::CreateWindowExA(exStyle, className, "", style, place.left, place.top,
                                    place.right - place.left, place.bottom - place.top, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                    ::GetModuleHandleA(nullptr), nullptr);
    if (!editor) return nullptr;
    // No practical limit on the document's size.
    Send(editor, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    Send(editor, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    Send(editor, EM_SETUNDOLIMIT, kDefaultUndoLimit);
    SetLineMark(editor, LineMark::None);
    if (auto hook = EditorCreatedHook()) hook(editor);
    return editor;
}

// The caret figures for a position, its line found by counting from the top.
CaretPosition CountFromTop(HWND editor, long position, long lineCount) {
    const long line = static_cast<long>(Send(editor, EM_LINEFROMCHAR, position));
    const long lineStart = static_cast<long>(Send(editor, EM_LINEINDEX, line));
    return {position - lineStart, line, lineCount};
}

}  // namespace

HWND CreateEditor(HWND parent, int controlId, int x, int y, int width, int height) {
    // The control's library stays loaded for the life of the process.
    const char* className = "RichEdit20A";
    if (RichEdit10Forced() || !::LoadLibraryA("RICHED20.DLL")) {
        if (!::LoadLibraryA("RICHED32.DLL")) return nullptr;
        className = "RichEdit";
    }
    return MakeEditor(className, WS_EX_CLIENTEDGE, kEditorStyle, RECT{x, y, x + width, y + height}, parent,
                      controlId);
}

HWND RecreateEditor(HWND editor) {
    HWND parent = ::GetParent(editor);
    RECT place{};
    ::GetWindowRect(editor, &place);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    char className[32] = {};
    ::GetClassNameA(editor, className, sizeof className);
    HWND fresh = MakeEditor(className, static_cast<DWORD>(::GetWindowLongPtrA(editor, GWL_EXSTYLE)),
                            static_cast<DWORD>(::GetWindowLongPtrA(editor, GWL_STYLE)), place, parent,
                            ::GetDlgCtrlID(editor));
    if (!fresh) {
        ClearEditor(editor);
        return editor;
    }
    // What the program set on the old control: its notices, link detection,
    // line width and the format of new text (the font Set Font chose).
    Send(fresh, EM_SETEVENTMASK, 0, Send(editor, EM_GETEVENTMASK));
    if (!IsRichEdit10(editor)) Send(fresh, EM_AUTOURLDETECT, Send(editor, EM_GETAUTOURLDETECT));
    SetWordWrap(fresh, ::GetPropA(editor, kWordWrapProperty) != nullptr);
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    Send(editor, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    Send(fresh, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    // Setting the format is no change to the (empty) document.
    Send(fresh, EM_EMPTYUNDOBUFFER);
    SetModified(fresh, false);
    // The same place among its siblings, and so in the tab order.
    ::SetWindowPos(fresh, editor, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const bool focused = ::GetFocus() == editor;
    ::RemovePropA(editor, kLineMarkProperty);
    ::RemovePropA(editor, kWordWrapProperty);
    ::DestroyWindow(editor);
    if (focused) ::SetFocus(fresh);
    return fresh;
}

void EnableLinkNotices(HWND editor) {
    const LRESULT mask = Send(editor, EM_GETEVENTMASK);
    Send(editor, EM_SETEVENTMASK, 0, mask | ENM_LINK);
    Send(editor, EM_AUTOURLDETECT, TRUE);
}

void ClearEditor(HWND editor) {
    ::SetWindowTextA(editor, "");
    Send(editor, EM_EMPTYUNDOBUFFER);
    SetModified(editor, false);
    SetLineMark(editor, LineMark::None);
}

LineMark GetLineMark(HWND editor) {
    const auto stored = reinterpret_cast<INT_PTR>(::GetPropA(editor, kLineMarkProperty));
    return stored == 0 ? LineMark::None : static_cast<LineMark>(stored - 1);
}

void AddLine(HWND editor, std::string_view text, long index) {
    Send(editor, EM_HIDESELECTION, TRUE);
    const long lineStart = index < 0 ? -1 : static_cast<long>(Send(editor, EM_LINEINDEX, index));
    if (lineStart < 0) {
        const bool hadText = HasText(editor);
        MoveCaretToEnd(editor);
        LineMark mark = GetLineMark(editor);
        if (mark == LineMark::Pending) {
            Replace(editor, LineBreak(editor));
            mark = LineMark::Done;
        }
        if (hadText) {
            Replace(editor, LineBreak(editor) + std::string(text));
        } else {
            Replace(editor, std::string(text));
            if (text.empty() && mark == LineMark::None) mark = LineMark::Pending;
        }
        SetLineMark(editor, mark);
    } else {
        Send(editor, EM_SETSEL, lineStart, lineStart);
        Replace(editor, std::string(text) + LineBreak(editor));
    }
    Send(editor, EM_HIDESELECTION, FALSE);
}

long LineCount(HWND editor) {
    if (!HasText(editor) && GetLineMark(editor) == LineMark::None) return 0;
    return static_cast<long>(Send(editor, EM_GETLINECOUNT));
}

std::string LineText(HWND editor, long line) {
    const long start = static_cast<long>(Send(editor, EM_LINEINDEX, line));
    if (start < 0) return {};
    const long length = static_cast<long>(Send(editor, EM_LINELENGTH, start));
    // Read by range rather than EM_GETLINE, whose 16-bit size word would cut
    // long lines short.
    std::string text = TextRange(editor, start, start + length);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return text;
}

bool LoadEditorText(HWND editor, const std::string& crText, LineMark mark) {
    bool complete = false;
    {
        BulkChange bulk(editor);
        std::string crLfText;
        if (IsRichEdit10(editor)) crLfText = WithCrLfBreaks(crText);
        const std::string& text = IsRichEdit10(editor) ? crLfText : crText;
        StreamSource source{&text, 0};
        EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadFromString};
        Send(editor, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
        complete = stream.dwError == 0 && source.offset == text.size();
    }
    SetLineMark(editor, complete ? mark : LineMark::None);
    SetModified(editor, false);  // the control counts a stream-in as a change
    return complete;
}

bool SaveEditorText(HWND editor, std::string& out) {
    out.clear();
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&out), 0, WriteToString};
    Send(editor, EM_STREAMOUT, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

Selection GetSelection(HWND editor) {
    CHARRANGE range{};
    Send(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return {range.cpMin, range.cpMax};
}

void SetSelection(HWND editor, long start, long end) { Send(editor, EM_SETSEL, start, end); }

bool IsModified(HWND editor) { return Send(editor, EM_GETMODIFY) != 0; }

void SetModified(HWND editor, bool modified) { Send(editor, EM_SETMODIFY, modified ? TRUE : FALSE); }

void ReplaceSelection(HWND editor, const std::string& text) {
    Replace(editor, IsRichEdit10(editor) ? WithCrLfBreaks(text) : text);
}

std::string TextRange(HWND editor, long start, long end) {
    if (end <= start) return {};
    // The control writes the range in the ANSI code page, where a character
    // may take more than one byte.
    CPINFO codePage{};
    const std::size_t bytesPerChar = ::GetCPInfo(CP_ACP, &codePage) && codePage.MaxCharSize > 1
                                         ? codePage.MaxCharSize
                                         : 1;
    std::vector<char> buffer(static_cast<std::size_t>(end - start) * bytesPerChar + 1, '\0');
    TEXTRANGEA range{{start, end}, buffer.data()};
    const auto copied = static_cast<std::size_t>(Send(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
    return std::string(buffer.data(), copied < buffer.size() ? copied : buffer.size() - 1);
}

long TextLength(HWND editor) {
    // Counted as the selection counts: a line break as one character in 2.0,
    // where the control keeps this figure, so it costs nothing to ask; as
    // two in 1.0, which has no EM_GETTEXTLENGTHEX.
    if (IsRichEdit10(editor)) return static_cast<long>(Send(editor, WM_GETTEXTLENGTH));
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<long>(Send(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how)));
}

EditorState ObserveEditor(HWND editor) {
    EditorState state{};
    const Selection selection = GetSelection(editor);
    state.selectionStart = selection.start;
    state.selectionEnd = selection.end;
    state.textLength = TextLength(editor);
    state.lineCount = static_cast<long>(Send(editor, EM_GETLINECOUNT));
    RECT client{};
    ::GetClientRect(editor, &client);
    state.width = client.right - client.left;
    return state;
}

CaretPosition GetCaretPosition(HWND editor, const EditorState& state) {
    const long count = state.lineCount;
    // Finding a line by character position counts lines from the top, which
    // on a large document costs milliseconds. At the very end of the text the
    // caret is on the last line, and the control finds the start of the
    // caret's line directly. A single-line document needs no counting either.
    const bool onLastLine =
        state.selectionStart == state.selectionEnd && (count == 1 || state.selectionStart == state.textLength);
    if (onLastLine) {
        const long lineStart = static_cast<long>(Send(editor, EM_LINEINDEX, static_cast<WPARAM>(-1)));
        return {state.selectionStart - lineStart, count - 1, count};
    }
    return CountFromTop(editor, state.selectionStart, count);
}

CaretPosition GetCaretPosition(HWND editor) { return GetCaretPosition(editor, ObserveEditor(editor)); }

CaretPosition CountCaretPosition(HWND editor) {
    return CountFromTop(editor, GetSelection(editor).start, static_cast<long>(Send(editor, EM_GETLINECOUNT)));
}

long LineStartOf(HWND editor, long position) {
    // Read back from position in growing pieces until a break turns up: the
    // control's own line figures count wrapped display lines.
    long end = position;
    long piece = 4096;
    while (end > 0) {
        const long start = end > piece ? end - piece : 0;
        const std::string text = TextRange(editor, start, end);
        const std::size_t lastBreak = text.find_last_of("\r\n");
        if (lastBreak != std::string::npos) return start + static_cast<long>(lastBreak) + 1;
        end = start;
        if (piece < (1L << 20)) piece *= 2;
    }
    return 0;
}

void UseRichEdit10ForTesting(bool use) { RichEdit10Forced() = use; }

void SetEditorCreatedHookForTesting(void (*hook)(HWND editor)) { EditorCreatedHook() = hook; }

long FindInEditor(HWND editor, long from, const std::string& text, unsigned flags) {
    FINDTEXTA request{{from, -1}, text.c_str()};
    return static_cast<long>(Send(editor, EM_FINDTEXT, flags, reinterpret_cast<LPARAM>(&request)));
}

// --- How the editor shows the text.

namespace {

// A line width in twips beyond any line: lines break only at their ends.
constexpr LPARAM kNoWrapLineWidth = 0xFFFFFF;

// The font's character height (its em) in pixels. A font asked for by
// character height has it in its record; otherwise it is measured.
int EmHeight(HDC dc, HFONT font, const LOGFONTA& record) {
    if (record.lfHeight < 0) return -record.lfHeight;
    ScopedSelect select(dc, font);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight - metrics.tmInternalLeading;
}

// The character format the control makes of a font given with WM_SETFONT,
// with the colour added. The 1.0 control's record, which both controls take:
// the weight is normal or bold.
CHARFORMATA FormatOf(HWND editor, HFONT font, COLORREF colour) {
    LOGFONTA record{};
    ::GetObjectA(font, sizeof record, &record);
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_CHARSET | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT |
                    CFM_COLOR;
    if (record.lfWeight > FW_NORMAL) format.dwEffects |= CFE_BOLD;
    if (record.lfItalic) format.dwEffects |= CFE_ITALIC;
    if (record.lfUnderline) format.dwEffects |= CFE_UNDERLINE;
    if (record.lfStrikeOut) format.dwEffects |= CFE_STRIKEOUT;
    format.crTextColor = colour;
    format.bCharSet = record.lfCharSet;
    format.bPitchAndFamily = record.lfPitchAndFamily;
    ::lstrcpynA(format.szFaceName, record.lfFaceName, sizeof format.szFaceName);
    HDC dc = ::GetDC(editor);
    format.yHeight = ::MulDiv(EmHeight(dc, font, record), 1440, ::GetDeviceCaps(dc, LOGPIXELSY));
    ::ReleaseDC(editor, dc);
    return format;
}

}  // namespace

void SetWordWrap(HWND editor, bool wrap) {
    Send(editor, EM_SETTARGETDEVICE, 0, wrap ? 0 : kNoWrapLineWidth);
    // Remembered, so that a replacement editor wraps as this one does.
    if (wrap) {
        ::SetPropA(editor, kWordWrapProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(1)));
    } else {
        ::RemovePropA(editor, kWordWrapProperty);
    }
}

void SetTextFontAndColour(HWND editor, HFONT font, COLORREF colour) {
    CHARFORMATA format = FormatOf(editor, font, colour);
    // Each of these messages lays the whole document out again, so the font
    // and the colour travel together: once for the text, once for new text
    // (WM_SETFONT would be a third time, since it carries no colour).
    // Formatting the whole text would otherwise be an undo step (one that
    // takes seconds on a large document, and leaves the text in the old font
    // while new text comes in the new one) and would mark the text modified.
    const bool modified = IsModified(editor);
    Send(editor, EM_SETUNDOLIMIT, 0);
    Send(editor, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    Send(editor, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    Send(editor, EM_SETUNDOLIMIT, kDefaultUndoLimit);
    SetModified(editor, modified);
}

}  // namespace quillet
