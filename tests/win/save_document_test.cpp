// Save and Save As through the real file dialog, and what a failed save
// leaves behind.
#include "document_fixture.h"

#include <vector>

#include "document/file_io_win.h"
#include "document/open_document_win.h"
#include "document/save_document_win.h"
#include "support/file_faults.h"
#include "support/message_box_watch.h"
#include "support/swapped_system_calls.h"

namespace quillet {
namespace {

using test::DialogAnswerer;
using test::FileNames;
using test::PressButton;
using test::ReadFileBytes;
using test::WriteFileBytes;

TEST_F(DocumentTest, LoadAndSaveGiveCrLfAfterEveryLine) {
    const struct {
        const char* loaded;
        const char* saved;
    } cases[] = {
        {"a\nb\n", "a\r\nb\r\n"},   {"a\r\nb", "a\r\nb\r\n"}, {"", ""},
        {"\r\n", "\r\n"},           {"\r\nx", "\r\nx\r\n"},   {"a\rb\r\r", "a\r\nb\r\n\r\n"},
    };
    const std::string path = folder_.File("round trip.txt");
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.loaded)));
        WriteFileBytes(path, c.loaded);
        ASSERT_TRUE(LoadDocument(Context(), path));
        ASSERT_TRUE(SaveDocument(Context()));
        EXPECT_EQ(c.saved, ReadFileBytes(path));
        // What Quillet wrote reloads and saves to the same bytes.
        ASSERT_TRUE(LoadDocument(Context(), path));
        ASSERT_TRUE(SaveDocument(Context()));
        EXPECT_EQ(c.saved, ReadFileBytes(path));
    }
}

TEST_F(DocumentTest, ALineOfMoreThanSixtyFiveThousandCharactersIsSavedWhole) {
    const std::string path = folder_.File("long.txt");
    const std::string bytes = std::string(70000, 'L') + "\r\nshort\r\n";
    WriteFileBytes(path, bytes);
    ASSERT_TRUE(LoadDocument(Context(), path));
    ASSERT_TRUE(SaveDocument(Context()));
    EXPECT_EQ(bytes, ReadFileBytes(path));
}

TEST_F(DocumentTest, SaveOnAnUntitledDocumentAsksForANameAndAddsTxt) {
    Type("first words");
    DialogAnswerer choose("Save File As", [&](HWND d) { test::ChooseFileInDialog(d, folder_.File("notes")); });
    OnSave(Context());
    ASSERT_TRUE(choose.Answered());
    const std::string saved = folder_.File("notes.txt");
    EXPECT_EQ("first words\r\n", ReadFileBytes(saved));
    EXPECT_EQ("Quillet - " + saved, Title());
    EXPECT_EQ(folder_.Path() + "\\", Setting(key::kSave));
    EXPECT_FALSE(IsModified(Editor()));

    // Now titled: Save writes at once, with no dialog.
    SetSelection(Editor(), 0, 0);
    Type("more ");
    DialogAnswerer none("Save File As", [](HWND d) { PressButton(d, IDCANCEL); }, 500);
    OnSave(Context());
    EXPECT_FALSE(none.Answered());
    EXPECT_EQ("more first words\r\n", ReadFileBytes(saved));
}

TEST_F(DocumentTest, SaveAsKeepsAGivenExtension) {
    Type("x");
    DialogAnswerer choose("Save File As", [&](HWND d) { test::ChooseFileInDialog(d, folder_.File("notes.md")); });
    OnSaveAs(Context());
    EXPECT_EQ("x\r\n", ReadFileBytes(folder_.File("notes.md")));
    EXPECT_FALSE(test::FileExists(folder_.File("notes.md.txt")));
}

// Chooses path in the Save As dialog, then answers the replace question.
std::string SaveAsOverAndAnswer(const std::string& path, int answer, bool& saved,
                                const CommandContext& context) {
    std::string question;
    DialogAnswerer choose("Save File As", [&](HWND dialog) {
        test::ChooseFileInDialog(dialog, path);
        if (HWND box = test::WaitForMessageBox("Save File As")) {
            question = test::MessageBoxText(box);
            PressButton(box, answer);
        }
    });
    saved = SaveDocumentAs(context);
    return question;
}

TEST_F(DocumentTest, SaveAsOntoAnotherExistingFileAsksFirst) {
    const std::string other = folder_.File("other.txt");
    WriteFileBytes(other, "keep me\r\n");
    Type("replacement");
    bool saved = true;
    const std::string question = SaveAsOverAndAnswer(other, IDNO, saved, Context());
    EXPECT_EQ(other + " already exists. Do you want to replace it?", question);
    EXPECT_FALSE(saved);
    EXPECT_EQ("keep me\r\n", ReadFileBytes(other));
    EXPECT_TRUE(IsModified(Editor()));
    EXPECT_EQ("Quillet - Untitled.txt", Title());

    SaveAsOverAndAnswer(other, IDYES, saved, Context());
    EXPECT_TRUE(saved);
    EXPECT_EQ("replacement\r\n", ReadFileBytes(other));
    EXPECT_EQ("Quillet - " + other, Title());
}

