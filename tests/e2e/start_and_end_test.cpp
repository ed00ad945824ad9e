// The real quillet.exe, started in an empty folder of its own and ended by
// the close box or by File > Exit.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "e2e/quillet_process.h"
#include "e2e/shared_steps.h"
#include "support/main_window_probe.h"
#include "support/win_test_support.h"

namespace quillet::e2e {
namespace {

using test::kDefaultSettingsText;
using test::ReadFileBytes;
using test::SettingsTextWithGeometry;

constexpr DWORD kExitTimeoutMs = 15000;

int MenuLine() { return ::GetSystemMetrics(SM_CYMENU); }

class StartAndEndTest : public ::testing::Test {
protected:
    // A fresh copy of the program in the test's folder, started.
    QuilletProcess& Launch(const std::string& arguments = "") {
        program_ = std::make_unique<QuilletProcess>(folder_.Path());
        EXPECT_TRUE(program_->Copied()) << "no quillet.exe beside " << ProgramFolder();
        EXPECT_TRUE(program_->Start(arguments)) << "the main window did not appear";
        return *program_;
    }

    // Waits for the end and expects exit code 0. A dialog still up is
    // reported and answered No so that the program can end.
    void ExpectEndsCleanly(QuilletProcess& program, const char* how) {
        DWORD exitCode = 0;
        if (!program.Ended(5000)) {
            if (HWND dialog = program.FindDialog("Save modified file?")) {
                ADD_FAILURE() << how << " left a question open: " << RemoteWindowText(dialog);
                test::PressButton(dialog, IDNO);
            }
        }
        ASSERT_TRUE(program.WaitForExit(kExitTimeoutMs, exitCode)) << how << ": the program did not end";
        EXPECT_EQ(exitCode, 0u) << how;
    }

    std::string Settings() const { return folder_.File(kSettingsFileName); }

    test::TempFolder folder_;  // outlives the program inside it
    std::unique_ptr<QuilletProcess> program_;
};

TEST_F(StartAndEndTest, AFirstStartWritesTheDefaultsAndShowsAnEmptyUntitledDocument) {
    QuilletProcess& program = Launch();
    EXPECT_EQ(ReadFileBytes(Settings()), kDefaultSettingsText);
    EXPECT_EQ(program.Title(), "Quillet - Untitled.txt");
    EXPECT_EQ(program.StatusText(), "Char 1 Line 1 of 1 lines");
    EXPECT_EQ(program.EditorText(), "");

    const RECT outer = program.WindowRect();
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 100);
    EXPECT_EQ(program.ClientSize().cx, 600);
    EXPECT_EQ(program.ClientSize().cy, 450 - MenuLine());

