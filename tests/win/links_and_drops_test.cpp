// Links in a loaded document and files dropped onto the main window, through
// the main window's own message handling, with real message boxes and file
// dialogs answered by the test. Nothing is ever opened: the shell is replaced
// by a recorder.
#include "document_fixture.h"

#include <richedit.h>
#include <shlobj.h>

#include <climits>
#include <cstring>
#include <vector>

#include "app/event_loop_win.h"
#include "document/open_document_win.h"
#include "ui/dropped_files_win.h"
#include "ui/link_opener_win.h"

namespace quillet {
namespace {

using test::DialogAnswerer;
using test::PressButton;
using test::WriteFileBytes;

constexpr char kQuestionCaption[] = "Save modified file?";

std::vector<std::string>& Opened() {
    static std::vector<std::string> opened;
    return opened;
}

bool RecordOpen(const std::string& target) {
    Opened().push_back(target);
    return true;
}

class LinksAndDropsTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        Opened().clear();
        SetShellOpenForTesting(RecordOpen);
    }
    void TearDown() override {
        SetShellOpenForTesting(nullptr);
        DocumentTest::TearDown();
    }

    void LoadText(const std::string& text) {
        const std::string path = folder_.File("links.txt");
        WriteFileBytes(path, text);
        ASSERT_TRUE(LoadDocument(Context(), path));
    }

    // Mouse messages as the system sends them for a click on the character
    // at position; each one reaches the main window as EN_LINK when the
    // character is part of a link.
    void Click(long position, const std::vector<UINT>& messages) const {
        POINTL point{};
        ::SendMessageA(Editor(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), position);
        const LPARAM where = MAKELPARAM(point.x + 2, point.y + 3);
        for (UINT message : messages) {
            const WPARAM keys = message == WM_LBUTTONUP || message == WM_MOUSEMOVE ? 0 : MK_LBUTTON;
            ::SendMessageA(Editor(), message, keys, where);
        }
        test::PumpMessages();
    }
    bool IsLinkAt(long position) const {
        SetSelection(Editor(), position, position + 1);
        CHARFORMAT2A format{};
        format.cbSize = sizeof format;
        ::SendMessageA(Editor(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        SetSelection(Editor(), 0, 0);
        return (format.dwMask & CFM_LINK) && (format.dwEffects & CFE_LINK);
    }
    void DoubleClick(long position) const {
        Click(position, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    }
};

TEST_F(LinksAndDropsTest, ADoubleClickedLinkInALoadedFileGoesToTheShell) {
    LoadText("first line\r\nsee http://example.org/a?b=1 and www.example.com/x too\r\n");
    const long link = 11 + 4;  // "see " on the second line; a line break counts as one
    ASSERT_TRUE(IsLinkAt(link + 5)) << "the loaded text was not scanned for links";
    DoubleClick(link + 5);
    ASSERT_EQ(1u, Opened().size()) << "no EN_LINK reached the main window";
    EXPECT_EQ("http://example.org/a?b=1", Opened()[0]);
    // The editor handled the double click too: it selected in the link.
    const Selection selection = GetSelection(Editor());
    EXPECT_GE(selection.start, link);
    EXPECT_LT(selection.start, selection.end);
    EXPECT_LT(selection.start, link + 24);

    DoubleClick(link + 34);
    ASSERT_EQ(2u, Opened().size());
    EXPECT_EQ("http://www.example.com/x", Opened()[1]);
}

TEST_F(LinksAndDropsTest, SingleClicksAndOtherMouseMessagesOpenNothing) {
    LoadText("http://example.org/page\r\n");
    Click(5, {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEMOVE});
    EXPECT_TRUE(Opened().empty());
    DoubleClick(5);
    EXPECT_EQ(1u, Opened().size());
}

TEST_F(LinksAndDropsTest, EveryLinkNoticeGetsTheNormalResult) {
    LoadText("http://example.org/page\r\n");
    struct Case {
        UINT mouse;
        bool opens;
    };
    const Case cases[] = {{WM_LBUTTONDBLCLK, true}, {WM_LBUTTONDOWN, false}, {WM_LBUTTONUP, false},
                          {WM_RBUTTONDBLCLK, false}, {WM_MOUSEMOVE, false},  {WM_SETCURSOR, false}};
    for (const Case& c : cases) {
        Opened().clear();
        ENLINK notice{};
        notice.nmhdr = {Editor(), static_cast<UINT_PTR>(control_id::kEditor), EN_LINK};
        notice.msg = c.mouse;
        notice.chrg = {0, 23};
        // Zero lets the editor go on with the mouse message as anywhere else.
        EXPECT_EQ(0, ::SendMessageA(Main(), WM_NOTIFY, control_id::kEditor, reinterpret_cast<LPARAM>(&notice)));
        EXPECT_EQ(c.opens ? std::vector<std::string>{"http://example.org/page"} : std::vector<std::string>{},
                  Opened())
            << std::hex << c.mouse;
    }
}

// Every text range the editor is asked for, by the longest it was.
LONG& LongestRangeAsked() {
    static LONG longest = 0;
    return longest;
}
WNDPROC& EditorProc() {
    static WNDPROC proc = nullptr;
    return proc;
}
LRESULT CALLBACK WatchTextRanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == EM_GETTEXTRANGE) {
        const auto* range = reinterpret_cast<const TEXTRANGEA*>(lParam);
        const LONG end = range->chrg.cpMax < 0 ? LONG_MAX : range->chrg.cpMax;
        if (end - range->chrg.cpMin > LongestRangeAsked()) LongestRangeAsked() = end - range->chrg.cpMin;
    }
    return ::CallWindowProcA(EditorProc(), window, message, wParam, lParam);
}

TEST_F(LinksAndDropsTest, ALinkLongerThanTheBufferIsReadUpToItsLimit) {
    const std::string url = "http://example.org/" + std::string(700, 'a') + "z";
    LoadText("x " + url + " y\r\n");
    LongestRangeAsked() = 0;
    EditorProc() = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(Editor(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchTextRanges)));
    DoubleClick(2 + 10);
    ::SetWindowLongPtrA(Editor(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorProc()));
    EXPECT_EQ(511, LongestRangeAsked()) << "the buffer holds 511 characters and the zero";
    ASSERT_EQ(1u, Opened().size());
    EXPECT_EQ(url.substr(0, 511), Opened()[0]);
}

