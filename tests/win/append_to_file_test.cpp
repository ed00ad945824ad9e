// Append To through the real file dialog: what the target holds afterwards,
// the refusal for the document's own file however it is named, and what a
// failed append leaves behind.
#include "document_fixture.h"

#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>

#include "document/append_to_file_win.h"
#include "document/file_io_win.h"
#include "document/open_document_win.h"
#include "document/text_transfer.h"
#include "platform/win_handles.h"

namespace quillet {
namespace {

using test::DialogAnswerer;
using test::PressButton;
using test::ReadFileBytes;
using test::WriteFileBytes;

constexpr char kMissing[] = "<missing>";  // what ReadFileBytes gives for no file
constexpr char kOwnFileWarning[] = "Warning: Can not save to the end of an open file";

BOOL CALLBACK MatchMessageBox(HWND window, LPARAM found) {
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId() || std::string(className) != "#32770" ||
        !::IsWindowVisible(window) || !::GetDlgItem(window, 0xFFFF)) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Closes every message box of this program that comes up while it lives,
// keeping the first one's caption and text.
class MessageBoxWatch {
public:
    MessageBoxWatch()
        : thread_([this] {
              while (!stop_) {
                  HWND box = nullptr;
                  ::EnumWindows(MatchMessageBox, reinterpret_cast<LPARAM>(&box));
                  if (box) {
                      ::Sleep(50);  // let it finish its own start-up
                      if (seen_.empty()) seen_ = test::WindowText(box) + ": " + test::MessageBoxText(box);
                      PressButton(box, IDOK);
                  }
                  ::Sleep(20);
              }
          }) {}
    ~MessageBoxWatch() { Finish(); }
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

    // "caption: text" of the first box, "" when none came up.
    std::string Finish() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return seen_;
    }

private:
    std::atomic<bool> stop_{false};
    std::string seen_;
    std::thread thread_;
};

class AppendTest : public DocumentTest {
protected:
    // An untitled document holding bytes as loaded, marked modified.
    void UntitledDocument(const std::string& bytes) {
        const auto text = EditorTextFromFileBytes(bytes);
        ASSERT_TRUE(LoadEditorText(Editor(), text.text, text.mark));
        SetModified(Editor(), true);
    }

    // Runs Append To, choosing path in its dialog. Returns the text of the
    // message box that came up as "caption: text", "" for none.
    std::string AppendThroughDialog(const std::string& path) {
        MessageBoxWatch box;
        DialogAnswerer choose("Save to the end of file", [&](HWND d) { test::ChooseFileInDialog(d, path); });
        OnAppendTo(Context());
        EXPECT_TRUE(choose.Answered());
        return box.Finish();
    }

    // The same for a path the dialog would not give back as it is (relative,
    // with "..", a folder).
    std::string AppendDirectly(const std::string& path) {
        MessageBoxWatch box;
        AppendDocumentTo(Context(), path);
        return box.Finish();
    }
};

TEST_F(AppendTest, TheDocumentsLinesFollowTheTargetsLastByte) {
    const struct {
        const char* name;
        std::string document;  // as loaded
        std::string target;    // before; kMissing for no file
        std::string after;
    } cases[] = {
        {"after a final line end", "a\r\nb", "x\r\n", "x\r\na\r\nb\r\n"},
        {"continuing a last line without an end", "a\nb\n", "x", "xa\r\nb\r\n"},
        {"a missing target is created", "a\r\nb", kMissing, "a\r\nb\r\n"},
        {"an empty document adds nothing", "", "x\r\n", "x\r\n"},
        {"an empty document still creates the target", "", kMissing, ""},
        {"a document of one empty line", "\r\n", "x", "x\r\n"},
    };
    const std::string target = folder_.File("target file.txt");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ::DeleteFileA(target.c_str());
        if (c.target != kMissing) WriteFileBytes(target, c.target);
        UntitledDocument(c.document);
        EXPECT_EQ("", AppendThroughDialog(target));
        EXPECT_EQ(c.after, ReadFileBytes(target));
        EXPECT_EQ("Quillet - Untitled.txt", Title());
        EXPECT_TRUE(IsModified(Editor()));
        EXPECT_EQ(folder_.Path() + "\\", Setting(key::kAppendTo));
    }
}

TEST_F(AppendTest, TheDocumentsOwnFileIsRefusedHoweverItsPathIsWritten) {
    const std::string own = folder_.File("Own File With A Long Name.txt");
    WriteFileBytes(own, "saved\r\n");
    ASSERT_TRUE(LoadDocument(Context(), own));
    Type("unsaved ");
    char shortName[MAX_PATH] = {};
    ASSERT_NE(0u, ::GetShortPathNameA(own.c_str(), shortName, sizeof shortName));
    ASSERT_NE(own, shortName);
    const std::string link = folder_.File("hard link.txt");
    ASSERT_TRUE(::CreateHardLinkA(link.c_str(), own.c_str(), nullptr));
    char upper[MAX_PATH] = {};
    ::lstrcpynA(upper, own.c_str(), sizeof upper);
    ::CharUpperA(upper);

    EXPECT_EQ(kOwnFileWarning, AppendThroughDialog(own));
    for (const std::string& name : {std::string(upper), std::string(shortName), link,
                                    folder_.Path() + "\\sub\\..\\Own File With A Long Name.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(kOwnFileWarning, AppendDirectly(name));
    }
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof current, current);
    ::SetCurrentDirectoryA(folder_.Path().c_str());
    EXPECT_EQ(kOwnFileWarning, AppendDirectly("Own File With A Long Name.txt"));
    ::SetCurrentDirectoryA(current);

    EXPECT_EQ("saved\r\n", ReadFileBytes(own));
    EXPECT_EQ("", Setting(key::kAppendTo));
    EXPECT_TRUE(IsModified(Editor()));
    EXPECT_EQ("Quillet - " + own, Title());

    // Another file of the same folder is appended to as usual.
    EXPECT_EQ("", AppendDirectly(folder_.File("other.txt")));
    EXPECT_EQ("unsaved saved\r\n", ReadFileBytes(folder_.File("other.txt")));
}

