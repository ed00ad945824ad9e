// Links in a loaded document and files dropped onto the main window, through
// the main window's own message handling, with real message boxes and file
// dialogs answered by the test. Nothing is ever opened: a recorder stands in
// for the shell.
#include "document_fixture.h"

#include <richedit.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "app/event_loop_win.h"
#include "document/open_document_win.h"
#include "platform/link_opener_win.h"
#include "platform/message_loop_win.h"
#include "support/recorded_links.h"
#include "support/view_probe.h"
#include "ui/dropped_files_win.h"

namespace quillet {
namespace {

using test::DialogAnswerer;
using test::PressButton;
using test::WriteFileBytes;
using Targets = std::vector<std::string>;

constexpr char kQuestionCaption[] = "Save modified file?";

class LinksAndDropsTest : public DocumentTest {
protected:
    void LoadText(const std::string& text) {
        const std::string path = folder_.File("links.txt");
        WriteFileBytes(path, text);
        ASSERT_TRUE(LoadDocument(Context(), path));
    }
    bool IsLinkAt(long position) const { return test::IsLinkAt(Editor(), position); }
    // Mouse messages as the system sends them for a click on the character
    // at position; over a link, the editor reports each to the main window.
    void Click(long position, const std::vector<UINT>& messages) const {
        POINTL point{};
        ::SendMessageA(Editor(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), position);
        for (UINT message : messages) {
            const WPARAM keys = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK ? MK_LBUTTON : 0;
            ::SendMessageA(Editor(), message, keys, MAKELPARAM(point.x + 2, point.y + 3));
        }
        test::PumpMessages();
    }
    void DoubleClick(long position) const {
        Click(position, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    }
    const Targets& Opened() const { return opened_.Targets(); }

    test::RecordedLinks opened_;
};

TEST_F(LinksAndDropsTest, ADoubleClickedLinkInALoadedFileGoesToTheShell) {
    LoadText("first line\r\nsee http://example.org/a?b=1 and www.example.com/x too\r\n");
    const long link = 11 + 4;  // "see " on the second line; a line break counts as one
    ASSERT_TRUE(IsLinkAt(link + 5)) << "the loaded text was not scanned for links";
    Click(link + 5, {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP});
    EXPECT_TRUE(Opened().empty()) << "single clicks open nothing";
    DoubleClick(link + 5);
    EXPECT_EQ(Targets{"http://example.org/a?b=1"}, Opened());
    // The editor handled the double click too: it selected around the place.
    const Selection selection = GetSelection(Editor());
    EXPECT_LE(selection.start, link + 5);
    EXPECT_GT(selection.end, link + 5);
    DoubleClick(link + 34);
    EXPECT_EQ((Targets{"http://example.org/a?b=1", "http://www.example.com/x"}), Opened());
}

// A link in capitals: Windows' control marks it as a link, Wine's does not,
// so the control's notice of a double click on it is sent here as Windows'
// control sends it, to the real main window over the real text.
TEST_F(LinksAndDropsTest, ALinkInCapitalsIsOpenedToo) {
    LoadText("HTTP://EXAMPLE.ORG/LOUD and WWW.EXAMPLE.COM\r\n");
    for (const CHARRANGE range : {CHARRANGE{0, 23}, CHARRANGE{28, 43}}) {
        ENLINK notice{};
        notice.nmhdr = {Editor(), static_cast<UINT_PTR>(::GetDlgCtrlID(Editor())), EN_LINK};
        notice.msg = WM_LBUTTONDBLCLK;
        notice.chrg = range;
        ::SendMessageA(Main(), WM_NOTIFY, notice.nmhdr.idFrom, reinterpret_cast<LPARAM>(&notice));
    }
    EXPECT_EQ((Targets{"HTTP://EXAMPLE.ORG/LOUD", "http://WWW.EXAMPLE.COM"}), Opened());
}

// The longest text range the editor was asked for, watched from in front of
// its window procedure.
LONG g_longestRange = 0;
WNDPROC g_editorProc = nullptr;
LRESULT CALLBACK WatchTextRanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == EM_GETTEXTRANGE) {
        const CHARRANGE range = reinterpret_cast<const TEXTRANGEA*>(lParam)->chrg;
        g_longestRange = std::max(g_longestRange, (range.cpMax < 0 ? LONG_MAX : range.cpMax) - range.cpMin);
    }
    return ::CallWindowProcA(g_editorProc, window, message, wParam, lParam);
}

TEST_F(LinksAndDropsTest, ALinkLongerThanTheBufferIsReadUpToItsLimit) {
    const std::string url = "http://example.org/" + std::string(700, 'a') + "z";
    LoadText("x " + url + " y\r\n");
    g_longestRange = 0;
    g_editorProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(Editor(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchTextRanges)));
    DoubleClick(2 + 10);
    ::SetWindowLongPtrA(Editor(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_editorProc));
    EXPECT_EQ(511, g_longestRange) << "the buffer holds 511 characters and the zero";
    EXPECT_EQ(Targets{url.substr(0, 511)}, Opened());
}

