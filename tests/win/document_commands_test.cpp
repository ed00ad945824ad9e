// New, the modified check, Open and the load, against the real window,
// message boxes and file dialogs.
#include "document_fixture.h"

#include <richedit.h>

#include <functional>

#include "app/program_end_win.h"
#include "document/file_io_win.h"
#include "document/open_document_win.h"
#include "platform/editor_view_win.h"
#include "platform/win_handles.h"
#include "support/file_faults.h"
#include "support/main_window_probe.h"
#include "support/swapped_system_calls.h"

namespace quillet {
namespace {

using test::DialogAnswerer;
using test::PressButton;
using test::WriteFileBytes;

constexpr char kQuestionCaption[] = "Save modified file?";

TEST_F(DocumentTest, NewOnAnUnmodifiedDocumentClearsWithoutAsking) {
    Type("kept only in memory");
    SetModified(Editor(), false);
    DialogAnswerer none(kQuestionCaption, [](HWND d) { PressButton(d, IDNO); }, 300);
    OnNew(Context());
    EXPECT_FALSE(none.Answered());
    EXPECT_EQ("", EditorText());
    EXPECT_EQ("Quillet - Untitled.txt", Title());
    EXPECT_FALSE(IsModified(Editor()));
    EXPECT_EQ(0, ::SendMessageA(Editor(), EM_CANUNDO, 0, 0));  // New is no undo step
}

TEST_F(DocumentTest, ModifiedCheckNamesTheDocumentAndNoGoesOn) {
    Type("draft");
    DialogAnswerer no(kQuestionCaption, [](HWND d) { PressButton(d, IDNO); });
    OnNew(Context());
    ASSERT_TRUE(no.Answered());
    EXPECT_EQ("The text in this file has been modified\r\n\r\nWould you like to save this file now?"
              "\r\n\r\nUntitled.txt",
              no.DialogText());
    EXPECT_EQ("", EditorText());
    EXPECT_FALSE(IsModified(Editor()));
}

TEST_F(DocumentTest, YesThenCancelledSaveAsKeepsTheText) {
    Type("precious");
    DialogAnswerer yes(kQuestionCaption, [](HWND d) { PressButton(d, IDYES); });
    DialogAnswerer cancel("Save File As", [](HWND d) { PressButton(d, IDCANCEL); });
    OnNew(Context());
    EXPECT_TRUE(yes.Answered());
    EXPECT_TRUE(cancel.Answered());
    EXPECT_EQ("precious", EditorText());
    EXPECT_TRUE(IsModified(Editor()));
}

TEST_F(DocumentTest, YesSavesATitledDocumentBeforeNewClearsIt) {
    const std::string path = folder_.File("kept.txt");
    WriteFileBytes(path, "old\r\n");
    ASSERT_TRUE(LoadDocument(Context(), path));
    Type("new ");
    DialogAnswerer yes(kQuestionCaption, [](HWND d) { PressButton(d, IDYES); });
    OnNew(Context());
    EXPECT_EQ("new old\r\n", test::ReadFileBytes(path));
    EXPECT_EQ("", EditorText());
    EXPECT_EQ("Quillet - Untitled.txt", Title());
}

// A new document goes into a fresh editor control, since emptying a large
// one in place takes minutes under Wine: made where and as the old one was.
TEST_F(DocumentTest, NewAndOpenPutAFreshEditorWhereTheOldOneWas) {
    const std::string file = folder_.File("long line.txt");
    WriteFileBytes(file, std::string(400, 'w') + " " + std::string(400, 'x') + "\r\nhttp://example.org/\r\n");
    SetWordWrap(Editor(), true);
    ScopedGdiObject font(::CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Courier New"));
    SetTextFontAndColour(Editor(), static_cast<HFONT>(font.Get()), RGB(0, 0, 0));
    ::SetFocus(Editor());
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"Open", [&] { EXPECT_TRUE(LoadDocument(Context(), file)); }},
        {"New", [&] { OnNew(Context()); }},
    };
    for (const auto& [name, run] : steps) {
        SCOPED_TRACE(name);
        HWND old = Editor();
        const test::Place place = test::PlaceInParent(old);
        const LONG_PTR style = ::GetWindowLongPtrA(old, GWL_STYLE);
        const LONG_PTR exStyle = ::GetWindowLongPtrA(old, GWL_EXSTYLE);
        const LRESULT events = ::SendMessageA(old, EM_GETEVENTMASK, 0, 0);
        HWND previous = ::GetWindow(old, GW_HWNDPREV);
        run();
        HWND fresh = Editor();
        EXPECT_NE(old, fresh);
        EXPECT_FALSE(::IsWindow(old));
        EXPECT_EQ(fresh, ::GetDlgItem(Main(), 15));
        EXPECT_EQ(place, test::PlaceInParent(fresh));
        EXPECT_EQ(style, ::GetWindowLongPtrA(fresh, GWL_STYLE));
        EXPECT_EQ(exStyle, ::GetWindowLongPtrA(fresh, GWL_EXSTYLE));
        EXPECT_EQ(events, ::SendMessageA(fresh, EM_GETEVENTMASK, 0, 0));
        EXPECT_NE(0, ::SendMessageA(fresh, EM_GETAUTOURLDETECT, 0, 0));
        EXPECT_EQ(previous, ::GetWindow(fresh, GW_HWNDPREV));
        EXPECT_EQ(fresh, ::GetFocus());
        CHARFORMATA format{};
        format.cbSize = sizeof format;
        ::SendMessageA(fresh, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        EXPECT_STREQ("Courier New", format.szFaceName);
        EXPECT_FALSE(IsModified(fresh));
        EXPECT_EQ(0, ::SendMessageA(fresh, EM_CANUNDO, 0, 0));
        if (std::string(name) == "Open") {
            EXPECT_GT(::SendMessageA(fresh, EM_GETLINECOUNT, 0, 0), 3) << "the long line wraps";
        }
    }
}

TEST_F(DocumentTest, LoadReplacesTheDocumentAndRemembersTheFolder) {
    const std::string path = folder_.File("two lines.txt");
    WriteFileBytes(path, "a\r\nb");
    Type("before");
    ASSERT_TRUE(LoadDocument(Context(), path));
    EXPECT_EQ("a\r\nb", EditorText());
    EXPECT_EQ("Quillet - " + path, Title());
    EXPECT_EQ(folder_.Path() + "\\", Setting(key::kOpen));
    EXPECT_FALSE(IsModified(Editor()));
    const Selection caret = GetSelection(Editor());
    EXPECT_EQ(0, caret.start);
    EXPECT_EQ(0, caret.end);
    EXPECT_EQ(0, ::SendMessageA(Editor(), EM_CANUNDO, 0, 0));  // the load is no undo step
}

TEST_F(DocumentTest, AnEmptyFileLoadsAsAnEmptyDocument) {
    const std::string path = folder_.File("empty.txt");
    WriteFileBytes(path, "");
    Type("something");
    ASSERT_TRUE(LoadDocument(Context(), path));
    EXPECT_EQ("", EditorText());
    EXPECT_EQ(0, LineCount(Editor()));
    EXPECT_EQ("Quillet - " + path, Title());
}

TEST_F(DocumentTest, FilesThatCannotBeOpenedChangeNothingSilently) {
    Type("unsaved");
    DialogAnswerer none("Open", [](HWND d) { PressButton(d, IDOK); }, 300);
    EXPECT_FALSE(LoadDocument(Context(), folder_.File("missing.txt")));
    EXPECT_FALSE(LoadDocument(Context(), folder_.Path()));
    EXPECT_FALSE(none.Answered());
    EXPECT_EQ("unsaved", EditorText());
    EXPECT_TRUE(IsModified(Editor()));
    EXPECT_EQ("Quillet - Untitled.txt", Title());
    EXPECT_EQ("", Setting(key::kOpen));
}

TEST_F(DocumentTest, AReadErrorPartWayLeavesTheDocumentAndSaysSo) {
    const std::string path = folder_.File("failing.txt");
    WriteFileBytes(path, std::string(3 << 20, 'x'));
    Type("unsaved");
    {
        test::SwappedSystemCalls calls;
        calls->readFile = test::FailReadsAfterOneMegabyte;
        DialogAnswerer ok("Open", [](HWND d) { PressButton(d, IDOK); });
        EXPECT_FALSE(LoadDocument(Context(), path));
        ASSERT_TRUE(ok.Answered());
        EXPECT_NE(std::string::npos, ok.DialogText().find(path));
    }
    EXPECT_EQ("unsaved", EditorText());
    EXPECT_TRUE(IsModified(Editor()));
    EXPECT_EQ("Quillet - Untitled.txt", Title());
    EXPECT_EQ("", Setting(key::kOpen));
}

TEST_F(DocumentTest, OpenAsksFirstThenLoadsTheChosenFile) {
    const std::string path = folder_.File("chosen.txt");
    WriteFileBytes(path, "chosen\n");
    Type("draft");
    DialogAnswerer no(kQuestionCaption, [](HWND d) { PressButton(d, IDNO); });
    bool mainEnabledDuringDialog = true;
    DialogAnswerer choose("Please choose file to load", [&](HWND d) {
        mainEnabledDuringDialog = ::IsWindowEnabled(Main()) != FALSE;
        test::ChooseFileInDialog(d, path);
    });
    OnOpen(Context());
    EXPECT_TRUE(no.Answered());
    EXPECT_TRUE(choose.Answered());
    EXPECT_FALSE(mainEnabledDuringDialog);
    EXPECT_TRUE(::IsWindowEnabled(Main()));
    EXPECT_EQ("chosen", EditorText());
    EXPECT_EQ("Quillet - " + path, Title());
}

TEST_F(DocumentTest, OpenStopsWhenTheDocumentCouldNotBeSaved) {
    Type("precious");
    DialogAnswerer yes(kQuestionCaption, [](HWND d) { PressButton(d, IDYES); });
    DialogAnswerer cancel("Save File As", [](HWND d) { PressButton(d, IDCANCEL); });
    DialogAnswerer noOpen("Please choose file to load", [](HWND d) { PressButton(d, IDCANCEL); }, 1000);
    OnOpen(Context());
    EXPECT_TRUE(cancel.Answered());
    EXPECT_FALSE(noOpen.Answered());
    EXPECT_EQ("precious", EditorText());
}

TEST_F(DocumentTest, OpeningANameThatDoesNotExistDoesNothing) {
    Type("unsaved");
    SetModified(Editor(), false);
    DialogAnswerer choose("Please choose file to load",
                          [&](HWND d) { test::ChooseFileInDialog(d, folder_.File("nothing.txt")); });
    OnOpen(Context());
    EXPECT_TRUE(choose.Answered());
    EXPECT_EQ("unsaved", EditorText());
    EXPECT_EQ("Quillet - Untitled.txt", Title());
}

TEST_F(DocumentTest, TheCommandLineFileLoadsOnlyWhenItHasBytes) {
    const std::string path = folder_.File("with blanks.txt");
    WriteFileBytes(path, "x\r\n");
    LoadCommandLineFile(Context(), "quillet.exe \"" + path + "\"");
    EXPECT_EQ("Quillet - " + path, Title());

    const std::string empty = folder_.File("empty.txt");
    WriteFileBytes(empty, "");
    OnNew(Context());
    LoadCommandLineFile(Context(), "quillet.exe \"" + empty + "\"");
    LoadCommandLineFile(Context(), "quillet.exe \"" + folder_.Path() + "\"");
    LoadCommandLineFile(Context(), "quillet.exe " + path);  // unquoted: cut at the blank
    EXPECT_EQ("Quillet - Untitled.txt", Title());
}

TEST_F(DocumentTest, ExitAndCloseAskAndStopWhenTheTextIsNotSaved) {
    Type("precious");
    {
        DialogAnswerer yes(kQuestionCaption, [](HWND d) { PressButton(d, IDYES); });
        DialogAnswerer cancel("Save File As", [](HWND d) { PressButton(d, IDCANCEL); });
        OnExit(Context());
    }
    EXPECT_FALSE(QuitPosted());
    {
        DialogAnswerer no(kQuestionCaption, [](HWND d) { PressButton(d, IDNO); });
        OnExit(Context());
        EXPECT_TRUE(no.Answered());
    }
    EXPECT_TRUE(QuitPosted());
}

// The end of the Windows session asks as closing does; only a Yes whose
// save did not happen holds the session up.
TEST_F(DocumentTest, EndingTheSessionAsksAndHoldsUpOnlyForUnsavedText) {
    const std::string path = folder_.File("session.txt");
    const struct Case {
        const char* name;
        bool titled;
        bool modified;
        int answer;  // to the question; 0: none expected
        LRESULT mayEnd;
        const char* onDisk;
        bool stillModified;
    } cases[] = {
        {"not modified", true, false, 0, TRUE, "old\r\n", false},
        {"No", true, true, IDNO, TRUE, "old\r\n", true},
        {"Yes, saved", true, true, IDYES, TRUE, "new old\r\n", false},
        {"Yes, Save As cancelled", false, true, IDYES, FALSE, "old\r\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(path, "old\r\n");
        ASSERT_TRUE(LoadDocument(Context(), path));
        if (!c.titled) SetDocumentTitle(Main(), "Untitled.txt");
        if (c.modified) Type("new ");
        DialogAnswerer question(kQuestionCaption, [&](HWND d) { PressButton(d, c.answer ? c.answer : IDNO); },
                                c.answer ? 10000 : 300);
        DialogAnswerer cancel("Save File As", [](HWND d) { PressButton(d, IDCANCEL); }, c.titled ? 1 : 10000);
        EXPECT_EQ(c.mayEnd, ::SendMessageA(Main(), WM_QUERYENDSESSION, 0, 0));
        EXPECT_EQ(c.answer != 0, question.Answered());
        EXPECT_EQ(c.onDisk, test::ReadFileBytes(path));
        EXPECT_EQ(c.stillModified, IsModified(Editor()));
    }
}

TEST_F(DocumentTest, WhileADialogWaitsTheSessionEndsOnlyWithNothingToLose) {
    ::EnableWindow(Main(), FALSE);  // as while a message box or file dialog is up
    EXPECT_EQ(TRUE, ::SendMessageA(Main(), WM_QUERYENDSESSION, 0, 0));
    Type("unsaved");
    DialogAnswerer none(kQuestionCaption, [](HWND d) { PressButton(d, IDNO); }, 300);
    EXPECT_EQ(FALSE, ::SendMessageA(Main(), WM_QUERYENDSESSION, 0, 0));
    EXPECT_FALSE(none.Answered());
    ::EnableWindow(Main(), TRUE);
}

TEST_F(DocumentTest, TheSessionsEndStoresTheGeometryAsClosingDoes) {
    ::SetWindowPos(Main(), nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageA(Main(), WM_ENDSESSION, FALSE, 0);  // the session goes on: nothing stored
    EXPECT_NE("123", ReadSetting(settings_, section::kDisplay, key::kXPos));
    ::SendMessageA(Main(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ("123", ReadSetting(settings_, section::kDisplay, key::kXPos));
    EXPECT_EQ("77", ReadSetting(settings_, section::kDisplay, key::kYPos));
}

}  // namespace
}  // namespace quillet
