#include "platform/editor_view_win.h"

#include <richedit.h>

#include "platform/editor_text_win.h"
#include "platform/text_document_win.h"
#include "platform/win_handles.h"

namespace quillet {
namespace {

constexpr char kWordWrapProperty[] = "Quillet.WordWrap";

LRESULT Send(HWND editor, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(editor, message, wParam, lParam);
}

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
    // The undo history is kept: recording is suspended, not limited to
    // nothing, which would throw the history away.
    const bool modified = IsModified(editor);
    {
        const UndoSuspended noUndoStep(editor);
        Send(editor, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
        Send(editor, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    }
    SetModified(editor, modified);
}

bool IsWordWrapped(HWND editor) { return ::GetPropA(editor, kWordWrapProperty) != nullptr; }

void ForgetWordWrap(HWND editor) { ::RemovePropA(editor, kWordWrapProperty); }

}  // namespace quillet
