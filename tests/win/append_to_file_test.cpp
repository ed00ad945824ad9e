// Append To through the real file dialog: what the target holds afterwards,
// the refusal for the document's own file however it is named, and what a
// failed append leaves behind.
#include "document_fixture.h"

#include <cstdio>

#include "document/append_to_file_win.h"
#include "document/file_io_win.h"
#include "document/open_document_win.h"
#include "document/text_transfer.h"
#include "platform/win_handles.h"
#include "support/file_faults.h"
#include "support/message_box_watch.h"
#include "support/small_disk.h"

namespace quillet {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

constexpr char kMissing[] = "<missing>";  // what ReadFileBytes gives for no file
constexpr char kOwnFile[] = "Warning: Can not save to the end of an open file";
constexpr char kNotAppended[] = "Append To: Quillet could not append the document to ";

// The message for a failed append that left the target alone.
std::string NotAppended(const std::string& target, DWORD error) {
    return kNotAppended + target + "\r\n\r\n" + SystemErrorText(error) + "\r\n\r\nThe file was left as it was.";
}

class AppendTest : public DocumentTest {
protected:
    // An untitled document holding bytes as loaded, marked modified.
    void UntitledDocument(const std::string& bytes) {
        const auto text = EditorTextFromFileBytes(bytes);
        ASSERT_TRUE(LoadEditorText(Editor(), text.text, text.mark));
        SetModified(Editor(), true);
    }
    // Append To onto path, chosen in its dialog; the message box shown, if any.
    std::string AppendThroughDialog(const std::string& path) {
        test::MessageBoxWatch box;
        test::DialogAnswerer choose("Save to the end of file", [&](HWND d) { test::ChooseFileInDialog(d, path); });
        OnAppendTo(Context());
        EXPECT_TRUE(choose.Answered());
        return box.Finish();
    }
    // The same for a name the dialog would not give back as it stands.
    std::string AppendDirectly(const std::string& path) {
        test::MessageBoxWatch box;
        AppendDocumentTo(Context(), path);
        return box.Finish();
    }
    // Relative names are taken in the test's folder.
    void SetUp() override {
        DocumentTest::SetUp();
        ::GetCurrentDirectoryA(sizeof current_, current_);
        ::SetCurrentDirectoryA(folder_.Path().c_str());
    }
    void TearDown() override {
        ::SetCurrentDirectoryA(current_);
        DocumentTest::TearDown();
    }
    char current_[MAX_PATH] = {};
};

TEST_F(AppendTest, TheDocumentsLinesFollowTheTargetsLastByte) {
    const struct {
        std::string document, target, after;  // target kMissing: no file
    } cases[] = {
        {"a\r\nb", "x\r\n", "x\r\na\r\nb\r\n"}, {"a\nb\n", "x", "xa\r\nb\r\n"}, {"a\r\nb", kMissing, "a\r\nb\r\n"},
        {"", "x\r\n", "x\r\n"},                 {"", kMissing, ""},            {"\r\n", "x", "x\r\n"},
    };
    // Named as the untitled document is: it has no file of its own all the same.
    const std::string target = folder_.File("Untitled.txt");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.document + " onto " + c.target);
        ::DeleteFileA(target.c_str());
        if (c.target != kMissing) WriteFileBytes(target, c.target);
        UntitledDocument(c.document);
        EXPECT_EQ("", AppendThroughDialog(target));
        EXPECT_EQ(c.after, ReadFileBytes(target));
        EXPECT_EQ("Quillet - Untitled.txt", Title());
        EXPECT_TRUE(IsModified(Editor()));
        EXPECT_EQ(folder_.Path() + "\\", Setting(key::kAppendTo));
    }
    // Also when named as a relative path.
    WriteFileBytes(target, "u\r\n");
    UntitledDocument("a");
    EXPECT_EQ("", AppendDirectly("Untitled.txt"));
    EXPECT_EQ("u\r\na\r\n", ReadFileBytes(target));
}

TEST_F(AppendTest, TheDocumentsOwnFileIsRefusedHoweverItsPathIsWritten) {
    const std::string own = folder_.File("Own File With A Long Name.txt");
    WriteFileBytes(own, "saved\r\n");
    ASSERT_TRUE(LoadDocument(Context(), own));
    Type("unsaved ");
    char shortName[MAX_PATH] = {};
    ASSERT_NE(0u, ::GetShortPathNameA(own.c_str(), shortName, sizeof shortName));
    ASSERT_NE(own, shortName);
    ASSERT_TRUE(::CreateHardLinkA(folder_.File("link.txt").c_str(), own.c_str(), nullptr));
    std::string upper = own;
    ::CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));

    EXPECT_EQ(kOwnFile, AppendThroughDialog(own));
    for (const std::string& name : {upper, std::string(shortName), folder_.File("link.txt"),
                                    folder_.Path() + "\\sub\\..\\Own File With A Long Name.txt"}) {
        EXPECT_EQ(kOwnFile, AppendDirectly(name)) << name;
    }
    EXPECT_EQ(kOwnFile, AppendDirectly("Own File With A Long Name.txt"));
    EXPECT_EQ("saved\r\n", ReadFileBytes(own));
    EXPECT_EQ("", Setting(key::kAppendTo));
    EXPECT_TRUE(IsModified(Editor()));
    EXPECT_EQ("Quillet - " + own, Title());
    EXPECT_EQ("", AppendDirectly(folder_.File("other.txt")));  // any other file is fine
    EXPECT_EQ("unsaved saved\r\n", ReadFileBytes(folder_.File("other.txt")));
}

