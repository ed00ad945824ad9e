// Print hands the saved file to the system's text editor, here a stand-in
// that records how it was started.
#include "document_fixture.h"

#include <atomic>
#include <thread>

#include "document/open_document_win.h"
#include "document/print_document_win.h"
#include "document/save_document_win.h"

namespace quillet {
namespace {

using test::DialogAnswerer;
using test::PressButton;
using test::ReadFileBytes;

std::string BesideThisProgram(const std::string& name) {
    char self[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, self, sizeof self);
    std::string folder(self, length);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

// The system folder is a temporary one holding the stand-in as notepad.exe.
class PrintTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ASSERT_TRUE(::CopyFileA(BesideThisProgram("command_line_recorder.exe").c_str(),
                                systemFolder_.File("notepad.exe").c_str(), FALSE));
        SetSystemFolderForTesting(systemFolder_.Path());
    }
    void TearDown() override {
        SetSystemFolderForTesting("");
        DocumentTest::TearDown();
    }

    // What the stand-in recorded: its command line, then "hidden" or
    // "shown"; "" when it did not run within the time.
    std::string Recorded(DWORD timeoutMs) const {
        const std::string record = systemFolder_.File("command_line.txt");
        const DWORD start = ::GetTickCount();
        while (!test::FileExists(record) && ::GetTickCount() - start < timeoutMs) ::Sleep(20);
        return test::FileExists(record) ? ReadFileBytes(record) : "";
    }

    test::TempFolder systemFolder_;
};

TEST_F(PrintTest, AnUntitledDocumentGetsOnlyTheNotice) {
    Type("never saved");
    DialogAnswerer notice("Notice", [](HWND d) { PressButton(d, IDOK); });
    DialogAnswerer question("Save modified file?", [](HWND d) { PressButton(d, IDNO); }, 300);
    OnPrint(Context());
    ASSERT_TRUE(notice.Answered());
    EXPECT_EQ("This file has not been saved", notice.DialogText());
    EXPECT_FALSE(question.Answered());
    EXPECT_EQ("", Recorded(500));
    EXPECT_EQ(Editor(), ::GetFocus());
}

TEST_F(PrintTest, TheSavedFileGoesToTheSystemEditorUnquotedAndHidden) {
    const std::string path = folder_.File("my notes for print.txt");
    test::WriteFileBytes(path, "as saved\r\n");
    ASSERT_TRUE(LoadDocument(Context(), path));
    Type("unsaved ");
    ::SetFocus(Main());
    DialogAnswerer question("Save modified file?", [](HWND d) { PressButton(d, IDNO); }, 300);
    OnPrint(Context());
    EXPECT_EQ(Editor(), ::GetFocus());
    EXPECT_EQ("\"" + systemFolder_.File("notepad.exe") + "\" /p " + path + "\nhidden\n", Recorded(10000));
    EXPECT_FALSE(question.Answered());
    EXPECT_EQ("as saved\r\n", ReadFileBytes(path));  // printed as last saved
    EXPECT_TRUE(IsModified(Editor()));
}

BOOL CALLBACK CloseDialogOfThisProcess(HWND window, LPARAM closed) {
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId() || std::string(className) != "#32770" || !::IsWindowVisible(window)) {
        return TRUE;
    }
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    *reinterpret_cast<std::string*>(closed) = test::WindowText(window);
    return FALSE;
}

TEST_F(PrintTest, NoEditorInTheSystemFolderMeansNothingIsStartedOrShown) {
    const std::string path = folder_.File("kept.txt");
    test::WriteFileBytes(path, "k\r\n");
    ASSERT_TRUE(LoadDocument(Context(), path));
    test::TempFolder empty;
    SetSystemFolderForTesting(empty.Path());
    // Any dialog shown would hold OnPrint until closed: close it and say so.
    std::string closed;
    std::atomic<bool> done{false};
    std::thread watcher([&] {
        while (!done && closed.empty()) {
            ::EnumWindows(CloseDialogOfThisProcess, reinterpret_cast<LPARAM>(&closed));
            ::Sleep(50);
        }
    });
    OnPrint(Context());
    done = true;
    watcher.join();
    EXPECT_EQ("", closed);
    EXPECT_EQ("", Recorded(300));
    EXPECT_EQ(Editor(), ::GetFocus());
}

}  // namespace
}  // namespace quillet
