// The real quillet.exe with a file named on its command line: what it shows,
// what Save writes, and what closing a modified document leaves on disk.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "e2e/quillet_process.h"
#include "e2e/shared_steps.h"
#include "support/win_test_support.h"

namespace quillet::e2e {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

constexpr int kSaveCommand = 13;

class DocumentsTest : public ::testing::Test {
protected:
    QuilletProcess& Launch(const std::string& arguments) {
        program_ = std::make_unique<QuilletProcess>(folder_.Path());
        EXPECT_TRUE(program_->Copied());
        EXPECT_TRUE(program_->Start(arguments)) << "the main window did not appear";
        return *program_;
    }

    // Posts characters to the editor and waits until it shows `after`.
    bool TypeAtCaret(const std::string& text, const std::string& after) {
        for (char c : text) ::PostMessageA(program_->Editor(), WM_CHAR, static_cast<unsigned char>(c), 1);
        return WaitFor([&] { return program_->EditorText() == after; });
    }

    test::TempFolder folder_;
    std::unique_ptr<QuilletProcess> program_;
};

TEST_F(DocumentsTest, AQuotedPathWithBlanksOpensThatFile) {
    const std::string inner = folder_.File("my notes");
    ASSERT_TRUE(::CreateDirectoryA(inner.c_str(), nullptr));
    const std::string path = inner + "\\a file.txt";
    WriteFileBytes(path, "alpha\r\nbeta\n");
    QuilletProcess& program = Launch("\"" + path + "\"");
    EXPECT_EQ("Quillet - " + path, program.Title());
    EXPECT_EQ("alpha\r\nbeta", program.EditorText());
    program.Close();
    ExpectEndsWithCode0(*program_);
}

TEST_F(DocumentsTest, ARelativeNameStaysAsTypedInTheTitle) {
    WriteFileBytes(folder_.File("notes.txt"), "relative\r\n");
    QuilletProcess& program = Launch("notes.txt");
    EXPECT_EQ("Quillet - notes.txt", program.Title());
    EXPECT_EQ("relative", program.EditorText());
    program.Close();
    ExpectEndsWithCode0(*program_);
}

TEST_F(DocumentsTest, MissingEmptyFolderAndCutArgumentsLeaveAnUntitledDocument) {
    WriteFileBytes(folder_.File("empty.txt"), "");
    WriteFileBytes(folder_.File("with blank.txt"), "never shown\r\n");
    ::CreateDirectoryA(folder_.File("a folder").c_str(), nullptr);
    for (const std::string& arguments :
         {std::string("missing.txt"), std::string("empty.txt"), "\"" + folder_.File("a folder") + "\"",
          folder_.File("with blank.txt")}) {
        SCOPED_TRACE(arguments);
        QuilletProcess& program = Launch(arguments);
        EXPECT_EQ("Quillet - Untitled.txt", program.Title());
        EXPECT_EQ("", program.EditorText());
        program.Close();
        ExpectEndsWithCode0(*program_);
    }
}

TEST_F(DocumentsTest, EditSaveAndCloseWriteTheExpectedBytes) {
    const std::string path = folder_.File("edit me.txt");
    WriteFileBytes(path, "alpha\nbeta");
    Launch("\"" + path + "\"");
    ASSERT_TRUE(TypeAtCaret("new ", "new alpha\r\nbeta"));
    ::PostMessageA(program_->Window(), WM_COMMAND, kSaveCommand, 0);
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(path) == "new alpha\r\nbeta\r\n"; }))
        << ReadFileBytes(path);
    program_->Close();  // saved: no question
    ExpectEndsWithCode0(*program_);
    EXPECT_EQ("new alpha\r\nbeta\r\n", ReadFileBytes(path));
}

TEST_F(DocumentsTest, ClosingAModifiedDocumentAndAnsweringNoLeavesTheFileUntouched) {
    const std::string path = folder_.File("untouched.txt");
    WriteFileBytes(path, "original\n");
    Launch("\"" + path + "\"");
    ASSERT_TRUE(TypeAtCaret("changed ", "changed original"));
    program_->Close();
    AnswerDialog(*program_, "Save modified file?", IDNO);
    ExpectEndsWithCode0(*program_);
    EXPECT_EQ("original\n", ReadFileBytes(path));
}

TEST_F(DocumentsTest, ClosingAModifiedDocumentAndAnsweringYesSavesIt) {
    const std::string path = folder_.File("saved on close.txt");
    WriteFileBytes(path, "original\n");
    Launch("\"" + path + "\"");
    ASSERT_TRUE(TypeAtCaret("kept ", "kept original"));
    program_->Close();
    AnswerDialog(*program_, "Save modified file?", IDYES);
    ExpectEndsWithCode0(*program_);
    EXPECT_EQ("kept original\r\n", ReadFileBytes(path));
}

}  // namespace
}  // namespace quillet::e2e
