// What the editor shows is what the file gets: pasted text comes in as plain
// ANSI text, text the code page cannot hold reaches no file unasked, and a
// document put back after a failed load comes back exactly.
#include "document_fixture.h"

#include <richedit.h>

#include <string>

#include "document/append_to_file_win.h"
#include "document/code_page_question_win.h"
#include "document/open_document_win.h"
#include "document/save_document_win.h"
#include "editing/edit_commands_win.h"
#include "platform/code_page_win.h"
#include "platform/editor_stream_out_win.h"
#include "support/message_box_watch.h"

namespace quillet {
namespace {

std::string Wide(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
}

class CodePageTest : public DocumentTest {
protected:
    // The editor's text as it holds it, lines joined by CR LF.
    std::wstring Shown() const {
        std::wstring text;
        EXPECT_TRUE(SaveEditorTextW(Editor(), text));
        return text;
    }
    // Text that got in some other way than a paste (a drop, for instance),
    // an edit to save.
    void PutUnicode(const std::wstring& text) const {
        SETTEXTEX how{ST_SELECTION, 1200};
        ::SendMessageA(Editor(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(text.c_str()));
        SetModified(Editor(), true);
    }
    // The code-page question answered with answer ("" when none came).
    std::string Answering(int answer, const std::function<void()>& command) const {
        std::string asked;
        test::DialogAnswerer box("Quillet", [&](HWND dialog) {
            asked = test::MessageBoxText(dialog);
            test::PressButton(dialog, answer);
        }, 3000);
        command();
        return asked;
    }
};

// Each way into the editor: the Paste command, the message, the control's
// own Shift+Insert (a key that reaches the control, not a shortcut).
const struct {
    const char* name;
    void (*paste)(const CommandContext& context);
} kPastes[] = {
    {"command", OnPaste},
    {"message", [](const CommandContext& c) { ::SendMessageA(c.editor, WM_PASTE, 0, 0); }},
    {"Shift+Insert",
     [](const CommandContext& c) {
         BYTE keys[256] = {};
         ::GetKeyboardState(keys);
         keys[VK_SHIFT] = 0x80;
         ::SetKeyboardState(keys);
         ::SendMessageA(c.editor, WM_KEYDOWN, VK_INSERT, 0);
         keys[VK_SHIFT] = 0;
         ::SetKeyboardState(keys);
     }},
};

TEST_F(CodePageTest, EveryPasteBringsExactlyWhatASaveWrites) {
    const std::wstring pasted[] = {L"\x4E2D\x6587 \x20AC", L"\x0151", L"\x2192", L"\xD83D\xDE00 x", L"one\r\ntwo"};
    for (const auto& way : kPastes) {
        for (const std::wstring& text : pasted) {
            SCOPED_TRACE(way.name + std::string(" ") + ToCodePage(text));
            ASSERT_TRUE(test::SetClipboardFormats({{CF_UNICODETEXT, Wide(text)}}));
            Type("start ");
            SetModified(Editor(), false);
            way.paste(Context());
            const std::wstring shown = Shown();
            EXPECT_EQ(L"start " + FromCodePage(ToCodePage(text)), shown);
            EXPECT_TRUE(FitsCodePage(shown));
            EXPECT_TRUE(IsModified(Editor()));
            ::SendMessageA(Editor(), EM_UNDO, 0, 0);  // one step
            EXPECT_EQ(L"start ", Shown());
            ClearEditor(Editor());
        }
    }
}

TEST_F(CodePageTest, RichTextIsPastedAsItsPlainText) {
    const UINT rich = ::RegisterClipboardFormatA("Rich Text Format");
    ASSERT_TRUE(test::SetClipboardFormats({{rich, std::string("{\\rtf1 {\\b\\i\\fs48 big}}") + '\0'},
                                           {CF_TEXT, std::string("big") + '\0'}}));
    Type("plain ");
    OnPaste(Context());
    EXPECT_EQ("plain big", EditorText());
    CHARFORMATA pasted{};
    pasted.cbSize = sizeof pasted;
    SetSelection(Editor(), 6, 9);
    ::SendMessageA(Editor(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&pasted));
    EXPECT_EQ(0u, pasted.dwEffects & (CFE_BOLD | CFE_ITALIC));
}

// Save, Save As inside the modified check, and Append To all ask before they
// write a character the code page lacks; No writes nothing.
TEST_F(CodePageTest, EveryWriteAsksAndNoWritesNothing) {
    const std::string own = folder_.File("own.txt");
    const std::string target = folder_.File("target.txt");
    const struct {
        const char* name;
        bool (*write)(const CommandContext& context, const std::string& target);
        const std::string* file;
        const char* afterYes;
    } writes[] = {
        {"Save", [](const CommandContext& c, const std::string&) { return SaveDocument(c); }, &own,
         "old \x3F\x3F ?\r\n"},
        {"Append To", [](const CommandContext& c, const std::string& t) { return AppendDocumentTo(c, t); }, &target,
         "x\r\nold \x3F\x3F ?\r\n"},
    };
    for (const auto& row : writes) {
        for (const int answer : {IDNO, IDYES}) {
            SCOPED_TRACE(row.name + std::string(answer == IDYES ? " Yes" : " No"));
            test::WriteFileBytes(own, "old \r\n");
            test::WriteFileBytes(target, "x\r\n");
            ASSERT_TRUE(LoadDocument(Context(), own));
            SetSelection(Editor(), 4, 4);
            PutUnicode(L"\x4E2D\x6587 \x0151");
            const std::string before = test::ReadFileBytes(*row.file);
            bool written = true;
            EXPECT_EQ(kCodePageQuestion, Answering(answer, [&] { written = row.write(Context(), target); }));
            EXPECT_EQ(answer == IDYES, written);
            EXPECT_EQ(answer == IDYES ? std::string(row.afterYes) : before, test::ReadFileBytes(*row.file));
            EXPECT_EQ(L"old \x4E2D\x6587 \x0151", Shown());  // the editor keeps what it holds
            EXPECT_EQ(row.file == &own && answer == IDYES, !IsModified(Editor()));
        }
    }
    // A New after No at the question keeps the document: the save did not happen.
    ASSERT_TRUE(LoadDocument(Context(), own));
    PutUnicode(L"\x4E2D");
    test::DialogAnswerer yes("Save modified file?", [](HWND d) { test::PressButton(d, IDYES); });
    Answering(IDNO, [&] { OnNew(Context()); });
    EXPECT_EQ(std::wstring(L"\x4E2D") + L"old ", Shown());
    EXPECT_EQ("Quillet - " + own, Title());
}

TEST_F(CodePageTest, TextThatFitsIsWrittenWithoutAQuestion) {
    const std::string own = folder_.File("fits.txt");
    test::WriteFileBytes(own, "caf\xE9 \x80\x81\r\n");
    ASSERT_TRUE(LoadDocument(Context(), own));
    Type("!");
    test::MessageBoxWatch none;
    EXPECT_TRUE(SaveDocument(Context()));
    EXPECT_EQ("", none.Finish());
    EXPECT_EQ("!caf\xE9 \x80\x81\r\n", test::ReadFileBytes(own));
}

// Text the code page lacks, long enough to leave the editor in many pieces,
// with surrogate pairs at every offset: the file gets what converting the
// whole text at once gives, "?" for each character the code page lacks.
// (Windows makes one "?" of a pair; Wine makes two of it, split or not.)
TEST_F(CodePageTest, ALongTextBeyondTheCodePageIsWrittenAsOneConversionWouldWriteIt) {
    std::wstring text;
    for (int i = 0; i < 5000; ++i) text += i % 3 ? L"ab\x0151" : L"\xD83D\xDE00";
    const std::string own = folder_.File("long.txt");
    test::WriteFileBytes(own, "end\r\n");
    ASSERT_TRUE(LoadDocument(Context(), own));
    PutUnicode(text + L"\r\n");
    Answering(IDYES, [&] { EXPECT_TRUE(SaveDocument(Context())); });
    EXPECT_TRUE(ToCodePage(Shown(), true) + "\r\n" == test::ReadFileBytes(own));
}

}  // namespace
}  // namespace quillet
