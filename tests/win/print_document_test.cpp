// Print hands the saved file to the system's text editor: here a stand-in
// in a folder taken for the system folder, which records how it was started.
#include "document_fixture.h"

#include "document/open_document_win.h"
#include "document/print_document_win.h"
#include "support/message_box_watch.h"
#include "support/swapped_system_calls.h"

namespace quillet {
namespace {

std::string BesideThisProgram(const std::string& name) {
    char self[MAX_PATH] = {};
    const std::string path(self, ::GetModuleFileNameA(nullptr, self, sizeof self));
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

class PrintTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ASSERT_TRUE(::CopyFileA(BesideThisProgram("command_line_recorder.exe").c_str(),
                                system_.File("notepad.exe").c_str(), FALSE));
        SystemFolder() = system_.Path();
        calls_->systemFolder = [] { return SystemFolder(); };
    }
    static std::string& SystemFolder() {
        static std::string folder;
        return folder;
    }
    // Print; the message box shown ("" for none), the editor then focused.
    std::string Print() {
        test::MessageBoxWatch box;
        ::SetFocus(Main());
        OnPrint(Context());
        EXPECT_EQ(Editor(), ::GetFocus());
        return box.Finish();
    }
    // The stand-in's command line and "hidden" or "shown"; "" when it did not run.
    std::string Recorded(DWORD timeoutMs) const {
        const std::string record = system_.File("command_line.txt");
        for (const DWORD start = ::GetTickCount(); !test::FileExists(record) && ::GetTickCount() - start < timeoutMs;) {
            ::Sleep(20);
        }
        return test::FileExists(record) ? test::ReadFileBytes(record) : "";
    }

    test::TempFolder system_;
    test::SwappedSystemCalls calls_;
};

TEST_F(PrintTest, AnUntitledDocumentGetsOnlyTheNotice) {
    Type("never saved");
    EXPECT_EQ("Notice: This file has not been saved", Print());
    EXPECT_EQ("", Recorded(300));
}

TEST_F(PrintTest, TheSavedFileGoesToTheSystemEditorUnquotedAndHidden) {
    const std::string path = folder_.File("my notes to print.txt");
    test::WriteFileBytes(path, "as saved\r\n");
    ASSERT_TRUE(LoadDocument(Context(), path));
    Type("unsaved ");
    EXPECT_EQ("", Print());  // no question, no save
    EXPECT_EQ("\"" + system_.File("notepad.exe") + "\" /p " + path + "\nhidden\n", Recorded(10000));
    EXPECT_EQ("as saved\r\n", test::ReadFileBytes(path));
    EXPECT_TRUE(IsModified(Editor()));
}

TEST_F(PrintTest, NoEditorInTheSystemFolderMeansNothingIsStartedOrShown) {
    const std::string path = folder_.File("kept.txt");
    test::WriteFileBytes(path, "k\r\n");
    ASSERT_TRUE(LoadDocument(Context(), path));
    ::DeleteFileA(system_.File("notepad.exe").c_str());
    EXPECT_EQ("", Print());
    EXPECT_EQ("", Recorded(300));
}

}  // namespace
}  // namespace quillet