    // Closing where it started stores what was already there.
    program.Close();
    ExpectEndsCleanly(program, "close");
    EXPECT_EQ(ReadFileBytes(Settings()), kDefaultSettingsText);
}

TEST_F(StartAndEndTest, ClosingStoresWhereTheWindowWasMoved) {
    QuilletProcess& program = Launch();
    program.MoveTo(150, 120, 500, 350);
    ASSERT_EQ(program.WindowRect().left, 150);
    ASSERT_EQ(program.WindowRect().top, 120);
    const SIZE client = program.ClientSize();
    ASSERT_EQ(client.cx, 500);

    program.Close();
    ExpectEndsCleanly(program, "close");
    EXPECT_EQ(ReadFileBytes(Settings()), SettingsTextWithGeometry(150, 120, 500, client.cy + MenuLine()));
}

TEST_F(StartAndEndTest, ExitStoresNothing) {
    const std::string stored = SettingsTextWithGeometry(200, 150, 500, 400);
    test::WriteFileBytes(Settings(), stored);
    QuilletProcess& program = Launch();
    EXPECT_EQ(program.WindowRect().left, 200);
    program.MoveTo(300, 250, 420, 280);
    ASSERT_EQ(program.WindowRect().left, 300);

    program.Exit();
    ExpectEndsCleanly(program, "Exit");
    EXPECT_EQ(ReadFileBytes(Settings()), stored);
}

TEST_F(StartAndEndTest, ASecondStartUsesTheGeometryTheFirstStored) {
    QuilletProcess& first = Launch();
    first.MoveTo(150, 120, 520, 330);
    const SIZE client = first.ClientSize();
    first.Close();
    ExpectEndsCleanly(first, "close");

    QuilletProcess& second = Launch();
    EXPECT_EQ(second.WindowRect().left, 150);
    EXPECT_EQ(second.WindowRect().top, 120);
    EXPECT_EQ(second.ClientSize().cx, client.cx);
    EXPECT_EQ(second.ClientSize().cy, client.cy);
    EXPECT_EQ(second.Title(), "Quillet - Untitled.txt");
    second.Exit();
    ExpectEndsCleanly(second, "Exit");
}

TEST_F(StartAndEndTest, TypedTextShowsInTheStatusBar) {
    QuilletProcess& program = Launch();
    ASSERT_TRUE(program.Type("Hello\nfrom\nQuillet"));
    EXPECT_TRUE(program.WaitForStatus("Char 8 Line 3 of 3 lines")) << program.StatusText();
    program.Close();
    AnswerDialog(program, "Save modified file?", IDNO);
    ExpectEndsCleanly(program, "close");
}

// Exit offers to save unsaved text like closing does, but stores nothing.
TEST_F(StartAndEndTest, ExitWithUnsavedTextAsksAndNoEndsWithoutStoringAnything) {
    QuilletProcess& program = Launch();
    ASSERT_TRUE(program.Type("unsaved"));
    program.MoveTo(170, 140);
    const std::string before = ReadFileBytes(Settings());
    program.Exit();
    AnswerDialog(program, "Save modified file?", IDNO);
    ExpectEndsCleanly(program, "Exit");
    EXPECT_EQ(ReadFileBytes(Settings()), before);
}

TEST_F(StartAndEndTest, ClosingWithUnsavedTextAsksAndAnswerNoStillStoresTheGeometry) {
    QuilletProcess& program = Launch();
    ASSERT_TRUE(program.Type("unsaved"));
    program.MoveTo(170, 140);
    program.Close();
    AnswerDialog(program, "Save modified file?", IDNO);
    ExpectEndsCleanly(program, "close");
    EXPECT_EQ(ReadFileBytes(Settings()), SettingsTextWithGeometry(170, 140, 600, 450));
}

TEST_F(StartAndEndTest, TheSettingsFileGoesBesideTheExecutableInALongFolderPath) {
    // The longest folder whose settings file path still fits the profile
    // calls' MAX_PATH; the executable's own path is then 250 characters.
    const std::size_t folderLength = MAX_PATH - 1 - 1 - std::string(kSettingsFileName).size();
    std::string deep = folder_.Path();
    while (deep.size() + 27 < folderLength) {
        deep += "\\a-rather-long-folder-name";
        ASSERT_TRUE(::CreateDirectoryA(deep.c_str(), nullptr)) << deep;
    }
    deep += "\\" + std::string(folderLength - deep.size() - 1, 'x');
    ASSERT_TRUE(::CreateDirectoryA(deep.c_str(), nullptr)) << deep;
    ASSERT_EQ(deep.size(), folderLength);

    auto program = std::make_unique<QuilletProcess>(deep);
    ASSERT_TRUE(program->Copied());
    ASSERT_TRUE(program->Start());
    EXPECT_EQ(ReadFileBytes(program->SettingsPath()), kDefaultSettingsText);
    EXPECT_EQ(program->SettingsPath().size(), std::size_t(MAX_PATH - 1));
    program->Close();
    ExpectEndsCleanly(*program, "close");
    EXPECT_EQ(ReadFileBytes(program->SettingsPath()), kDefaultSettingsText);
}

}  // namespace
}  // namespace quillet::e2e