TEST_F(LinksAndDropsTest, LinksThatCouldStartAProgramAreRefused) {
    LoadText("file:///C:/windows/system32/notepad.exe news:comp.misc\r\n");
    ASSERT_TRUE(IsLinkAt(10));
    ASSERT_TRUE(IsLinkAt(45));
    DoubleClick(10);
    DoubleClick(45);
    EXPECT_TRUE(Opened().empty());
    // Texts the control does not take for links are refused all the same.
    for (const char* text : {"C:\\windows\\system32\\notepad.exe", "notepad.exe", "\"notepad.exe\" /p x",
                             "\\\\server\\share\\setup.exe", "FILE:c:/x.bat", ""}) {
        EXPECT_FALSE(OpenLink(text)) << text;
    }
    EXPECT_TRUE(Opened().empty());
    EXPECT_TRUE(OpenLink("MAILTO:someone@example.org"));
    EXPECT_EQ(std::vector<std::string>{"MAILTO:someone@example.org"}, Opened());
}

// A drop as the shell makes it: a DROPFILES block followed by the names.
HDROP MakeDrop(const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& path : paths) names += path + '\0';
    names += '\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void DeliverDrop(HWND window, HDROP drop) {
    ::PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) HandleQueuedMessage(message);
}

TEST_F(LinksAndDropsTest, TheFirstOfThreeDroppedFilesIsLoadedAndTheDropReleased) {
    const std::string first = folder_.File("first.txt");
    WriteFileBytes(first, "dropped\r\n");
    WriteFileBytes(folder_.File("second.txt"), "not this one\r\n");
    const HDROP drop = MakeDrop({first, folder_.File("second.txt"), folder_.File("third.txt")});
    DeliverDrop(Main(), drop);
    EXPECT_EQ("dropped", EditorText());
    EXPECT_EQ("Quillet - " + first, Title());
    EXPECT_FALSE(IsModified(Editor()));
    EXPECT_EQ(folder_.Path() + "\\", Setting(key::kOpen));
    EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), ::GlobalFlags(drop));  // DragFinish freed it
}

