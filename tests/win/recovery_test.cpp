// The recovery copy inside Quillet, against the real main window, editor,
// message boxes and files: what it holds and brings back, how the offer goes,
// when the copy goes, its thread, and writes that fail.
#include "document_fixture.h"

#include <iostream>
#include <optional>
#include <thread>

#include "document/open_document_win.h"
#include "document/recovery_copy.h"
#include "document/recovery_offer_win.h"
#include "document/recovery_rules.h"
#include "document/recovery_win.h"
#include "platform/editor_stream_out_win.h"
#include "platform/win_handles.h"
#include "program/command_ids.h"
#include "support/file_faults.h"
#include "support/message_box_watch.h"
#include "support/small_disk.h"

namespace quillet {
namespace {

using Names = std::vector<std::string>;

std::string Utf16(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

std::optional<RecoveryCopy> Read(const std::string& path) { return DecodeRecoveryCopy(test::ReadFileBytes(path)); }

// Answers the message boxes captioned "Quillet" in turn with the buttons given.
class Answers {
public:
    explicit Answers(std::vector<int> buttons)
        : thread_([this, buttons] {
              HWND last = nullptr;
              for (const int button : buttons) {
                  HWND box = nullptr;
                  for (int i = 0; i < 300 && (!box || box == last); ++i) box = test::WaitForMessageBox("Quillet", 50);
                  if (!box || box == last) return;
                  ::Sleep(50);
                  texts_.push_back(test::MessageBoxText(box));
                  test::PressButton(box, button);
                  last = box;
              }
          }) {}
    ~Answers() { Texts(); }
    const Names& Texts() {
        if (thread_.joinable()) thread_.join();
        return texts_;
    }

private:
    Names texts_;
    std::thread thread_;
};

class RecoveryTest : public DocumentTest {
protected:
    std::string Folder() const { return folder_.File(kRecoveryFolderName); }
    static std::string OwnCopy() { return RecoveryFolder() + "\\" + RecoveryFileName(RecoveryId()); }
    // An orphan's copy, last written `written` seconds into the day.
    std::string PutCopy(const std::string& id, const std::string& bytes, std::uint64_t written) const {
        ::CreateDirectoryA(Folder().c_str(), nullptr);
        const std::string path = Folder() + "\\" + RecoveryFileName(id);
        test::WriteFileBytes(path, bytes);
        const UniqueFile file(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        const std::uint64_t at = 133800000000000000u + written * 10000000u;  // in 2025, plus seconds
        const FILETIME time{static_cast<DWORD>(at), static_cast<DWORD>(at >> 32)};
        ::SetFileTime(file.Get(), nullptr, nullptr, &time);
        return path;
    }
    void Command(int id) const { ::SendMessageA(Main(), WM_COMMAND, static_cast<WPARAM>(id), 0); }
};

TEST_F(RecoveryTest, AKeptCopyBringsTheTextBackExactlyUnderItsTitleAndModified) {
    const std::string path = folder_.File("a.txt");
    test::WriteFileBytes(path, "\r\nold\r\n");  // an empty first line, which the editor marks
    ASSERT_TRUE(LoadDocument(Context(), path));
    const long end = TextLength(Editor());
    SetSelection(Editor(), end, end);
    SETTEXTEX add{ST_SELECTION, 1200};  // characters that no ANSI code page holds
    ::SendMessageA(Editor(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&add), reinterpret_cast<LPARAM>(L"\r\x4E2D\x20AC\xD83D\xDE00"));
    SetModified(Editor(), true);  // the control's EM_SETTEXTEX leaves the flag as it was
    std::wstring before;
    ASSERT_TRUE(SaveEditorTextW(Editor(), before));
    WriteRecoveryCopyNow(Context());
    StopRecovery();  // as a process that died: its copy stays, its mutex goes
    SetModified(Editor(), false);
    OnNew(Context());

    StartRecovery(Context());
    Answers answers({IDYES});
    EXPECT_TRUE(OfferRecoveredText(Context()));
    ASSERT_EQ(1u, answers.Texts().size());
    EXPECT_NE(std::string::npos, answers.Texts()[0].find("\r\n\r\n" + path + ", saved ")) << answers.Texts()[0];
    EXPECT_NE(std::string::npos, answers.Texts()[0].find(", 8 characters\r\n")) << answers.Texts()[0];
    std::wstring after;
    EXPECT_TRUE(SaveEditorTextW(Editor(), after));
    EXPECT_EQ(before, after);
    EXPECT_EQ(LineMark::Done, GetLineMark(Editor()));
    EXPECT_EQ("Quillet - " + path, Title());
    EXPECT_TRUE(IsModified(Editor()));
    EXPECT_EQ(Names{RecoveryFileName(RecoveryId())}, test::FileNames(Folder()));  // this Quillet's own now
}

TEST_F(RecoveryTest, CopiesAreOfferedNewestFirstUntilOneIsOpenedOrAllAreKept) {
    const auto copy = [](bool untitled, std::u16string_view text) {
        return EncodeRecoveryCopy({untitled, u"C:\\b.txt", 1, LineMark::None, Utf16(text)});
    };
    PutCopy("000000000000000a", copy(false, u"oldest"), 100);
    PutCopy("000000000000000b", copy(false, u"old"), 200);
    const std::string damaged = PutCopy("000000000000000c", "not a copy", 300);
    PutCopy("000000000000000d", copy(true, u"new"), 400);
    PutCopy("000000000000000e", copy(true, u"live"), 500);
    const UniqueKernelHandle running(::CreateMutexA(nullptr, FALSE, RecoveryMutexName("000000000000000e").c_str()));

    Answers answers({IDNO, IDNO, IDNO, IDYES, IDOK, IDCANCEL});
    EXPECT_FALSE(OfferRecoveredText(Context()));
    const Names& texts = answers.Texts();
    ASSERT_EQ(6u, texts.size());
    EXPECT_NE(std::string::npos, texts[0].find("\r\n\r\nUntitled.txt, saved ")) << texts[0];
    EXPECT_NE(std::string::npos, texts[0].find(", 3 characters\r\n")) << texts[0];
    EXPECT_EQ(kRecoveryDeleteQuestion, texts[1]);  // No goes back to the first question
    EXPECT_EQ(texts[0], texts[2]);
    EXPECT_EQ(kRecoveryDeleteQuestion, texts[3]);
    EXPECT_EQ(RecoveryUnreadableText(damaged), texts[4]);
    EXPECT_NE(std::string::npos, texts[5].find("\r\n\r\nC:\\b.txt, saved ")) << texts[5];
    EXPECT_EQ((Names{"copy-000000000000000a.txt", "copy-000000000000000b.txt", "copy-000000000000000c.txt",
                     "copy-000000000000000e.txt"}),
              test::FileNames(Folder()));
    EXPECT_EQ("Quillet - Untitled.txt", Title());
    EXPECT_FALSE(IsModified(Editor()));
}

TEST_F(RecoveryTest, TheCopyGoesOnlyOnceTheDocumentIsNoLongerModified) {
    const std::string path = folder_.File("a.txt");
    test::WriteFileBytes(path, "a\r\n");
    ASSERT_TRUE(LoadDocument(Context(), path));
    Type("1");
    WriteRecoveryCopyNow(Context());
    const std::string copy = OwnCopy();
    ASSERT_TRUE(Read(copy));
    {
        test::DialogAnswerer no("Save modified file?", [](HWND box) { test::PressButton(box, IDNO); });
        test::DialogAnswerer cancel("Please choose file to load", [](HWND box) { test::PressButton(box, IDCANCEL); });
        Command(menu_id::kOpen);
    }
    EXPECT_TRUE(Read(copy)) << "still modified after No and a cancelled Open";
    Command(menu_id::kSave);
    EXPECT_FALSE(test::FileExists(copy));
    EXPECT_EQ("1a\r\n", test::ReadFileBytes(path));

    Type("2");
    WriteRecoveryCopyNow(Context());
    ASSERT_TRUE(Read(copy));
    test::DialogAnswerer no("Save modified file?", [](HWND box) { test::PressButton(box, IDNO); });
    Command(menu_id::kNew);
    EXPECT_FALSE(test::FileExists(copy));
}

HANDLE WriteBegun() {
    static const HANDLE begun = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    return begun;
}

BOOL SlowWrite(HANDLE file, const void* data, DWORD size, DWORD* written) {
    ::SetEvent(WriteBegun());
    ::Sleep(500);
    return ::WriteFile(file, data, size, written, nullptr);
}

TEST_F(RecoveryTest, TheCopyIsWritten2sAfterTheLastChangeOnAThreadAndDeletingWaitsForIt) {
    test::SwappedSystemCalls calls;
    calls->writeFile = SlowWrite;
    ::ResetEvent(WriteBegun());
    Type("x");
    const DWORD typed = ::GetTickCount();
    // This loop is the GUI thread: it takes messages while the copy is written.
    while (::WaitForSingleObject(WriteBegun(), 0) == WAIT_TIMEOUT && ::GetTickCount() - typed < 5000) {
        test::PumpMessages(5);
    }
    const DWORD waited = ::GetTickCount() - typed;
    EXPECT_GE(waited, RecoverySchedule::kQuietMs - 20);
    EXPECT_LT(waited, RecoverySchedule::kQuietMs + 1500);
    const std::string copy = OwnCopy();
    EXPECT_FALSE(test::FileExists(copy)) << "not written yet";
    SetModified(Editor(), false);
    WatchRecovery(Context());
    test::PumpMessages(800);
    EXPECT_FALSE(test::FileExists(copy)) << "the write in flight brought the copy back";
}

enum class Fault { FullDisk, StopPartWay, TakeNothing, FlushFails, RewriteFails, BackupThenNoMove, LossThenNoMove };

void Arrange(Fault fault, test::FileFaults& f, test::SmallDiskFolder& disk, const std::string& copy) {
    switch (fault) {
    case Fault::FullDisk:
        std::cout << (disk.Available() ? "a real full disk: " + disk.Path() : "an injected full disk") << "\n";
        if (disk.Available()) disk.Fill();
        if (!disk.Available()) f.FailWritesAt(0, ERROR_DISK_FULL);
        break;
    case Fault::StopPartWay: f.FailWritesAt(100); break;
    case Fault::TakeNothing: f.ShortenWrites(0); break;
    case Fault::FlushFails: f.FailFlushes(); break;
    case Fault::RewriteFails: f.RefuseReplaces(ERROR_ACCESS_DENIED); f.FailWritesToFileAt(copy, 10); break;
    case Fault::BackupThenNoMove: f.StopReplacesAfterTheBackup(); f.FailMoves(10); break;
    case Fault::LossThenNoMove: f.LoseTheOldFileInReplaces(); f.FailMoves(10); break;
    }
}

const struct {
    const char* name;
    Fault fault;
    bool newText;  // what the copy holds afterwards: the new text (put in place by hand) or the one before
} kFaultRows[] = {
    {"a full disk", Fault::FullDisk, false},
    {"a write that stops part-way", Fault::StopPartWay, false},
    {"writes that take nothing", Fault::TakeNothing, false},
    {"the flush fails", Fault::FlushFails, false},
    {"the replace is refused, the rewrite fails part-way", Fault::RewriteFails, true},
    {"the replace stops after the backup, every move fails", Fault::BackupThenNoMove, true},
    {"the replace loses the old copy, the move fails", Fault::LossThenNoMove, true},
};

TEST_F(RecoveryTest, AWriteThatFailsShowsNothingKeepsAWholeCopyAndLeavesNothingBehind) {
    for (const auto& row : kFaultRows) {
        SCOPED_TRACE(row.name);
        test::SmallDiskFolder disk;  // the copy beside the settings file, on the small disk when there is one
        const std::string settings = (disk.Available() ? disk.Path() : folder_.Path()) + "\\" + kSettingsFileName;
        const CommandContext context{Main(), TheMainWindow().editor, settings};
        StartRecovery(context);
        SetModified(Editor(), false);
        OnNew(context);
        Type("before");
        WriteRecoveryCopyNow(context);
        const std::string copy = OwnCopy();
        Type(" after");
        {
            test::FileFaults faults;
            test::MessageBoxWatch boxes;
            Arrange(row.fault, faults, disk, copy);
            WriteRecoveryCopyNow(context);
            EXPECT_EQ("", boxes.Finish());
        }
        disk.Free();
        const std::optional<RecoveryCopy> kept = Read(copy);
        ASSERT_TRUE(kept.has_value());
        EXPECT_EQ(Utf16(row.newText ? u"before after" : u"before"), kept->text);
        EXPECT_EQ(Names{RecoveryFileName(RecoveryId())}, test::FileNames(RecoveryFolder()));
        EXPECT_TRUE(IsModified(Editor()));
        Type("!");
        WriteRecoveryCopyNow(context);
        EXPECT_EQ(Utf16(u"before after!"), Read(copy)->text);
        EndRecovery();
        EXPECT_FALSE(test::FileExists(copy));
    }
}

TEST_F(RecoveryTest, AFolderThatTakesNoFileTurnsRecoveryOffQuietlyForTheRun) {
    test::WriteFileBytes(Folder(), "a file where the folder goes");
    test::MessageBoxWatch boxes;
    Type("a");
    WriteRecoveryCopyNow(Context());
    ASSERT_TRUE(::DeleteFileA(Folder().c_str()));
    Type("b");
    WriteRecoveryCopyNow(Context());
    EXPECT_FALSE(test::FileExists(Folder())) << "tried again";
    EXPECT_EQ("", boxes.Finish());
}

TEST_F(RecoveryTest, TheSessionsEndHasTheCopyWrittenBeforeItAsksAndAnEndAgreedToDeletesIt) {
    Type("unsaved");
    const std::string copy = Folder() + "\\" + RecoveryFileName(RecoveryId());
    std::optional<RecoveryCopy> seen;
    {
        test::DialogAnswerer no("Save modified file?", [&](HWND box) {
            seen = Read(copy);
            test::PressButton(box, IDNO);
        });
        EXPECT_EQ(TRUE, ::SendMessageA(Main(), WM_QUERYENDSESSION, 0, 0));
    }
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(Utf16(u"unsaved"), seen->text);
    ::SendMessageA(Main(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(test::FileExists(copy));
}

}  // namespace
}  // namespace quillet
