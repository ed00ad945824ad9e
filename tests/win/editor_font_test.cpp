// Set Font through the real font dialog, answered by the test: the editor's
// font and colour, what is stored, and what a cancelled dialog leaves.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/dispatch_win.h"
#include "app/status_bar_win.h"
#include "app/status_text.h"
#include "options/editor_font_win.h"
#include "platform/editor_control_win.h"
#include "platform/editor_text_win.h"
#include "program/settings_win.h"
#include "support/editor_lines.h"
#include "support/main_window_probe.h"
#include "support/swapped_system_calls.h"
#include "support/view_probe.h"

namespace quillet {
namespace {

using test::AddLine;
using test::LineText;

// Faces the dialog may offer, in the order they are tried.
const char* const kFaces[] = {"Courier New", "Tahoma", "Liberation Mono", "DejaVu Sans"};

// The editor's size for whole points: the font is made in whole pixels of
// the display, so 14 points at 96 pixels an inch are 19 pixels, 285 twips.
LONG Twips(int points) {
    HDC display = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const int perInch = ::GetDeviceCaps(display, LOGPIXELSY);
    ::DeleteDC(display);
    return ::MulDiv(::MulDiv(points, perInch, 72), 1440, perInch);
}

void ExpectNormalUprightBlack(const CHARFORMAT2A& format, const std::string& face, int points) {
    EXPECT_STREQ(format.szFaceName, face.c_str());
    EXPECT_EQ(format.yHeight, Twips(points));
    EXPECT_EQ(format.wWeight, FW_NORMAL);
    EXPECT_EQ(format.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_AUTOCOLOR), 0u);
    EXPECT_EQ(format.crTextColor, RGB(0, 0, 0));
    const DWORD shared = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_COLOR;  // alike everywhere
    EXPECT_EQ(format.dwMask & shared, shared);
}

class EditorFontTest : public test::StartedMainWindowTest {
protected:
    void SetUp() override {
        Start();
        for (const char* line : {"The quick brown fox", "jumps over"}) AddLine(Main().editor, line);
        test::ComeToFront(Main().window);
    }

