// Find/Replace in the running program, worked as a user works it: opened
// from the Edit menu and from its image button, fields typed into and
// buttons pressed with real keys, the document then saved.
#include <gtest/gtest.h>

#include <windows.h>

#include <iostream>
#include <string>

#include "e2e/quillet_process.h"
#include "e2e/real_input.h"
#include "e2e/screen_capture.h"
#include "e2e/shared_steps.h"
#include "editing/find_replace_window_win.h"
#include "support/win_test_support.h"

namespace quillet::e2e {
namespace {

namespace id = find_replace_id;
constexpr char kCaption[] = "Find/Replace";

// Presses keys one at a time: lower-case letters, '\t' Tab, '<' Shift+Tab,
// ' ' Space, '~' Escape.
void Press(const std::string& keys) {
    for (char c : keys) {
        switch (c) {
        case '\t': PressKeys({VK_TAB}); break;
        case '<': PressKeys({VK_SHIFT, VK_TAB}); break;
        case ' ': PressKeys({VK_SPACE}); break;
        case '~': PressKeys({VK_ESCAPE}); break;
        default: PressKeys({static_cast<WORD>(c - 'a' + 'A')}); break;
        }
        ::Sleep(30);
    }
}

// The window, once shown and given its controls, brought to the front for
// the keys; nullptr if any of that fails.
HWND OpenedWindow(const QuilletProcess& program) {
    HWND window = program.WaitForWindow(kFindReplaceClass, kCaption, 10000);
    const bool ready = window && WaitFor([&] { return ::GetDlgItem(window, id::kSearchFromTop) != nullptr; });
    EXPECT_TRUE(ready);
    return ready && BringToFront(window) ? window : nullptr;
}

// Answers No to the window's question; false if none came or it stayed.
bool AnswerNo(const QuilletProcess& program, DWORD timeoutMs) {
    HWND question = program.WaitForDialog(kCaption, timeoutMs);
    if (!question) return false;
    test::PressButton(question, IDNO);
    return WaitFor([&] { return !::IsWindow(question); });
}

TEST(FindReplaceEndToEnd, MenuAndButtonOpenItKeysWorkItAndTheReplacementsAreSaved) {
    test::TempFolder folder;
    const std::string path = folder.File("pets.txt");
    test::WriteFileBytes(path, "The cat sat.\r\nA cat ran.\r\n");
    QuilletProcess program(folder.Path());
    ASSERT_TRUE(program.Start("\"" + path + "\""));
    auto field = [](HWND window, int control) { return RemoteWindowText(::GetDlgItem(window, control)); };

    // The Edit menu's command, nothing selected: the keys go to the Find field.
    ::PostMessageA(program.Window(), WM_COMMAND, 25, 0);
    HWND window = OpenedWindow(program);
    ASSERT_NE(nullptr, window);
    Press("cat\tdog");
    ASSERT_TRUE(WaitFor([&] { return field(window, id::kReplaceField) == "dog"; }));
    EXPECT_EQ("cat", field(window, id::kFindField));
    // Tab walks every control in creation order and wraps; Shift+Tab goes back; Escape means nothing.
    for (int control : {id::kFindNext, id::kReplace, id::kReplaceAll, id::kCancel, id::kMatchCase, id::kWholeWords,
                        id::kSearchFromTop, id::kFindField, id::kReplaceField}) {
        Press("\t");
        EXPECT_TRUE(WaitFor([&] { return test::FocusOf(window) == ::GetDlgItem(window, control); })) << control;
    }
    Press("<~\t\t\t\t ");  // back to Find, then Replace all pressed
    ASSERT_TRUE(AnswerNo(program, 10000));
    EXPECT_EQ("The dog sat.\r\nA dog ran.", program.EditorText());
    ::Sleep(300);
    RECT both{};
    ::GetWindowRect(program.Window(), &both);
    const std::string picture = ArtifactsFolder() + "quillet-find-replace.bmp";
    if (WriteBmp(CaptureScreen(both), picture)) std::cout << "Find/Replace picture: " << picture << "\n";
    Press("\t ");  // Cancel
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(window); }));

    // The image button with "sat" selected: it becomes the Find text.
    ::SendMessageA(program.Editor(), EM_SETSEL, 8, 11);
    ::PostMessageA(::GetDlgItem(program.Window(), 14), BM_CLICK, 0, 0);
    window = OpenedWindow(program);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("sat", field(window, id::kFindField));
    Press("sits");
    ASSERT_TRUE(WaitFor([&] { return field(window, id::kReplaceField) == "sits"; }));
    Press("\t\t ");  // Replace
    ASSERT_TRUE(AnswerNo(program, 10000));
    EXPECT_EQ("The dog sits.\r\nA dog ran.", program.EditorText());
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(window); }));

    ::PostMessageA(program.Window(), WM_COMMAND, 13, 0);  // Save
    EXPECT_TRUE(WaitFor([&] { return test::ReadFileBytes(path) == "The dog sits.\r\nA dog ran.\r\n"; }));
    program.Close();
    ExpectEndsWithCode0(program);
}

// Replace all over 2,000 lines, which the program puts into a fresh editor
// and keeps the text from before for: Ctrl+Z in the main window gives the
// whole document back, and Ctrl+S writes the file as it was.
TEST(FindReplaceEndToEnd, ReplaceAllThenCtrlZGivesTheDocumentBackWhole) {
    test::TempFolder folder;
    const std::string path = folder.File("cats.txt");
    std::string bytes;
    for (int i = 0; i < 2000; ++i) bytes += "a cat " + std::to_string(i) + (i % 40 ? "\r\n" : " http://cat.example\r\n");
    test::WriteFileBytes(path, bytes);
    QuilletProcess program(folder.Path());
    ASSERT_TRUE(program.Start("\"" + path + "\""));
    const std::string original = bytes.substr(0, bytes.size() - 2);
    ASSERT_TRUE(WaitFor([&] { return program.EditorText() == original; }));

    ASSERT_TRUE(BringToFront(program.Window()));
    PressKeys({VK_CONTROL, 'F'});
    HWND window = OpenedWindow(program);
    ASSERT_NE(nullptr, window);
    Press("cat\tdog\t\t\t ");  // Find, Replace With, then Replace all pressed
    ASSERT_TRUE(AnswerNo(program, 30000));
    std::string replaced = original;
    for (std::size_t at = 0; (at = replaced.find("cat", at)) != std::string::npos;) replaced.replace(at, 3, "dog");
    EXPECT_EQ(replaced, program.EditorText());
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(window); }));

    ASSERT_TRUE(BringToFront(program.Window()));
    PressKeys({VK_CONTROL, 'Z'});
    EXPECT_TRUE(WaitFor([&] { return program.EditorText() == original; }, 30000));
    test::WriteFileBytes(path, "");  // so that only the save can give it its bytes back
    PressKeys({VK_CONTROL, 'S'});
    EXPECT_TRUE(WaitFor([&] { return test::ReadFileBytes(path) == bytes; }));
    program.Close();
    ExpectEndsWithCode0(program);
}

}  // namespace
}  // namespace quillet::e2e