TEST_F(LinksAndDropsTest, LinksThatCouldStartAProgramAreRefused) {
    LoadText("file:///C:/windows/system32/notepad.exe news:comp.misc\r\n");
    ASSERT_TRUE(IsLinkAt(10));
    ASSERT_TRUE(IsLinkAt(45));
    DoubleClick(10);
    DoubleClick(45);
    // Texts the control does not take for links are refused all the same.
    EXPECT_FALSE(OpenLink("C:\\windows\\system32\\notepad.exe"));
    EXPECT_FALSE(OpenLink("\"notepad.exe\" /p x"));
    EXPECT_TRUE(Opened().empty());
}

void DeliverDrop(HWND window, HDROP drop) {
    ::PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchEvent(message);
}

TEST_F(LinksAndDropsTest, TheFirstOfThreeDroppedFilesIsLoadedAndTheDropReleased) {
    const std::string first = folder_.File("first.txt");
    WriteFileBytes(first, "dropped\r\n");
    WriteFileBytes(folder_.File("second.txt"), "not this one\r\n");
    const HDROP drop = test::MakeDrop({first, folder_.File("second.txt"), folder_.File("third.txt")});
    DeliverDrop(Main(), drop);
    EXPECT_EQ("dropped", EditorText());
    EXPECT_EQ("Quillet - " + first, Title());
    EXPECT_FALSE(IsModified(Editor()));
    EXPECT_EQ(folder_.Path() + "\\", Setting(key::kOpen));
    EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), ::GlobalFlags(drop));  // DragFinish freed it
    // An empty file empties the document.
    WriteFileBytes(folder_.File("empty.txt"), "");
    DeliverDrop(Main(), test::MakeDrop({folder_.File("empty.txt")}));
    EXPECT_EQ("", EditorText());
    EXPECT_EQ("Quillet - " + folder_.File("empty.txt"), Title());
}

TEST_F(LinksAndDropsTest, ADropOntoAModifiedDocumentAsksFirst) {
    const std::string dropped = folder_.File("dropped.txt");
    WriteFileBytes(dropped, "from the drop\r\n");
    const std::string kept = folder_.File("kept.txt");
    struct Case {
        const char* name;
        bool titled;
        int answer;
        bool replaced;
        const char* keptFileAfter;
    };
    const Case cases[] = {
        {"No: replaced, nothing saved", true, IDNO, true, "old\r\n"},
        {"Yes: saved, then replaced", true, IDYES, true, "edit old\r\n"},
        {"Yes, Save As cancelled: kept", false, IDYES, false, "old\r\n"},
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
        const std::string before = EditorText();
        const std::string titleBefore = Title();
        {
            DialogAnswerer question(kQuestionCaption, [&c](HWND d) { PressButton(d, c.answer); });
            DialogAnswerer saveAs("Save File As", [](HWND d) { PressButton(d, IDCANCEL); },
                                  c.titled ? 300 : 10000);
            DeliverDrop(Main(), test::MakeDrop({dropped}));
            EXPECT_TRUE(question.Answered());
            EXPECT_EQ(!c.titled, saveAs.Answered());
        }
        EXPECT_EQ(c.replaced ? "from the drop" : before, EditorText());
        EXPECT_EQ(c.replaced ? "Quillet - " + dropped : titleBefore, Title());
        EXPECT_EQ(!c.replaced, IsModified(Editor()));
        EXPECT_EQ(c.keptFileAfter, test::ReadFileBytes(kept));
    }
}

TEST_F(LinksAndDropsTest, ADropThatCannotBeLoadedAsksNothingAndChangesNothing) {
    Type("unsaved");
    std::string tooLong = folder_.Path();
    for (char c : {'d', 'e', 'f', 'g', 'h'}) tooLong += "\\" + std::string(200, c);
    {
        DialogAnswerer none(kQuestionCaption, [](HWND d) { PressButton(d, IDNO); }, 300);
        for (const std::string& path : {folder_.Path(), folder_.File("missing.txt"), tooLong, std::string()}) {
            DeliverDrop(Main(), test::MakeDrop({path}));
        }
        ::SendMessageA(Main(), WM_DROPFILES, 0, 0);
        EXPECT_FALSE(none.Answered());
    }
    EXPECT_EQ("unsaved", EditorText());
    EXPECT_TRUE(IsModified(Editor()));
    EXPECT_EQ("Quillet - Untitled.txt", Title());
    // A long name is read whole, never cut at some buffer's end.
    EXPECT_EQ(tooLong, TakeFirstDroppedFile(test::MakeDrop({tooLong, "C:\\other.txt"})));
}

}  // namespace
}  // namespace quillet