TEST_F(LinksAndDropsTest, ADropOntoAModifiedDocumentAsksFirst) {
    const std::string dropped = folder_.File("dropped.txt");
    WriteFileBytes(dropped, "from the drop\r\n");
    const std::string kept = folder_.File("kept.txt");
    WriteFileBytes(kept, "old\r\n");
    struct Case {
        const char* name;
        bool titled;
        int answer;
        bool cancelSaveAs;
        const char* textAfter;
        const char* keptFileAfter;
    };
    const Case cases[] = {
        {"No: replaced, nothing saved", true, IDNO, false, "from the drop", "old\r\n"},
        {"Yes: saved, then replaced", true, IDYES, false, "from the drop", "edit old\r\n"},
        {"Yes, Save As cancelled: kept", false, IDYES, true, "edit ", "old\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(kept, "old\r\n");
        if (c.titled) {
            ASSERT_TRUE(LoadDocument(Context(), kept));
        } else {
            OnNew(Context());
        }
        Type("edit ");
        const std::string titleBefore = Title();
        {
            DialogAnswerer question(kQuestionCaption, [&c](HWND d) { PressButton(d, c.answer); });
            DialogAnswerer saveAs("Save File As", [](HWND d) { PressButton(d, IDCANCEL); },
                                  c.cancelSaveAs ? 10000 : 300);
            DeliverDrop(Main(), MakeDrop({dropped}));
            EXPECT_TRUE(question.Answered());
            EXPECT_EQ(c.cancelSaveAs, saveAs.Answered());
        }
        EXPECT_EQ(c.textAfter, EditorText());
        EXPECT_EQ(c.keptFileAfter, test::ReadFileBytes(kept));
        const bool replaced = std::string(c.textAfter) == "from the drop";
        EXPECT_EQ(replaced ? "Quillet - " + dropped : titleBefore, Title());
        EXPECT_EQ(!replaced, IsModified(Editor()));
    }
}

TEST_F(LinksAndDropsTest, ADropThatCannotBeLoadedAsksNothingAndChangesNothing) {
    Type("unsaved");
    const std::string tooLong = folder_.Path() + "\\" + std::string(200, 'd') + "\\" + std::string(200, 'e') +
                                "\\" + std::string(200, 'f') + "\\" + std::string(200, 'g') + "\\" +
                                std::string(200, 'h') + ".txt";
    {
        DialogAnswerer none(kQuestionCaption, [](HWND d) { PressButton(d, IDNO); }, 300);
        DeliverDrop(Main(), MakeDrop({folder_.Path()}));
        DeliverDrop(Main(), MakeDrop({folder_.File("missing.txt")}));
        DeliverDrop(Main(), MakeDrop({tooLong}));
        DeliverDrop(Main(), MakeDrop({""}));
        ::SendMessageA(Main(), WM_DROPFILES, 0, 0);
        EXPECT_FALSE(none.Answered());
    }
    EXPECT_EQ("unsaved", EditorText());
    EXPECT_TRUE(IsModified(Editor()));
    EXPECT_EQ("Quillet - Untitled.txt", Title());
    // A long name is read whole, never cut at some buffer's end.
    EXPECT_EQ(tooLong, TakeFirstDroppedFile(MakeDrop({tooLong, "C:\\other.txt"})));
}

TEST_F(LinksAndDropsTest, AnEmptyDroppedFileEmptiesTheDocument) {
    const std::string empty = folder_.File("empty.txt");
    WriteFileBytes(empty, "");
    Type("replaced");
    SetModified(Editor(), false);
    DeliverDrop(Main(), MakeDrop({empty}));
    EXPECT_EQ("", EditorText());
    EXPECT_EQ("Quillet - " + empty, Title());
}

}  // namespace
}  // namespace quillet
