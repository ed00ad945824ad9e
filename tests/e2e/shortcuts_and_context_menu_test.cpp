// The running quillet.exe driven with real keys and a real right-button
// press: the Ctrl shortcuts, and the context menu at the mouse pointer.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <iostream>
#include <memory>
#include <string>

#include "e2e/quillet_process.h"
#include "e2e/real_input.h"
#include "e2e/screen_capture.h"
#include "e2e/shared_steps.h"
#include "editing/date_time_win.h"
#include "support/win_test_support.h"

namespace quillet::e2e {
namespace {

using test::ClipboardText;
using test::FocusOf;
using test::ReadFileBytes;

std::string Today() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return DateText(now);
}

class ShortcutsAndContextMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program_.Copied());
        ASSERT_TRUE(program_.Start()) << "the main window did not appear";
    }

    // Presses the keys with the program in front, then waits until observe()
    // gives `expected`.
    void PressAndExpect(const std::vector<WORD>& keys, const std::function<std::string()>& observe,
                        const std::string& expected) {
        ASSERT_TRUE(BringToFront(program_.Window()));
        ASSERT_TRUE(PressKeys(keys));
        EXPECT_TRUE(WaitFor([&] { return observe() == expected; })) << keys.back() << ": " << observe();
    }

    test::TempFolder folder_;
    QuilletProcess program_{folder_.Path()};
    const std::function<std::string()> text_ = [this] { return program_.EditorText(); };
};

TEST_F(ShortcutsAndContextMenuTest, CtrlKeysEditSaveStartANewDocumentAndExit) {
    ASSERT_TRUE(program_.Type("abc"));
    const auto selection = [this] {  // "all" once it covers the text, and not the closing mark
        DWORD_PTR packed = 0;
        ::SendMessageTimeoutA(program_.Editor(), EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &packed);
        return LOWORD(packed) == 0 && HIWORD(packed) == 3 ? std::string("all") : std::to_string(packed);
    };
    PressAndExpect({VK_CONTROL, 'A'}, selection, "all");
    PressAndExpect({VK_CONTROL, 'C'}, ClipboardText, "abc");
    PressAndExpect({VK_CONTROL, 'E'}, text_, "");
    ASSERT_TRUE(test::SetClipboardText("pasted "));  // plain text alone: Paste's result is exact
    PressAndExpect({VK_CONTROL, 'V'}, text_, "pasted ");
    PressAndExpect({VK_CONTROL, 'V'}, text_, "pasted pasted ");
    PressAndExpect({VK_CONTROL, 'D'}, text_, "pasted pasted " + Today());
    const std::string typed = program_.EditorText();
    EXPECT_EQ(program_.Editor(), FocusOf(program_.Window()));

    // With Shift as well no shortcut matches: no Save, and nothing typed.
    PressAndExpect({VK_CONTROL, VK_SHIFT, 'S'}, text_, typed);
    EXPECT_EQ(nullptr, program_.WaitForDialog("Save File As", 500));

    const std::string path = folder_.File("typed with keys.txt");
    const auto title = [this] { return program_.Title(); };
    ASSERT_TRUE(PressKeys({VK_CONTROL, 'S'}));
    HWND saveAs = program_.WaitForDialog("Save File As", 10000);
    ASSERT_NE(nullptr, saveAs);
    test::ChooseFileInDialog(saveAs, path);
    EXPECT_TRUE(WaitFor([&] { return title() == "Quillet - " + path; })) << title();
    EXPECT_EQ(typed + "\r\n", ReadFileBytes(path));

    ASSERT_TRUE(program_.Type("!"));
    ASSERT_TRUE(PressKeys({VK_CONTROL, 'N'}));
    AnswerDialog(program_, "Save modified file?", IDNO);
    EXPECT_TRUE(WaitFor([&] { return title() == "Quillet - Untitled.txt" && text_().empty(); })) << title();
    EXPECT_EQ(typed + "\r\n", ReadFileBytes(path));

    ASSERT_TRUE(PressKeys({VK_CONTROL, VK_ESCAPE}));  // Exit: nothing is modified, so no question
    ExpectEndsWithCode0(program_);
}