    // Set Font with the dialog answered: the first of kFaces it offers, then
    // style and size, then OK; Cancel when `accept` is false. Returns the face
    // chosen ("" when cancelled) and what the dialog proposed for the size.
    std::string SetFont(bool accept, const char* style, const char* size, std::string* proposedSize = nullptr) {
        std::string face;
        HWND main = Main().window;
        HWND owner = nullptr;
        bool mainEnabled = true;
        {
            test::DialogAnswerer answerer("Font", [&](HWND dialog) {
                if (proposedSize) *proposedSize = test::WindowText(::GetDlgItem(dialog, test::kSizeList));
                owner = ::GetWindow(dialog, GW_OWNER);
                mainEnabled = ::IsWindowEnabled(main) != FALSE;
                for (const char* offered : kFaces) {
                    if (accept && face.empty() && test::ChooseComboItem(dialog, test::kFaceList, offered)) face = offered;
                }
                const bool chosen = !face.empty() && test::ChooseComboItem(dialog, test::kStyleList, style) &&
                                    test::ChooseComboItem(dialog, test::kSizeList, size);
                if (!chosen) face.clear();
                test::PressButton(dialog, chosen ? IDOK : IDCANCEL);
            });
            DispatchMenuEvent({main, Main().editor, SettingsFilePath()}, 27);
            EXPECT_TRUE(answerer.Answered()) << "no font dialog";
        }
        EXPECT_EQ(owner, main);
        EXPECT_FALSE(mainEnabled) << "the main window is disabled while the dialog is up";
        EXPECT_TRUE(::IsWindowEnabled(main));
        if (accept) {
            EXPECT_FALSE(face.empty()) << "none of the faces is offered";
        }
        return face;
    }
    std::string Font(const char* key) { return ReadSetting(SettingsFilePath(), "PrimaryFont", key); }
};

TEST_F(EditorFontTest, BoldItalic12GivesAllTextAndNewTextANormalUpright12PointFontOfThatFaceInBlack) {
    HWND editor = Main().editor;
    SetSelection(editor, 0, 0);
    ReplaceSelection(editor, "typed ");
    SetModified(editor, false);
    test::RelayoutSpy spy(editor);
    std::string proposed;
    const std::string face = SetFont(true, "Bold Italic", "12", &proposed);
    ASSERT_FALSE(face.empty());

    EXPECT_EQ(proposed, "10");
    ExpectNormalUprightBlack(test::TextFormat(editor), face, 12);
    ExpectNormalUprightBlack(test::DefaultFormat(editor), face, 12);
    EXPECT_EQ(Font("FontID"), "1");
    EXPECT_EQ(Font("FontColor"), "0");
    EXPECT_EQ(Font("Face"), "Arial");
    EXPECT_EQ(Font("Size"), "10");

    // Two layouts (the text, then new text) under the wait cursor; no edit:
    // not modified, and Undo takes back the typing, not the font.
    ASSERT_EQ(spy.Messages().size(), 2u);
    for (const auto& seen : spy.Messages()) EXPECT_TRUE(seen.message == EM_SETCHARFORMAT && seen.waitCursor);
    EXPECT_FALSE(IsModified(editor));
    ::SendMessageA(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(LineText(editor, 0), "The quick brown fox");
    ExpectNormalUprightBlack(test::TextFormat(editor), face, 12);

    ASSERT_TRUE(LoadEditorText(editor, "a new\rdocument", LineMark::None));
    ExpectNormalUprightBlack(test::TextFormat(editor), face, 12);
}

TEST_F(EditorFontTest, TheNextChoiceStartsFromTheStoredSizeAndReplacesTheFont) {
    ASSERT_FALSE(SetFont(true, "Regular", "12").empty());
    std::string proposed;
    const std::string face = SetFont(true, "Italic", "14", &proposed);
    EXPECT_EQ(proposed, "10");
    ExpectNormalUprightBlack(test::TextFormat(Main().editor), face, 14);
    ExpectNormalUprightBlack(test::DefaultFormat(Main().editor), face, 14);
}

TEST_F(EditorFontTest, CancelChangesNothingAndA40CharacterStoredFaceDoesNoHarm) {
    ASSERT_TRUE(WriteSetting(SettingsFilePath(), "PrimaryFont", "Face", std::string(40, 'F')));
    ASSERT_TRUE(WriteSetting(SettingsFilePath(), "PrimaryFont", "Size", "large"));
    const std::string settings = test::ReadFileBytes(SettingsFilePath());
    const CHARFORMAT2A text = test::TextFormat(Main().editor);
    const CHARFORMAT2A fresh = test::DefaultFormat(Main().editor);
    SetFont(false, "Regular", "12");
    EXPECT_EQ(test::ReadFileBytes(SettingsFilePath()), settings);
    for (const auto& [before, after] : {std::pair{text, test::TextFormat(Main().editor)},
                                        std::pair{fresh, test::DefaultFormat(Main().editor)}}) {
        EXPECT_STREQ(after.szFaceName, before.szFaceName);
        EXPECT_EQ(after.yHeight, before.yHeight);
        EXPECT_EQ(after.dwEffects, before.dwEffects);
    }
}

TEST_F(EditorFontTest, OnTheRichEdit10FallbackTheFontAndWordWrapWorkToo) {
    {
        test::SwappedSystemCalls calls;
        calls->loadRichEdit20 = [] { return false; };
        Start();
    }
    AddLine(Main().editor, test::LongLine());
    test::ComeToFront(Main().window);
    DispatchMenuEvent({Main().window, Main().editor, SettingsFilePath()}, 26);
    EXPECT_GT(test::DisplayLines(Main().editor), 1);
    const std::string face = SetFont(true, "Bold", "12");
    ASSERT_FALSE(face.empty());
    ExpectNormalUprightBlack(test::TextFormat(Main().editor), face, 12);
}

// With word wrap on, a new font moves the wrap points. Here the text's
// length, its line count and the selection stay as they were, so that only
// the caret's column changes: the status bar must follow all the same.
TEST_F(EditorFontTest, TheStatusBarFollowsAWrapPointThatTheNewFontMoved) {
    HWND editor = Main().editor;
    const std::string words = test::LongLine(300);
    ClearEditor(editor);
    AddLine(editor, words);
    DispatchMenuEvent({Main().window, Main().editor, SettingsFilePath()}, 26);  // word wrap on
    ASSERT_GT(test::DisplayLines(editor), 1);
    ASSERT_FALSE(SetFont(true, "Regular", "10").empty());
    const std::vector<long> smaller = test::WrapStarts(editor);
    ASSERT_FALSE(SetFont(true, "Regular", "12").empty());
    const long end = test::EndWhereOnlyTheWrapMoves(words, smaller, test::WrapStarts(editor));
    ASSERT_GT(end, 0) << "no text where only the wrap moves";

    ASSERT_FALSE(SetFont(true, "Regular", "10").empty());
    ClearEditor(editor);
    AddLine(editor, words.substr(0, static_cast<std::size_t>(end)));
    SetSelection(editor, end, end);
    RefreshStatusBar(Main());
    const std::string before = test::StatusBarText(Main().statusBar);
    const long lines = test::DisplayLines(editor);
    ASSERT_FALSE(SetFont(true, "Regular", "12").empty());
    ASSERT_EQ(lines, test::DisplayLines(editor));
    RefreshStatusBar(Main());
    const CaretPosition counted = test::CountCaretPosition(editor);
    EXPECT_EQ(StatusText(counted.column, counted.line, counted.lineCount), test::StatusBarText(Main().statusBar));
    EXPECT_NE(before, test::StatusBarText(Main().statusBar));
}

}  // namespace
}  // namespace quillet
