#include "options/editor_font_win.h"

#include <commdlg.h>

#include <optional>
#include <string>

#include "options/font_rules.h"
#include "platform/editor_change_note.h"
#include "platform/editor_view_win.h"
#include "platform/modal_win.h"
#include "platform/wait_cursor_win.h"
#include "platform/win_handles.h"
#include "program/settings_rules.h"
#include "program/settings_win.h"

namespace quillet {
namespace {

// Screen and printer fonts, the dialog starting from the record given; no
// effects (underline, strike-out and colour are not offered).
constexpr DWORD kFontDialogFlags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT;
static_assert(kFontDialogFlags == 0x43, "the font dialog's flags");

// A font record's height for a size in points on the display (negative: a
// character height); 0 when the display cannot be asked.
LONG HeightForPoints(int32_t points) {
    const UniqueDc display(::CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    if (!display) return 0;
    return -::MulDiv(points, ::GetDeviceCaps(display.Get(), LOGPIXELSY), 72);
}

struct FontChoice {
    BOOL result;  // the dialog's, stored as "FontID"
    std::string face;
    int32_t tenthsOfAPoint;
    COLORREF colour;
};

std::optional<FontChoice> ShowFontDialog(const InitialFont& initial) {
    LOGFONTA record{};
    ::lstrcpynA(record.lfFaceName, initial.face.c_str(), sizeof record.lfFaceName);
    if (initial.points != 0) record.lfHeight = HeightForPoints(initial.points);

    CHOOSEFONTA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = ProgramOwnerWindow();
    dialog.lpLogFont = &record;
    dialog.Flags = kFontDialogFlags;
    dialog.rgbColors = 0;
    BOOL result = FALSE;
    {
        ModalScope modal;
        result = ::ChooseFontA(&dialog);
    }
    if (!result) return std::nullopt;
    return FontChoice{result, record.lfFaceName, dialog.iPointSize, dialog.rgbColors};
}

// Only the face and the whole-point size of the choice count: the editor's
// font is always of normal weight and upright, whatever style was picked.
ScopedGdiObject MakeEditorFont(const FontChoice& choice) {
    return ScopedGdiObject(::CreateFontA(
        HeightForPoints(WholePoints(choice.tenthsOfAPoint)), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
        DEFAULT_PITCH | FF_DONTCARE, choice.face.c_str()));
}

}  // namespace

void OnSetFont(const CommandContext& context) {
    const std::string& settings = context.settingsPath;
    const InitialFont initial = InitialFontFrom(ReadSetting(settings, section::kPrimaryFont, key::kFace),
                                                ReadSetting(settings, section::kPrimaryFont, key::kSize));
    const std::optional<FontChoice> choice = ShowFontDialog(initial);
    if (!choice) return;  // cancelled: nothing written, nothing changed
    WriteSetting(settings, section::kPrimaryFont, key::kFontId, FormatInteger(choice->result));
    WriteSetting(settings, section::kPrimaryFont, key::kFontColor,
                 FormatInteger(static_cast<int32_t>(choice->colour)));

    // The control takes the font's face, size and effects into its own
    // character format, so the font is not needed once it is applied.
    const ScopedGdiObject font = MakeEditorFont(*choice);
    if (!font) return;
    {
        WaitCursor wait;  // the control lays the whole document out again
        SetTextFontAndColour(context.editor, static_cast<HFONT>(font.Get()), choice->colour);
    }
    NoteEditorChanged();  // the lines moved without an edit
}

}  // namespace quillet
