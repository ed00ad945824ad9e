// Set Font through the real font dialog, answered by the test: the editor's
// font and colour, what is stored, and what a cancelled dialog leaves.
#include <gtest/gtest.h>

#include <windows.h>

#include <richedit.h>

#include <string>
#include <vector>

#include "app/command_handlers_win.h"
#include "app/commands.h"
#include "app/settings_win.h"
#include "app/status_bar_win.h"
#include "app/status_text.h"
#include "options/editor_font_win.h"
#include "platform/editor_control_win.h"
#include "support/main_window_probe.h"
#include "support/view_probe.h"

namespace quillet {
namespace {

using test::ChooseComboItem;
using test::DialogAnswerer;
using test::PressButton;
namespace font_dialog = test::font_dialog;

constexpr char kFontDialog[] = "Font";

// How the editor reports the size of a font of whole points: the font is
// made in whole pixels of the display, so 14 points at 96 pixels an inch are
// 19 pixels, which the editor counts as 285 twips (not 280).
LONG Twips(int points) {
    HDC display = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const int perInch = ::GetDeviceCaps(display, LOGPIXELSY);
    ::DeleteDC(display);
    return ::MulDiv(::MulDiv(points, perInch, 72), 1440, perInch);
}

// What the dialog showed, and what was chosen in it.
struct Answer {
    std::string face;  // chosen; empty when none of the wanted faces is offered
    std::string shownFace;
    std::string shownSize;
    bool ownerDisabled = false;
    HWND owner = nullptr;
};

// A face other than the stored one, offered by the dialog.
std::string OfferedFace(HWND dialog, const std::vector<std::string>& wanted) {
    const std::vector<std::string> faces = test::ComboItems(dialog, font_dialog::kFaceList);
    for (const std::string& face : wanted) {
        for (const std::string& offered : faces) {
            if (offered == face) return face;
        }
    }
    return {};
}

class EditorFontTest : public test::StartedMainWindowTest {
protected:
    void SetUp() override {
        Start();
        for (const char* line : {"The quick brown fox", "jumps over", "the lazy dog"}) AddLine(Editor(), line);
        ::SetForegroundWindow(Main().window);
        test::PumpMessages();
    }

    HWND Editor() { return Main().editor; }
    CommandContext Context() { return {Main().window, Main().editor, SettingsFilePath()}; }

    // Set Font, the dialog answered by choosing a face of `faces` (the first
    // the dialog offers), `style` and `size`, then OK; or Cancel when
    // `faces` is empty.
    Answer SetFont(const std::vector<std::string>& faces, const char* style = "Regular",
                   const char* size = "12") {
        Answer answer;
        {
            HWND main = Main().window;
            DialogAnswerer answerer(kFontDialog, [&, main](HWND dialog) {
                answer.shownFace = test::ComboText(dialog, font_dialog::kFaceList);
                answer.shownSize = test::ComboText(dialog, font_dialog::kSizeList);
                answer.ownerDisabled = !::IsWindowEnabled(main);
                answer.owner = ::GetWindow(dialog, GW_OWNER);
                answer.face = faces.empty() ? "" : OfferedFace(dialog, faces);
                if (answer.face.empty() || !ChooseComboItem(dialog, font_dialog::kFaceList, answer.face) ||
                    !ChooseComboItem(dialog, font_dialog::kStyleList, style) ||
                    !ChooseComboItem(dialog, font_dialog::kSizeList, size)) {
                    answer.face.clear();
                    PressButton(dialog, IDCANCEL);
                    return;
                }
                PressButton(dialog, IDOK);
            });
            DispatchMenuEvent(Context(), menu_id::kSetFont);
            EXPECT_TRUE(answerer.Answered()) << "no font dialog";
        }
        return answer;
    }