// Once the document's file is gone only its name is left to compare, and
// that without regard to case.
TEST_F(AppendTest, TheDocumentsDeletedFileIsStillRefusedByItsNameInAnyCase) {
    const std::string own = folder_.File("gone.txt");
    WriteFileBytes(own, "saved\r\n");
    ASSERT_TRUE(LoadDocument(Context(), own));
    ASSERT_TRUE(::DeleteFileA(own.c_str()));
    std::string upper = own;
    ::CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    EXPECT_EQ(kOwnFile, AppendDirectly(upper));
    EXPECT_EQ(kMissing, ReadFileBytes(own));
}

TEST_F(AppendTest, ATargetThatCannotBeOpenedIsReportedAndLeftAlone) {
    const std::string target = folder_.File("guarded.txt");
    WriteFileBytes(target, "old\r\n");
    UntitledDocument("a");
    UniqueFile locked(::CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(NotAppended(target, ERROR_SHARING_VIOLATION), AppendDirectly(target));
    locked.Reset();
    ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0u, AppendDirectly(target).find(kNotAppended + target + "\r\n\r\n" +
                                              SystemErrorText(ERROR_ACCESS_DENIED)));
    ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(0u, AppendDirectly(folder_.Path()).find(kNotAppended + folder_.Path()));
    EXPECT_EQ("old\r\n", ReadFileBytes(target));
    EXPECT_EQ("", Setting(key::kAppendTo));
}

// What a failed append leaves: the target as it was (or no target, where
// there was none), never shorter and never holding part of the document.
struct AppendFaultRow {
    const char* name;
    bool targetExists;
    void (*arrange)(test::FileFaults&);
    DWORD reason;  // the error the message gives
};

const AppendFaultRow kAppendFaults[] = {
    // Without the size there is nothing to cut a failed append back to.
    {"the target's size cannot be read", true, [](test::FileFaults& f) { f.FailFileSizes(); }, ERROR_IO_DEVICE},
    {"a new target's size cannot be read", false, [](test::FileFaults& f) { f.FailFileSizes(); }, ERROR_IO_DEVICE},
    {"a write fails part-way", true, [](test::FileFaults& f) { f.FailWritesAt(1000); }, ERROR_DISK_FULL},
    {"a write takes nothing", true, [](test::FileFaults& f) { f.ShortenWrites(0); }, ERROR_DISK_FULL},
    {"the flush fails", true, [](test::FileFaults& f) { f.FailFlushes(); }, ERROR_IO_DEVICE},
    {"a new target, the flush fails", false, [](test::FileFaults& f) { f.FailFlushes(); }, ERROR_IO_DEVICE},
};

TEST_F(AppendTest, EveryFailedAppendLeavesTheTargetAsItWasAndSaysSo) {
    const std::string target = folder_.File("target.txt");
    for (const AppendFaultRow& row : kAppendFaults) {
        SCOPED_TRACE(row.name);
        ::DeleteFileA(target.c_str());
        if (row.targetExists) WriteFileBytes(target, std::string(3000, 'x') + "\r\n");
        const std::string before = ReadFileBytes(target);
        UntitledDocument(std::string(5000, 'd') + "\r\n");
        std::string message;
        {
            test::FileFaults faults;
            row.arrange(faults);
            message = AppendDirectly(target);
        }
        EXPECT_EQ(NotAppended(target, row.reason), message);
        EXPECT_TRUE(before == ReadFileBytes(target)) << ReadFileBytes(target).size();
        EXPECT_EQ("", Setting(key::kAppendTo));
        EXPECT_TRUE(IsModified(Editor()));
    }
}

// On the small disk the test run provides (QUILLET_SMALL_DISK), in a folder
// of the test's own, filled up; without one, with a write failure injected
// part-way instead.
TEST_F(AppendTest, AFullDiskLeavesTheTargetAsItWasAndSaysSo) {
    test::SmallDiskFolder disk;
    test::FileFaults faults;
    const bool real = disk.Available();
    const std::string in = real ? disk.Path() : folder_.Path();
    std::printf(real ? "a full disk in %s\n" : "no small disk: a write failure is injected in %s\n", in.c_str());
    const std::string existing = in + "\\existing.txt", missing = in + "\\missing.txt";
    UntitledDocument(std::string(200000, 'd') + "\r\n");
    WriteFileBytes(existing, "x\r\n");
    if (real) {
        EXPECT_TRUE(disk.Fill());
    } else {
        faults.FailWritesAt(1000);
    }
    for (const std::string& target : {existing, missing}) {
        EXPECT_EQ(NotAppended(target, ERROR_DISK_FULL), AppendThroughDialog(target));
    }
    EXPECT_EQ("x\r\n", ReadFileBytes(existing));
    EXPECT_FALSE(test::FileExists(missing));
    EXPECT_EQ("", Setting(key::kAppendTo));
}

}  // namespace
}  // namespace quillet