// The document's own file asks nothing however its name is written: another
// letter case, its short name, a path through "..", a second (hard) link.
TEST_F(DocumentTest, SaveAsOntoTheDocumentsOwnFileByAnotherNameAsksNothing) {
    // Each name in a folder of its own: under Wine a save renames the file to
    // the name as it was written.
    using Namer = std::string (*)(const std::string& own, const std::string& folder);
    const Namer names[] = {
        [](const std::string& own, const std::string&) {
            std::string upper = own;
            ::CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
            return upper;
        },
        [](const std::string& own, const std::string&) {
            char shortName[MAX_PATH] = {};
            ::GetShortPathNameA(own.c_str(), shortName, sizeof shortName);
            return std::string(shortName);
        },
        [](const std::string&, const std::string& folder) { return folder + "\\link.txt"; },
        [](const std::string&, const std::string& folder) { return folder + "\\sub\\..\\Own File Name.txt"; },
    };
    int n = 0;
    for (const Namer name : names) {
        const std::string folder = folder_.File("case" + std::to_string(++n));
        ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
        const std::string own = folder + "\\Own File Name.txt";
        WriteFileBytes(own, "saved\r\n");
        ASSERT_TRUE(::CreateHardLinkA((folder + "\\link.txt").c_str(), own.c_str(), nullptr));
        const std::string other = name(own, folder);
        ASSERT_NE(other, own);
        ASSERT_TRUE(LoadDocument(Context(), own));
        Type("again ");
        test::MessageBoxWatch none;
        DialogAnswerer choose("Save File As", [&](HWND dialog) { test::ChooseFileInDialog(dialog, other); });
        EXPECT_TRUE(SaveDocumentAs(Context())) << other;
        EXPECT_EQ("", none.Finish()) << other;
        EXPECT_FALSE(IsModified(Editor())) << other;
    }
}

// An untitled document has no file of its own, so an "Untitled.txt" in the
// current folder is some other file.
TEST_F(DocumentTest, SaveAsOfAnUntitledDocumentOntoUntitledTxtAsksFirst) {
    char before[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof before, before);
    ASSERT_TRUE(::SetCurrentDirectoryA(folder_.Path().c_str()));
    const std::string other = folder_.File("Untitled.txt");
    WriteFileBytes(other, "someone else's\r\n");
    Type("draft");
    bool saved = true;
    const std::string question = SaveAsOverAndAnswer(other, IDNO, saved, Context());
    ::SetCurrentDirectoryA(before);
    EXPECT_EQ(other + " already exists. Do you want to replace it?", question);
    EXPECT_FALSE(saved);
    EXPECT_EQ("someone else's\r\n", ReadFileBytes(other));
    EXPECT_TRUE(IsModified(Editor()));
}

// Writes the first 1000 bytes of a call, then reports a full disk.
BOOL FailAfterAThousandBytes(HANDLE file, const void* data, DWORD size, DWORD* written) {
    const DWORD part = size < 1000 ? size : 1000;
    ::WriteFile(file, data, part, written, nullptr);
    ::SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

TEST_F(DocumentTest, AFailedWriteKeepsTheOldFileAndTheDocumentModified) {
    const std::string path = folder_.File("precious.txt");
    const std::string original = std::string(5000, 'o') + "\r\n";
    WriteFileBytes(path, original);
    ASSERT_TRUE(LoadDocument(Context(), path));
    const std::string openFolder = Setting(key::kOpen);
    Type(std::string(4000, 'n'));
    test::SwappedSystemCalls calls;
    calls->writeFile = FailAfterAThousandBytes;
    DialogAnswerer ok("Save", [](HWND d) { PressButton(d, IDOK); });
    EXPECT_FALSE(SaveDocument(Context()));
    ASSERT_TRUE(ok.Answered());
    EXPECT_NE(std::string::npos, ok.DialogText().find(path));
    EXPECT_NE(std::string::npos, ok.DialogText().find(SystemErrorText(ERROR_DISK_FULL)));
    EXPECT_EQ(original, ReadFileBytes(path));
    EXPECT_EQ(std::vector<std::string>({"precious.txt", kSettingsFileName}), FileNames(folder_.Path()));
    EXPECT_TRUE(IsModified(Editor()));
    EXPECT_EQ("Quillet - " + path, Title());
    EXPECT_EQ("", Setting(key::kSave));
}

TEST_F(DocumentTest, SavingIntoAMissingFolderFailsAndSaysSo) {
    const std::string path = folder_.File("no such folder\\a.txt");
    Type("text");
    DialogAnswerer ok("Save", [](HWND d) { PressButton(d, IDOK); });
    EXPECT_FALSE(WriteDocument(Context(), path));
    EXPECT_TRUE(ok.Answered());
    EXPECT_TRUE(IsModified(Editor()));
    EXPECT_EQ("Quillet - Untitled.txt", Title());
}

TEST_F(DocumentTest, APathHoldingTheTitlePrefixIsKeptWhole) {
    const std::string inner = folder_.File("Quillet - notes");
    ASSERT_TRUE(::CreateDirectoryA(inner.c_str(), nullptr));
    const std::string path = inner + "\\a.txt";
    WriteFileBytes(path, "a\r\n");
    ASSERT_TRUE(LoadDocument(Context(), path));
    EXPECT_EQ(path, CurrentPath(Main()));
    Type("b");
    ASSERT_TRUE(SaveDocument(Context()));
    EXPECT_EQ("ba\r\n", ReadFileBytes(path));
}

TEST_F(DocumentTest, AFileNamedUntitledCountsAsUntitled) {
    SetDocumentTitle(Main(), "Untitled.txt");
    Type("x");
    DialogAnswerer cancel("Save File As", [](HWND d) { PressButton(d, IDCANCEL); });
    EXPECT_FALSE(SaveDocument(Context()));
    EXPECT_TRUE(cancel.Answered());
}

}  // namespace
}  // namespace quillet
