// What saving and loading leave behind when the disk, the system or another
// program gets in the way. Every save row starts from a file (or none) and a
// modified document, makes one thing fail, saves through the real file
// writer, and checks the file under the user's name, every file of ours left
// beside it or in the system's temporary folder (each must be named in the
// message), the document, its title and modified flag, and what the message
// said. Every load row checks that the document the editor held stays.
//
// Run as root under Wine, the system lets the program write a read-only file
// and ignores folder permissions: the read-only row proves the program's own
// check, and a folder that takes no new files is reached here only through
// one too deep for a temporary name.
#include "document_fixture.h"

#include <richedit.h>

#include <algorithm>
#include <iostream>
#include <memory>
#include <vector>

#include "document/file_io_win.h"
#include "document/file_replace_win.h"
#include "document/open_document_win.h"
#include "document/save_document_win.h"
#include "platform/code_page_win.h"
#include "platform/editor_stream_out_win.h"
#include "platform/win_handles.h"
#include "support/file_faults.h"
#include "support/message_box_watch.h"
#include "support/small_disk.h"
#include "support/swapped_system_calls.h"

namespace quillet {
namespace {

using test::FileFaults;

enum class Place { Here, TooDeep, SmallDisk, TooDeepOnSmallDisk };
enum class Start { OldFile, NoFile };
enum class Edit { Longer, Shorter };
// What the user's name holds afterwards.
enum class Left { OldBytes, NewBytes, Incomplete, Gone, Nothing };
// How the file under the user's name came by its new bytes: written where it
// lies (it is the same file, as every other name of it still is), or
// replaced by a new file.
enum class Route { Any, InPlace, Replaced };

struct Scene {
    std::string folder;
    std::string path;
    std::string oldBytes;
    std::string newBytes;
    FileFaults faults;
    UniqueFile otherProgram;
    std::unique_ptr<test::SmallDiskFolder> smallDisk;
    // Other names of the file (links): they must hold what the user's name holds.
    std::vector<std::string> otherNames;
    bool skip = false;  // the case cannot be made here
};

struct SaveRow {
    const char* name;
    Place place;
    Start start;
    Edit edit;
    void (*arrange)(Scene&);
    Left left;
    int copiesNamed;  // files of ours left: 1 holds the new bytes, a 2nd the old file
    DWORD reason;     // the error the message gives; ERROR_SUCCESS: no message
    Route route = Route::Any;
    bool oldFileOnly = false;  // the one file of ours left holds the old file
};

void Nothing(Scene&) {}

void ShortWriteAtFirstByte(Scene& s) { s.faults.FailWritesAt(0); }
void ShortWriteInTheMiddle(Scene& s) { s.faults.FailWritesAt(s.newBytes.size() / 2); }
void ShortWriteAtLastByte(Scene& s) { s.faults.FailWritesAt(s.newBytes.size() - 1); }
void WritesTakePart(Scene& s) { s.faults.ShortenWrites(1000); }
void WritesTakeNothing(Scene& s) { s.faults.ShortenWrites(0); }
void FlushFails(Scene& s) { s.faults.FailFlushes(); }
void CreateFails(Scene& s) { s.path = s.folder + "\\no such folder\\new.txt"; }
void ReadOnly(Scene& s) { ::SetFileAttributesA(s.path.c_str(), FILE_ATTRIBUTE_READONLY); }

void FullDisk(Scene& s) {
    if (s.smallDisk && s.smallDisk->Available()) {
        std::cout << "the full disk is a real one: " << s.smallDisk->Path() << "\n";
        s.smallDisk->Fill();
    } else {
        std::cout << "QUILLET_SMALL_DISK is not set: the full disk is an injected failure\n";
        s.faults.FailWritesAt(0, ERROR_DISK_FULL);
    }
}

void OpenElsewhere(Scene& s, DWORD sharing) {
    s.otherProgram.Reset(::CreateFileA(s.path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
}
void LockedWithoutSharing(Scene& s) { OpenElsewhere(s, 0); }
void ReadByAnotherProgram(Scene& s) { OpenElsewhere(s, FILE_SHARE_READ | FILE_SHARE_WRITE); }

void ReplaceRefused(Scene& s) { s.faults.RefuseReplaces(ERROR_UNABLE_TO_REMOVE_REPLACED); }
void RewriteFailsPartWay(Scene& s) {
    ReplaceRefused(s);
    s.faults.FailWritesToFileAt(s.path, s.newBytes.size() / 2);
}
void RewriteFlushFails(Scene& s) {
    ReplaceRefused(s);
    s.faults.FailFlushesToFileAt(s.path);
}
void ReplaceStopsAfterBackup(Scene& s) { s.faults.StopReplacesAfterTheBackup(); }
void ReplaceStopsThenMoveFails(Scene& s) {
    s.faults.StopReplacesAfterTheBackup();
    s.faults.FailMoves(1);
}
void ReplaceStopsThenMovesFail(Scene& s) {
    s.faults.StopReplacesAfterTheBackup();
    s.faults.FailMoves(10);
}
void ReplaceLosesOldFile(Scene& s) { s.faults.LoseTheOldFileInReplaces(); }
void ReplaceLosesOldFileThenMovesFail(Scene& s) {
    s.faults.LoseTheOldFileInReplaces();
    s.faults.FailMoves(10);
}
void InPlaceWriteFailsPartWay(Scene& s) { s.faults.FailWritesToFileAt(s.path, s.newBytes.size() / 2); }
// Reading, with no write sharing; deleting it is shared, so a replace would go through.
void ReadWithoutWriteSharing(Scene& s) { OpenElsewhere(s, FILE_SHARE_READ | FILE_SHARE_DELETE); }
void RewriteReadsBackWrong(Scene& s) { ReplaceRefused(s), s.faults.CorruptReadsOfFileAt(s.path); }
void BackupStaysOpen(Scene& s) { s.faults.KeepBackupsOpen(); }

// Links: the user's name shares the file with another name.
void HardLink(Scene& s) {
    const std::string other = s.folder + "\\b.txt";
    ASSERT_TRUE(::CreateHardLinkA(other.c_str(), s.path.c_str(), nullptr));
    s.otherNames = {other};
}
// The user's name becomes a symbolic link to the file, made on the Unix side.
void SymbolicLink(Scene& s) {
    const std::string target = s.folder + "\\target.txt";
    ASSERT_TRUE(::MoveFileA(s.path.c_str(), target.c_str()));
    if (!test::MakeUnixSymbolicLink(s.folder, "target.txt", "a.txt")) {
        std::cout << "no Unix side to make a symbolic link on: the case is left out\n";
        s.skip = true;
        ::MoveFileA(target.c_str(), s.path.c_str());
        return;
    }
    s.otherNames = {target};
}
void TwoNamesByTheCount(Scene& s) { s.faults.GiveFileAtTwoNames(s.path); }
void ReachedElsewhere(Scene& s) { s.faults.ReachFileAtElsewhere(s.path); }
void FolderReachedElsewhereToo(Scene& s) { s.faults.ReachEverythingElsewhere(); }
void NoFileInformation(Scene& s) { s.faults.FailFileInformation(); }

using P = Place;
using S = Start;
using E = Edit;
using L = Left;
using R = Route;

const SaveRow kSaveRows[] = {
    {"the file cannot be created", P::Here, S::NoFile, E::Longer, CreateFails, L::Nothing, 0, ERROR_PATH_NOT_FOUND},
    {"a short write at the first byte", P::Here, S::OldFile, E::Longer, ShortWriteAtFirstByte, L::OldBytes, 0, ERROR_DISK_FULL},
    {"a short write in the middle", P::Here, S::OldFile, E::Longer, ShortWriteInTheMiddle, L::OldBytes, 0, ERROR_DISK_FULL},
    {"a short write at the last byte", P::Here, S::OldFile, E::Longer, ShortWriteAtLastByte, L::OldBytes, 0, ERROR_DISK_FULL},
    {"writes that take part of what they are given", P::Here, S::OldFile, E::Longer, WritesTakePart, L::NewBytes, 0, ERROR_SUCCESS, R::Replaced},
    {"a write that takes nothing", P::Here, S::OldFile, E::Longer, WritesTakeNothing, L::OldBytes, 0, ERROR_DISK_FULL},
    {"a full disk", P::SmallDisk, S::OldFile, E::Longer, FullDisk, L::OldBytes, 0, ERROR_DISK_FULL},
    {"the flush fails", P::Here, S::OldFile, E::Longer, FlushFails, L::OldBytes, 0, ERROR_IO_DEVICE},
    {"a read-only file", P::Here, S::OldFile, E::Shorter, ReadOnly, L::OldBytes, 0, ERROR_FILE_READ_ONLY},
    {"a file locked without sharing", P::Here, S::OldFile, E::Longer, LockedWithoutSharing, L::OldBytes, 0, ERROR_SHARING_VIOLATION},
    // Shared for reading and writing but not deletion, as most readers open
    // files: it cannot be replaced, so it is rewritten in place and cut.
    {"a file another program reads", P::Here, S::OldFile, E::Shorter, ReadByAnotherProgram, L::NewBytes, 0, ERROR_SUCCESS, R::InPlace},
    {"the replace is refused", P::Here, S::OldFile, E::Longer, ReplaceRefused, L::NewBytes, 0, ERROR_SUCCESS, R::InPlace},
    {"the replace is refused, the rewrite fails part-way", P::Here, S::OldFile, E::Longer, RewriteFailsPartWay, L::Incomplete, 1, ERROR_DISK_FULL},
    {"the replace is refused, the rewrite's flush fails", P::Here, S::OldFile, E::Shorter, RewriteFlushFails, L::Incomplete, 1, ERROR_IO_DEVICE},
    {"the replace stops after the backup", P::Here, S::OldFile, E::Longer, ReplaceStopsAfterBackup, L::NewBytes, 0, ERROR_SUCCESS},
    {"the replace stops after the backup, the move fails", P::Here, S::OldFile, E::Longer, ReplaceStopsThenMoveFails, L::OldBytes, 0, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2},
    {"the replace stops after the backup, every move fails", P::Here, S::OldFile, E::Longer, ReplaceStopsThenMovesFail, L::Gone, 2, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2},
    {"the replace loses the old file", P::Here, S::OldFile, E::Longer, ReplaceLosesOldFile, L::NewBytes, 0, ERROR_SUCCESS},
    {"the replace loses the old file, the move fails", P::Here, S::OldFile, E::Longer, ReplaceLosesOldFileThenMovesFail, L::Gone, 1, ERROR_UNABLE_TO_MOVE_REPLACEMENT},
    {"a new file in a folder too deep for a temporary name", P::TooDeep, S::NoFile, E::Longer, Nothing, L::NewBytes, 0, ERROR_SUCCESS},
    {"a new file there, the write fails", P::TooDeep, S::NoFile, E::Longer, ShortWriteInTheMiddle, L::Nothing, 0, ERROR_DISK_FULL},
    {"an existing file there", P::TooDeep, S::OldFile, E::Shorter, Nothing, L::NewBytes, 0, ERROR_SUCCESS, R::InPlace},
    {"an existing file there, the rewrite fails part-way", P::TooDeep, S::OldFile, E::Longer, InPlaceWriteFailsPartWay, L::Incomplete, 1, ERROR_DISK_FULL},
    // The rewrite in place first grows the file, so that a full disk refuses
    // before any old byte changes.
    {"an existing file there, on a full disk", P::TooDeepOnSmallDisk, S::OldFile, E::Longer, FullDisk, L::OldBytes, 0, ERROR_DISK_FULL},
    {"a file another program reads without sharing writes", P::Here, S::OldFile, E::Longer, ReadWithoutWriteSharing, L::OldBytes, 0, ERROR_SHARING_VIOLATION},
    {"the replace is refused, the rewrite reads back wrong", P::Here, S::OldFile, E::Longer, RewriteReadsBackWrong, L::Incomplete, 1, kReadBackDiffers},
    {"the old file cannot be cleared away after the replace", P::Here, S::OldFile, E::Longer, BackupStaysOpen, L::NewBytes, 1, ERROR_SUCCESS, R::Replaced, true},
    // A link stays a link, and every name keeps sharing the text.
    {"a file with a second name (hard link)", P::Here, S::OldFile, E::Longer, HardLink, L::NewBytes, 0, ERROR_SUCCESS, R::InPlace},
    {"a second name, the rewrite fails part-way", P::Here, S::OldFile, E::Longer, [](Scene& s) { HardLink(s), InPlaceWriteFailsPartWay(s); }, L::Incomplete, 1, ERROR_DISK_FULL, R::InPlace},
    {"a symbolic link to the file", P::Here, S::OldFile, E::Shorter, SymbolicLink, L::NewBytes, 0, ERROR_SUCCESS, R::InPlace},
    {"a file that says it has two names", P::Here, S::OldFile, E::Longer, TwoNamesByTheCount, L::NewBytes, 0, ERROR_SUCCESS, R::InPlace},
    {"a file reached through a link elsewhere", P::Here, S::OldFile, E::Longer, ReachedElsewhere, L::NewBytes, 0, ERROR_SUCCESS, R::InPlace},
    {"a file in a folder reached through a link", P::Here, S::OldFile, E::Longer, FolderReachedElsewhereToo, L::NewBytes, 0, ERROR_SUCCESS, R::Replaced},
    {"a file that cannot tell how many names it has", P::Here, S::OldFile, E::Shorter, NoFileInformation, L::NewBytes, 0, ERROR_SUCCESS, R::InPlace},
};

std::string ReasonText(DWORD error) {
    if (error == kReadBackDiffers) return "The file did not read back as it was written.";
    return error == ERROR_FILE_READ_ONLY ? "The file is read-only." : SystemErrorText(error);
}

std::string OldFileBytes() {
    std::string bytes;
    for (int i = 0; i < 400; ++i) bytes += "old line " + std::to_string(i) + "\r\n";
    return bytes;
}

// A folder whose name leaves no room for a temporary file's name in it, while
// a short file name still fits.
// A folder whose name is too long for a temporary name beside a file in it
// (GetTempFileNameA wants it shorter than MAX_PATH - 14), "" when it cannot
// be made. Windows makes no folder of MAX_PATH - 12 characters or more.
std::string MakeTooDeepFolder(const std::string& base) {
    constexpr std::size_t kLength = MAX_PATH - 13;  // the folder's name, "\\a.txt" still fits
    std::string folder = base;
    while (folder.size() < kLength) {
        folder += "\\" + std::string(std::clamp<std::size_t>(kLength - folder.size() - 1, 2, 40), 'd');
        if (!::CreateDirectoryA(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
    return folder;
}

class SaveFaultMatrixTest : public DocumentTest {
protected:
    // Sets up the row's folder, file and document; the document's new bytes
    // go into scene.newBytes.
    void Prepare(const SaveRow& row, int index, Scene& scene) {
        if (row.place == Place::SmallDisk || row.place == Place::TooDeepOnSmallDisk) {
            scene.smallDisk = std::make_unique<test::SmallDiskFolder>();
            if (scene.smallDisk->Available()) scene.folder = scene.smallDisk->Path();
        }
        if (scene.folder.empty()) {
            scene.folder = folder_.File("row " + std::to_string(index));
            ASSERT_TRUE(::CreateDirectoryA(scene.folder.c_str(), nullptr));
        }
        if (row.place == Place::TooDeep || row.place == Place::TooDeepOnSmallDisk) {
            scene.folder = MakeTooDeepFolder(scene.folder);
            ASSERT_FALSE(scene.folder.empty()) << "no folder too deep for a temporary name";
        }
        scene.path = scene.folder + "\\a.txt";
        SetModified(Editor(), false);
        OnNew(Context());
        if (row.start == Start::OldFile) {
            scene.oldBytes = OldFileBytes();
            test::WriteFileBytes(scene.path, scene.oldBytes);
            ASSERT_TRUE(LoadDocument(Context(), scene.path));
        }
        if (row.edit == Edit::Shorter) {
            SetSelection(Editor(), 0, -1);
            Type("short");
            scene.newBytes = "short\r\n";
        } else {
            Type(std::string(5000, 'n') + (row.start == Start::NoFile ? "\rsecond" : ""));
            scene.newBytes = row.start == Start::NoFile ? std::string(5000, 'n') + "\r\nsecond\r\n"
                                                        : std::string(5000, 'n') + scene.oldBytes;
        }
        ASSERT_TRUE(IsModified(Editor()));
    }

    void Check(const SaveRow& row, const Scene& scene, bool saved, const std::string& message,
               const std::string& textBefore, const std::string& titleBefore,
               const std::vector<std::string>& systemCopiesBefore) {
        const bool expectSaved = row.left == Left::NewBytes;
        EXPECT_EQ(expectSaved, saved);
        // The file under the user's name.
        const std::string now = test::ReadFileBytes(scene.path);
        switch (row.left) {
        case Left::OldBytes: EXPECT_TRUE(now == scene.oldBytes) << "the old file changed"; break;
        case Left::NewBytes: EXPECT_TRUE(now == scene.newBytes) << "not the new bytes: " << now.size(); break;
        case Left::Incomplete: EXPECT_FALSE(now == scene.oldBytes); break;
        case Left::Gone:
        case Left::Nothing: EXPECT_EQ("<missing>", now); break;
        }
        // The document.
        EXPECT_EQ(textBefore, EditorText());
        EXPECT_EQ(expectSaved ? "Quillet - " + scene.path : titleBefore, Title());
        EXPECT_EQ(!expectSaved, IsModified(Editor()));
        // What the user was told ("caption: text" of the message box), and
        // what it says of the user's name: each outcome its own words.
        EXPECT_EQ(row.reason != ERROR_SUCCESS, message.rfind("Save: Quillet could not save ", 0) == 0) << message;
        if (row.reason != ERROR_SUCCESS) {
            EXPECT_NE(std::string::npos, message.find(scene.path)) << message;
            EXPECT_NE(std::string::npos, message.find(ReasonText(row.reason))) << message;
        }
        EXPECT_EQ(row.left == Left::Incomplete, message.find(scene.path + " may be incomplete.") != std::string::npos)
            << message;
        EXPECT_EQ(row.left == Left::Gone, message.find(scene.path + " no longer exists.") != std::string::npos)
            << message;
        for (const std::string& other : scene.otherNames) EXPECT_TRUE(test::ReadFileBytes(other) == now) << other;
        // Every file of ours left behind, beside the file or in the system's
        // temporary folder, is named and holds a whole copy.
        std::vector<std::string> copies;
        for (const std::string& name : test::FileNames(scene.folder)) {
            const std::string file = scene.folder + "\\" + name;
            if (file != scene.path && std::find(scene.otherNames.begin(), scene.otherNames.end(), file) ==
                                          scene.otherNames.end()) {
                copies.push_back(file);
            }
        }
        const std::string temporary = test::SystemTemporaryFolder();
        for (const std::string& name : test::TemporaryCopies(temporary)) {
            if (std::find(systemCopiesBefore.begin(), systemCopiesBefore.end(), name) == systemCopiesBefore.end()) {
                copies.push_back(temporary + name);
            }
        }
        EXPECT_EQ(static_cast<std::size_t>(row.copiesNamed), copies.size());
        int newCopies = 0;
        int oldCopies = 0;
        for (const std::string& copy : copies) {
            EXPECT_NE(std::string::npos, message.find(copy)) << copy << " is not named: " << message;
            const std::string bytes = test::ReadFileBytes(copy);
            newCopies += bytes == scene.newBytes;
            oldCopies += bytes == scene.oldBytes;
            ::DeleteFileA(copy.c_str());
        }
        EXPECT_EQ(row.copiesNamed >= 1 && !row.oldFileOnly ? 1 : 0, newCopies);
        EXPECT_EQ(row.copiesNamed >= 2 || row.oldFileOnly ? 1 : 0, oldCopies);
        if (!copies.empty() && row.left == Left::NewBytes) {
            EXPECT_EQ(0u, message.rfind("Save: Quillet saved " + scene.path + ", but could not remove", 0)) << message;
        }
        EXPECT_EQ(expectSaved ? scene.folder + "\\" : "", Setting(key::kSave));
    }
};

TEST_F(SaveFaultMatrixTest, EverySaveFaultKeepsAWholeCopyAndSaysWhatHappened) {
    int index = 0;
    for (const SaveRow& row : kSaveRows) {
        SCOPED_TRACE(row.name);
        WriteSetting(settings_, section::kLastAccessed, key::kSave, "");
        Scene scene;
        Prepare(row, ++index, scene);
        if (HasFatalFailure()) return;
        const std::string textBefore = EditorText();
        const std::string titleBefore = Title();
        const std::vector<std::string> systemCopiesBefore = test::TemporaryCopies(test::SystemTemporaryFolder());
        if (row.place == Place::TooDeepOnSmallDisk && !(scene.smallDisk && scene.smallDisk->Available())) {
            std::cout << "QUILLET_SMALL_DISK is not set: the case is left out\n";
            continue;
        }
        row.arrange(scene);
        if (HasFatalFailure()) return;
        if (scene.skip) continue;
        const std::string identityBefore = test::FileIdentityOf(scene.path);
        bool saved = false;
        std::string message;
        {
            test::MessageBoxWatch watch;
            saved = row.start == Start::OldFile ? SaveDocument(Context()) : WriteDocument(Context(), scene.path);
            message = watch.Finish();
        }
        scene.otherProgram.Reset();
        scene.faults.CloseKeptFiles();
        if (row.route != Route::Any) {
            EXPECT_EQ(row.route == Route::InPlace, identityBefore == test::FileIdentityOf(scene.path));
        }
        if (scene.smallDisk) scene.smallDisk->Free();
        ::SetFileAttributesA(scene.path.c_str(), FILE_ATTRIBUTE_NORMAL);
        Check(row, scene, saved, message, textBefore, titleBefore, systemCopiesBefore);
    }
}

// Loads that fail part-way: the document the editor held stays as it was.

// Makes every editor control made meanwhile take no more than a given number
// of bytes in one load, as a control that runs out of room stops taking text.
// (A load goes into a fresh control, and so does the previous document when
// it goes back.)
class EditorRoom {
public:
    explicit EditorRoom(std::size_t bytes) {
        Limit() = bytes;
        calls_->editorCreated = Restrict;
    }
    ~EditorRoom() {
        for (HWND editor : Limited()) {
            if (::IsWindow(editor)) {
                ::SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Original()));
            }
        }
        Limited().clear();
    }
    EditorRoom(const EditorRoom&) = delete;
    EditorRoom& operator=(const EditorRoom&) = delete;

private:
    test::SwappedSystemCalls calls_;

    static void Restrict(HWND editor) {
        Original() = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
        Limited().push_back(editor);
    }
    static std::vector<HWND>& Limited() {
        static std::vector<HWND> editors;
        return editors;
    }
    struct Feed {
        EDITSTREAM* outer;
        std::size_t given;
    };
    static std::size_t& Limit() {
        static std::size_t limit = 0;
        return limit;
    }
    static WNDPROC& Original() {
        static WNDPROC original = nullptr;
        return original;
    }
    static DWORD CALLBACK Read(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
        auto* feed = reinterpret_cast<Feed*>(cookie);
        *done = 0;
        if (feed->given >= Limit()) return ERROR_NOT_ENOUGH_MEMORY;
        const std::size_t room = Limit() - feed->given;
        const LONG ask = room < static_cast<std::size_t>(size) ? static_cast<LONG>(room) : size;
        const DWORD result = feed->outer->pfnCallback(feed->outer->dwCookie, buffer, ask, done);
        feed->given += static_cast<std::size_t>(*done);
        return result;
    }
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != EM_STREAMIN) return ::CallWindowProcA(Original(), window, message, wParam, lParam);
        auto* outer = reinterpret_cast<EDITSTREAM*>(lParam);
        Feed feed{outer, 0};
        EDITSTREAM inner{reinterpret_cast<DWORD_PTR>(&feed), 0, Read};
        const LRESULT result = ::CallWindowProcA(Original(), window, message, wParam, reinterpret_cast<LPARAM>(&inner));
        outer->dwError = inner.dwError;
        return result;
    }

};

enum class Fault { ReadError, RoomForThePreviousOnly, NoRoomForEither };

struct LoadRow {
    const char* name;
    std::string previousFile;  // loaded first
    const wchar_t* typed;      // then typed at its start (nullptr: not edited), and a part selected
    Fault fault;
};

const wchar_t kBeyondTheCodePage[] = L"\x4E2D\x0151\xD83D\xDE00 ";

const LoadRow kLoadRows[] = {
    {"a read error part-way", "previous\r\ntext\r\n", L"edited ", Fault::ReadError},
    {"the editor takes only part of the file", "previous\r\ntext\r\n", L"edited ", Fault::RoomForThePreviousOnly},
    {"the same over a document of one empty line", "\r\n", nullptr, Fault::RoomForThePreviousOnly},
    {"the same with text the code page lacks", "previous\r\n", kBeyondTheCodePage, Fault::RoomForThePreviousOnly},
    {"the editor cannot take the previous document back", "previous\r\ntext\r\n", L"edited ",
     Fault::NoRoomForEither},
    {"the same with text the code page lacks", "previous\r\n", kBeyondTheCodePage, Fault::NoRoomForEither},
    // Part of it must not pass for the saved file even when it was unedited.
    {"the same for an unedited document", "previous\r\ntext\r\n", nullptr, Fault::NoRoomForEither},
};

// What the copy saved aside holds: the file writer's bytes, or UTF-16 with
// its byte-order mark when the code page cannot hold the text.
std::string SavedAside(const std::wstring& streamed) {
    if (FitsCodePage(streamed)) return ToCodePage(streamed) + "\r\n";
    const std::wstring text = L"\xFEFF" + streamed + L"\r\n";
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

TEST_F(DocumentTest, EveryLoadFaultKeepsThePreviousDocumentAndSaysWhatHappened) {
    const std::string file = folder_.File("large.txt");
    test::WriteFileBytes(file, std::string(3 << 20, 'x'));
    for (const LoadRow& row : kLoadRows) {
        SCOPED_TRACE(row.name);
        const std::string previous = folder_.File("previous.txt");
        test::WriteFileBytes(previous, row.previousFile);
        ASSERT_TRUE(LoadDocument(Context(), previous));
        const bool edited = row.typed != nullptr;
        if (edited) {
            SETTEXTEX typing{ST_SELECTION | ST_KEEPUNDO, 1200};
            ::SendMessageA(Editor(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&typing), reinterpret_cast<LPARAM>(row.typed));
            SetModified(Editor(), true);
            SetSelection(Editor(), 3, 9);
        }
        WriteSetting(settings_, section::kLastAccessed, key::kOpen, "");
        const std::string text = EditorText();
        std::wstring unicode;
        ASSERT_TRUE(SaveEditorTextW(Editor(), unicode));
        const long lines = LineCount(Editor());
        const Selection selection = GetSelection(Editor());
        const std::string temporary = test::SystemTemporaryFolder();
        const std::vector<std::string> copiesBefore = test::TemporaryCopies(temporary);
        std::string message;
        {
            test::MessageBoxWatch watch;
            std::unique_ptr<EditorRoom> room;
            test::SwappedSystemCalls calls;
            if (row.fault == Fault::ReadError) calls->readFile = test::FailReadsAfterOneMegabyte;
            if (row.fault != Fault::ReadError) {
                room = std::make_unique<EditorRoom>(row.fault == Fault::NoRoomForEither ? 10 : 4096);
            }
            EXPECT_FALSE(LoadDocument(Context(), file));
            message = watch.Finish();
        }
        EXPECT_EQ(0u, message.rfind("Open: Quillet could not read ", 0)) << message;
        EXPECT_NE(std::string::npos, message.find(file)) << message;
        EXPECT_NE(std::string::npos,
                  message.find(row.fault == Fault::ReadError ? SystemErrorText(ERROR_CRC) : "too large"))
            << message;
        EXPECT_EQ("", Setting(key::kOpen));
        std::vector<std::string> copies;
        for (const std::string& name : test::TemporaryCopies(temporary)) {
            if (std::find(copiesBefore.begin(), copiesBefore.end(), name) == copiesBefore.end()) {
                copies.push_back(temporary + name);
            }
        }
        if (row.fault != Fault::NoRoomForEither) {
            EXPECT_NE(std::string::npos, message.find("The document was left as it was.")) << message;
            EXPECT_EQ(text, EditorText());
            std::wstring back;
            EXPECT_TRUE(SaveEditorTextW(Editor(), back));
            EXPECT_EQ(unicode, back);
            EXPECT_EQ(lines, LineCount(Editor()));
            EXPECT_EQ(edited, IsModified(Editor()));
            EXPECT_EQ(selection.start, GetSelection(Editor()).start);
            EXPECT_EQ(selection.end, GetSelection(Editor()).end);
            EXPECT_EQ("Quillet - " + previous, Title());
            EXPECT_TRUE(copies.empty());
        } else {
            // Part of the previous document must pass neither for the file
            // nor for the previous file; its whole text is saved aside.
            EXPECT_EQ("Quillet - Untitled.txt", Title());
            EXPECT_TRUE(IsModified(Editor()));
            ASSERT_EQ(1u, copies.size());
            EXPECT_NE(std::string::npos, message.find(copies.front())) << message;
            EXPECT_EQ(SavedAside(unicode), test::ReadFileBytes(copies.front()));
        }
        for (const std::string& copy : copies) ::DeleteFileA(copy.c_str());
    }
}

}  // namespace
}  // namespace quillet
