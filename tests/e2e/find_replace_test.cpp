// Find/Replace in the running program, as a user works it: opened from the
// Edit menu and from its image button, the fields typed into and the
// buttons pressed with real keys, then the document saved.
#include <gtest/gtest.h>

#include <windows.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "e2e/quillet_process.h"
#include "e2e/screen_capture.h"
#include "editing/find_replace_window_win.h"
#include "support/win_test_support.h"

namespace quillet::e2e {
namespace {

constexpr int kFindReplaceCommand = 25;
constexpr int kFindReplaceButton = 14;
constexpr int kSaveCommand = 13;
constexpr char kCaption[] = "Find/Replace";

template <typename Condition>
bool WaitFor(Condition done, DWORD timeoutMs = 10000) {
    const DWORD start = ::GetTickCount();
    do {
        if (done()) return true;
        ::Sleep(20);
    } while (::GetTickCount() - start < timeoutMs);
    return false;
}

void Key(WORD key, DWORD flags = 0) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    ::SendInput(1, &input, sizeof(INPUT));
}

// Lower-case letters and Tab ('\t') and Space, pressed one at a time.
void Press(const std::string& keys) {
    for (char c : keys) {
        const WORD key = c == '\t' ? VK_TAB : c == ' ' ? VK_SPACE : static_cast<WORD>(c - 'a' + 'A');
        Key(key);
        Key(key, KEYEVENTF_KEYUP);
        ::Sleep(30);
    }
}

class FindReplaceEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = std::make_unique<QuilletProcess>(folder_.Path());
        test::WriteFileBytes(path_, "The cat sat.\r\nA cat ran.\r\n");
        ASSERT_TRUE(program_->Copied());
        ASSERT_TRUE(program_->Start("\"" + path_ + "\""));
    }

    // Waits for the window and brings it to the front, ready for keys.
    HWND WaitForFindReplace() const {
        HWND window = program_->WaitForWindow(kFindReplaceClass, kCaption, 10000);
        if (!window) return nullptr;
        WaitFor([&] {
            ::SetForegroundWindow(window);
            return ::GetForegroundWindow() == window;
        });
        return window;
    }

    std::string Field(HWND window, int id) const { return RemoteWindowText(::GetDlgItem(window, id)); }

    // Answers the not-found question with No.
    void AnswerNo() const {
        HWND question = program_->WaitForDialog(kCaption, 10000);
        ASSERT_NE(nullptr, question);
        ::PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(question, IDNO)));
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(question); }));
    }

    void KeepPicture(HWND window) const {
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        ::Sleep(300);
        RECT both{};
        ::GetWindowRect(program_->Window(), &both);
        const std::string path = ArtifactsFolder() + "quillet-find-replace.bmp";
        if (WriteBmp(CaptureScreen(both), path)) std::cout << "Find/Replace picture: " << path << "\n";
    }

    test::TempFolder folder_;
    const std::string path_ = folder_.File("pets.txt");
    std::unique_ptr<QuilletProcess> program_;
};

TEST_F(FindReplaceEndToEnd, MenuAndButtonOpenItTypedReplacementsAreSaved) {
    // From the Edit menu, nothing selected: the keys go to the Find field.
    ::PostMessageA(program_->Window(), WM_COMMAND, kFindReplaceCommand, 0);
    HWND window = WaitForFindReplace();
    ASSERT_NE(nullptr, window);
    Press("cat\tdog");
    ASSERT_TRUE(WaitFor([&] { return Field(window, find_replace_id::kReplaceField) == "dog"; }));
    EXPECT_EQ("cat", Field(window, find_replace_id::kFindField));
    Press("\t\t\t ");  // Find Next, Replace, Replace all: pressed
    AnswerNo();
    EXPECT_EQ("The dog sat.\r\nA dog ran.", program_->EditorText());
    KeepPicture(window);
    Press("\t ");  // Cancel
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(window); }));

    // From the image button with "sat" selected: it fills the Find field.
    ::SendMessageA(program_->Editor(), EM_SETSEL, 8, 11);
    ::PostMessageA(::GetDlgItem(program_->Window(), kFindReplaceButton), BM_CLICK, 0, 0);
    window = WaitForFindReplace();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("sat", Field(window, find_replace_id::kFindField));
    Press("sits");
    ASSERT_TRUE(WaitFor([&] { return Field(window, find_replace_id::kReplaceField) == "sits"; }));
    Press("\t\t ");  // Find Next, Replace: pressed
    AnswerNo();
    EXPECT_EQ("The dog sits.\r\nA dog ran.", program_->EditorText());
    Press("\t\t ");  // Replace all, Cancel
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(window); }));

    ::PostMessageA(program_->Window(), WM_COMMAND, kSaveCommand, 0);
    EXPECT_TRUE(WaitFor([&] { return test::ReadFileBytes(path_) == "The dog sits.\r\nA dog ran.\r\n"; }))
        << test::ReadFileBytes(path_);
    program_->Close();
    DWORD exitCode = 1;
    EXPECT_TRUE(program_->WaitForExit(15000, exitCode));
    EXPECT_EQ(0u, exitCode);
}

}  // namespace
}  // namespace quillet::e2e