TEST_F(AppendTest, AnUntitledDocumentHasNoFileOfItsOwn) {
    const std::string untitled = folder_.File("Untitled.txt");
    WriteFileBytes(untitled, "u\r\n");
    UntitledDocument("a");
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof current, current);
    ::SetCurrentDirectoryA(folder_.Path().c_str());
    EXPECT_EQ("", AppendDirectly("Untitled.txt"));
    ::SetCurrentDirectoryA(current);
    EXPECT_EQ("u\r\na\r\n", ReadFileBytes(untitled));
}

TEST_F(AppendTest, ATargetThatCannotBeOpenedIsReportedAndLeftAlone) {
    const std::string target = folder_.File("guarded.txt");
    UntitledDocument("a");
    UniqueFile locked;
    const struct {
        const char* name;
        std::function<void()> guard;
        std::function<void()> release;
        std::string path;
        DWORD error;
    } cases[] = {
        {"read-only", [&] { ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY); },
         [&] { ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL); }, target, ERROR_ACCESS_DENIED},
        {"a folder", [] {}, [] {}, folder_.Path(), ERROR_ACCESS_DENIED},
        {"open elsewhere without sharing", [&] {
             locked.Reset(::CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
         },
         [&] { locked.Reset(); }, target, ERROR_SHARING_VIOLATION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(target, "old\r\n");
        c.guard();
        const std::string message = AppendDirectly(c.path);
        c.release();
        EXPECT_EQ(0u, message.find("Append To: Quillet could not append the document to " + c.path)) << message;
        EXPECT_NE(std::string::npos, message.find(SystemErrorText(c.error))) << message;
        EXPECT_EQ("old\r\n", ReadFileBytes(target));
        EXPECT_EQ("", Setting(key::kAppendTo));
    }
}

// Writes the first 1000 bytes of a call, then reports a full disk.
BOOL FailAfterAThousandBytes(HANDLE file, const void* data, DWORD size, DWORD* written) {
    const DWORD part = size < 1000 ? size : 1000;
    ::WriteFile(file, data, part, written, nullptr);
    ::SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

// Fills the disk of folder with one file; true when a write then failed.
bool FillDisk(const std::string& filler) {
    UniqueFile file(::CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const std::string chunk(4096, 'f');
    DWORD written = 0;
    for (int i = 0; i < 1 << 16; ++i) {
        if (!::WriteFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr) ||
            written < chunk.size()) {
            return true;
        }
    }
    return false;
}

// A folder of its own on the small disk the test run provides, removed with
// everything in it afterwards; or, without one, a folder of the test's own.
class DiskFolder {
public:
    explicit DiskFolder(const std::string& fallback) {
        char smallDisk[MAX_PATH] = {};
        const DWORD length = ::GetEnvironmentVariableA("QUILLET_SMALL_DISK", smallDisk, sizeof smallDisk);
        real_ = length > 0 && length < sizeof smallDisk;
        path_ = real_ ? std::string(smallDisk) + "\\append-test-" + std::to_string(::GetCurrentProcessId())
                      : fallback;
        if (real_) real_ = ::CreateDirectoryA(path_.c_str(), nullptr) != FALSE;
    }
    ~DiskFolder() {
        if (!real_) return;
        for (const char* name : {"filler", "existing.txt", "missing.txt"}) ::DeleteFileA(File(name).c_str());
        ::RemoveDirectoryA(path_.c_str());
    }
    DiskFolder(const DiskFolder&) = delete;
    DiskFolder& operator=(const DiskFolder&) = delete;

    bool Real() const { return real_; }
    std::string File(const char* name) const { return path_ + "\\" + name; }

private:
    bool real_ = false;
    std::string path_;
};

TEST_F(AppendTest, AFullDiskLeavesTheTargetAsItWasAndSaysSo) {
    const DiskFolder disk(folder_.Path());
    std::printf(disk.Real() ? "on a full disk: %s\n"
                            : "QUILLET_SMALL_DISK is not set: a write failure is injected in %s\n",
                disk.File("").c_str());
    UntitledDocument(std::string(200000, 'd') + "\r\n");
    const std::string existing = disk.File("existing.txt");
    const std::string missing = disk.File("missing.txt");
    WriteFileBytes(existing, "x\r\n");
    if (disk.Real()) {
        ASSERT_TRUE(FillDisk(disk.File("filler")));
    } else {
        SetWriteFileForTesting(FailAfterAThousandBytes);
    }
    const std::string toExisting = AppendThroughDialog(existing);
    const std::string toMissing = AppendThroughDialog(missing);
    SetWriteFileForTesting(nullptr);

    EXPECT_EQ("x\r\n", ReadFileBytes(existing));
    EXPECT_FALSE(test::FileExists(missing));
    for (const auto& [path, message] : {std::pair{existing, toExisting}, std::pair{missing, toMissing}}) {
        EXPECT_EQ(0u, message.find("Append To: Quillet could not append the document to " + path)) << message;
        EXPECT_NE(std::string::npos, message.find(SystemErrorText(ERROR_DISK_FULL))) << message;
        EXPECT_NE(std::string::npos, message.find("The file was left as it was.")) << message;
    }
    EXPECT_EQ("", Setting(key::kAppendTo));
}

}  // namespace
}  // namespace quillet