// The whole text and nothing more goes round the clipboard; and an Undo or
// Redo after a save always leaves something to save, also when the text
// keeps its length.
TEST_F(ShortcutsAndContextMenuTest, CopyAllPasteAtTheEndDoublesTheTextAndUndoAfterASaveIsAChange) {
    ASSERT_TRUE(program_.Type("one\ntwo"));
    PressAndExpect({VK_CONTROL, 'A'}, ClipboardText, ClipboardText());  // only brings it to the front
    PressAndExpect({VK_CONTROL, 'C'}, ClipboardText, "one\r\ntwo");
    ASSERT_TRUE(PressKeys({VK_END}));
    PressAndExpect({VK_CONTROL, 'V'}, text_, "one\r\ntwoone\r\ntwo");

    const std::string path = folder_.File("round.txt");
    ASSERT_TRUE(PressKeys({VK_CONTROL, 'S'}));
    HWND saveAs = program_.WaitForDialog("Save File As", 10000);
    ASSERT_NE(nullptr, saveAs);
    test::ChooseFileInDialog(saveAs, path);
    const auto modified = [this] {
        DWORD_PTR flag = 0;
        ::SendMessageTimeoutA(program_.Editor(), EM_GETMODIFY, 0, 0, SMTO_ABORTIFHUNG, 5000, &flag);
        return flag != 0 ? std::string("modified") : std::string("saved");
    };
    ASSERT_TRUE(WaitFor([&] { return program_.Title() == "Quillet - " + path; })) << program_.Title();

    // "o" over the last "o": the same length; saved; then taken back and done again.
    ASSERT_TRUE(PressKeys({VK_SHIFT, VK_LEFT}));
    PressAndExpect({'0'}, text_, "one\r\ntwoone\r\ntw0");
    PressAndExpect({VK_CONTROL, 'S'}, modified, "saved");
    PressAndExpect({VK_CONTROL, 'Z'}, text_, "one\r\ntwoone\r\ntwo");
    EXPECT_EQ("modified", modified());
    PressAndExpect({VK_CONTROL, 'S'}, modified, "saved");
    PressAndExpect({VK_CONTROL, 'Y'}, text_, "one\r\ntwoone\r\ntw0");
    EXPECT_EQ("modified", modified());
    ASSERT_TRUE(PressKeys({VK_CONTROL, 'N'}));
    AnswerDialog(program_, "Save modified file?", IDNO);
    EXPECT_TRUE(WaitFor([&] { return program_.Title() == "Quillet - Untitled.txt"; })) << program_.Title();
    EXPECT_EQ("one\r\ntwoone\r\ntwo\r\n", ReadFileBytes(path));

    program_.Exit();
    ExpectEndsWithCode0(program_);
}

TEST_F(ShortcutsAndContextMenuTest, ARightPressOverTheEditorOpensTheMenuAndAnItemRunsItsCommand) {
    ASSERT_TRUE(program_.Type("Dear diary,\n"));
    ASSERT_TRUE(BringToFront(program_.Window()));
    RECT editor{};
    ::GetWindowRect(program_.Editor(), &editor);
    const POINT pointer{editor.left + 80, editor.top + 50};
    ASSERT_TRUE(MovePointer(pointer, program_.Window()));
    ASSERT_TRUE(RightButton(pointer, true));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = test::FindPopupMenu(program_.ProcessId())) != nullptr; }))
        << "no menu on the press";
    RECT place{};
    ::GetWindowRect(menu, &place);
    EXPECT_EQ(pointer.x - 1, place.left);
    EXPECT_EQ(pointer.y - 1, place.top);

    ::Sleep(300);  // let the menu finish drawing
    RECT shot{};
    const RECT window = program_.WindowRect();
    ::UnionRect(&shot, &window, &place);
    const std::string file = ArtifactsFolder() + "quillet-context-menu.bmp";
    EXPECT_TRUE(WriteBmp(CaptureScreen(shot), file)) << file;
    std::cout << "context menu picture: " << file << "\n";

    // Letting the button go where it was pressed chooses nothing; then the
    // keys go down to the seventh item, Insert Date.
    ASSERT_TRUE(RightButton(pointer, false));
    ::Sleep(200);
    EXPECT_EQ(menu, test::FindPopupMenu(program_.ProcessId()));
    for (int step = 0; step < 7; ++step) ASSERT_TRUE(PressKeys({VK_DOWN}));
    PressAndExpect({VK_RETURN}, text_, "Dear diary,\r\n" + Today());
    EXPECT_EQ(nullptr, test::FindPopupMenu(program_.ProcessId()));
    EXPECT_EQ(program_.Editor(), FocusOf(program_.Window()));

    program_.Close();
    AnswerDialog(program_, "Save modified file?", IDNO);
    DWORD exitCode = 1;
    EXPECT_TRUE(program_.WaitForExit(15000, exitCode));
}

}  // namespace
}  // namespace quillet::e2e