    std::string Font(const char* key) { return ReadSetting(SettingsFilePath(), "PrimaryFont", key); }
};

// Faces the dialog may offer under Wine and on Windows.
const std::vector<std::string> kFaces = {"Courier New", "Tahoma", "Liberation Mono", "DejaVu Sans"};
const std::vector<std::string> kOtherFaces = {"Tahoma", "DejaVu Sans", "Courier New", "Liberation Mono"};

void ExpectNormalUprightBlack(const CHARFORMAT2A& format, const std::string& face, int points) {
    EXPECT_STREQ(format.szFaceName, face.c_str());
    EXPECT_EQ(format.yHeight, Twips(points));
    EXPECT_EQ(format.wWeight, FW_NORMAL);
    EXPECT_EQ(format.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT | CFE_AUTOCOLOR), 0u);
    EXPECT_EQ(format.crTextColor, RGB(0, 0, 0));
    // Every character alike: the mask keeps the attributes they share.
    const DWORD shared = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_COLOR;
    EXPECT_EQ(format.dwMask & shared, shared);
}

TEST_F(EditorFontTest, BoldItalic12GivesTheWholeTextANormalUpright12PointFontOfThatFaceInBlack) {
    const std::string before = test::ReadFileBytes(SettingsFilePath());
    const Answer answer = SetFont(kFaces, "Bold Italic", "12");
    ASSERT_FALSE(answer.face.empty()) << "none of the faces is offered";

    // The dialog proposed the stored size, was owned by the main window and
    // had it disabled.
    EXPECT_EQ(answer.shownSize, "10");
    EXPECT_EQ(answer.owner, Main().window);
    EXPECT_TRUE(answer.ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(Main().window));

    ExpectNormalUprightBlack(test::TextFormat(Editor()), answer.face, 12);
    ExpectNormalUprightBlack(test::DefaultFormat(Editor()), answer.face, 12);
    LOGFONTA made{};
    ASSERT_TRUE(::GetObjectA(EditorFont(), sizeof made, &made));
    EXPECT_STREQ(made.lfFaceName, answer.face.c_str());
    EXPECT_EQ(made.lfWeight, FW_NORMAL);
    EXPECT_FALSE(made.lfItalic);

    EXPECT_EQ(Font("FontID"), "1");
    EXPECT_EQ(Font("FontColor"), "0");
    EXPECT_EQ(Font("Face"), "Arial");
    EXPECT_EQ(Font("Size"), "10");
    EXPECT_NE(test::ReadFileBytes(SettingsFilePath()), before);
}

TEST_F(EditorFontTest, TextLoadedOrTypedAfterwardsComesInTheChosenFont) {
    const Answer answer = SetFont(kFaces, "Regular", "12");
    ASSERT_FALSE(answer.face.empty());
    ASSERT_TRUE(LoadEditorText(Editor(), "a new\rdocument", LineMark::None));
    ExpectNormalUprightBlack(test::TextFormat(Editor()), answer.face, 12);
    ClearEditor(Editor());
    ReplaceSelection(Editor(), "typed");
    ExpectNormalUprightBlack(test::TextFormat(Editor()), answer.face, 12);
}

TEST_F(EditorFontTest, TheFontChangeIsNoEditAndLaysTheTextOutTwiceUnderTheWaitCursor) {
    SetModified(Editor(), false);
    SetSelection(Editor(), 0, 0);
    ReplaceSelection(Editor(), "typed ");
    SetModified(Editor(), false);
    test::RelayoutSpy spy(Editor());
    ASSERT_FALSE(SetFont(kFaces).face.empty());

    ASSERT_EQ(spy.Messages().size(), 2u) << "the font and the colour, for the text and for new text";
    for (const auto& seen : spy.Messages()) EXPECT_TRUE(seen.waitCursor);
    EXPECT_NE(::GetCursor(), ::LoadCursorA(nullptr, IDC_WAIT));
    EXPECT_FALSE(IsModified(Editor()));

    // Undo takes back the typing, not the font.
    ::SendMessageA(Editor(), EM_UNDO, 0, 0);
    EXPECT_EQ(LineText(Editor(), 0), "The quick brown fox");
    EXPECT_EQ(test::TextFormat(Editor()).yHeight, Twips(12));
}

TEST_F(EditorFontTest, TheNextChoiceReplacesTheFontAndTheDialogProposesTheStoredSizeAgain) {
    ASSERT_FALSE(SetFont(kFaces, "Regular", "12").face.empty());
    HFONT first = EditorFont();
    const Answer again = SetFont(kOtherFaces, "Italic", "14");
    ASSERT_FALSE(again.face.empty());
    EXPECT_EQ(again.shownSize, "10");
    EXPECT_NE(EditorFont(), first);
    EXPECT_EQ(::GetObjectType(first), 0u) << "the replaced font is deleted";
    ExpectNormalUprightBlack(test::TextFormat(Editor()), again.face, 14);
}

TEST_F(EditorFontTest, TheStatusTextRightAfterAFontChangeIsWhatAFullCountGives) {
    std::string words;
    for (int i = 0; i < 40; ++i) words += "word" + std::to_string(i) + " ";
    AddLine(Editor(), words);
    AddLine(Editor(), "end");
    DispatchMenuEvent(Context(), menu_id::kWordWrap);
    SetSelection(Editor(), -1, -1);
    RefreshStatusBar(Main());
    const std::string before = test::StatusBarText(Main().statusBar);

    ASSERT_FALSE(SetFont(kFaces, "Regular", "16").face.empty());
    RefreshStatusBar(Main());
    const CaretPosition counted = CountCaretPosition(Editor());
    EXPECT_EQ(test::StatusBarText(Main().statusBar), StatusText(counted.column, counted.line, counted.lineCount));
    EXPECT_NE(test::StatusBarText(Main().statusBar), before);
}

TEST_F(EditorFontTest, CancelChangesNothingInTheFileOrTheEditor) {
    const std::string settings = test::ReadFileBytes(SettingsFilePath());
    const CHARFORMAT2A text = test::TextFormat(Editor());
    const CHARFORMAT2A fresh = test::DefaultFormat(Editor());
    HFONT font = EditorFont();
    SetFont({});
    EXPECT_EQ(test::ReadFileBytes(SettingsFilePath()), settings);
    EXPECT_EQ(EditorFont(), font);
    const CHARFORMAT2A textAfter = test::TextFormat(Editor());
    const CHARFORMAT2A freshAfter = test::DefaultFormat(Editor());
    EXPECT_STREQ(textAfter.szFaceName, text.szFaceName);
    EXPECT_EQ(textAfter.yHeight, text.yHeight);
    EXPECT_EQ(textAfter.dwEffects, text.dwEffects);
    EXPECT_EQ(freshAfter.dwEffects & CFE_AUTOCOLOR, fresh.dwEffects & CFE_AUTOCOLOR);
    EXPECT_EQ(freshAfter.yHeight, fresh.yHeight);
}

TEST_F(EditorFontTest, AStoredFaceTooLongForTheRecordOrASizeWithoutDigitsOpensTheDialogWithoutHarm) {
    const std::string face40(40, 'F');
    ASSERT_TRUE(WriteSetting(SettingsFilePath(), "PrimaryFont", "Face", face40));
    ASSERT_TRUE(WriteSetting(SettingsFilePath(), "PrimaryFont", "Size", "large"));
    const Answer answer = SetFont(kFaces, "Regular", "12");
    ASSERT_FALSE(answer.face.empty());
    EXPECT_LE(answer.shownFace.size(), 31u);
    ExpectNormalUprightBlack(test::TextFormat(Editor()), answer.face, 12);
    EXPECT_EQ(Font("Face"), face40);
    EXPECT_EQ(Font("Size"), "large");
}

}  // namespace
}  // namespace quillet
