// The Find/Replace window on a real editor: its controls, the opening rule,
// every case of the buttons against the control's own search with the real
// message boxes, and the main window's commands while it is open.
#include "find_replace_fixture.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <functional>

#include "document/open_document_win.h"
#include "document/save_document_win.h"
#include "editing/replace_all_win.h"
#include "platform/editor_view_win.h"
#include "program/command_ids.h"
#include "support/find_replace_cases.h"
#include "support/main_window_probe.h"
#include "support/swapped_system_calls.h"
#include "support/view_probe.h"

namespace quillet {
namespace {

DWORD StyleOf(HWND window, int which = GWL_STYLE) { return static_cast<DWORD>(::GetWindowLongPtrA(window, which)); }

bool Enabled(HWND window) { return ::IsWindowEnabled(window) != FALSE; }

struct ExpectedControl {
    const char* className;
    const char* text;
    test::Place place;
    DWORD style;  // these bits at least
    bool enabled;
};

// In creation order, with the Find field empty.
const ExpectedControl kControls[] = {
    {"Static", "", {10, 15, 22, 22}, SS_BITMAP, true},
    {"Static", "Find:", {40, 20, 75, 22}, 0, true},
    {"Edit", "", {100, 15, 200, 21}, ES_AUTOHSCROLL | WS_TABSTOP, true},
    {"Static", "Replace With:", {10, 50, 75, 22}, 0, true},
    {"Edit", "", {100, 45, 200, 21}, ES_AUTOHSCROLL | WS_TABSTOP, true},
    {"Button", "Find Next", {310, 15, 80, 22}, BS_DEFPUSHBUTTON | WS_TABSTOP, false},
    {"Button", "Replace", {310, 45, 80, 22}, WS_TABSTOP, false},
    {"Button", "Replace all", {310, 80, 80, 22}, WS_TABSTOP, false},
    {"Button", "Cancel", {310, 110, 80, 22}, WS_TABSTOP, true},
    {"Button", "Match Case", {10, 80, 120, 22}, BS_AUTOCHECKBOX | WS_TABSTOP, true},
    {"Button", "Whole Words only", {10, 112, 120, 22}, BS_AUTOCHECKBOX | WS_TABSTOP, true},
    {"Button", "Search From Top", {140, 112, 160, 22}, BS_AUTOCHECKBOX | WS_TABSTOP, true},
};

TEST_F(FindReplaceTest, WindowAndControlsAsLaidOutTopmostEitherWay) {
    for (const POINT at : {POINT{300, 200}, POINT{-700, -300}}) {
        ::SetWindowPos(Main(), at.x < 0 ? HWND_TOPMOST : HWND_NOTOPMOST, at.x, at.y, 640, 480, 0);
        RECT owner{};
        ::GetWindowRect(Main(), &owner);
        RunFindReplace([&](FindReplaceDriver& d) {
            HWND window = d.Window();
            EXPECT_EQ(Main(), ::GetWindow(window, GW_OWNER));
            EXPECT_EQ(DWORD(WS_CAPTION | WS_SYSMENU),
                      StyleOf(window) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
            EXPECT_TRUE(StyleOf(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
            EXPECT_EQ(400, test::ClientSize(window).cx);
            EXPECT_EQ(145, test::ClientSize(window).cy);
            RECT outer{};
            ::GetWindowRect(window, &outer);
            EXPECT_EQ(std::max(0L, owner.left + (owner.right - owner.left - (outer.right - outer.left)) / 2), outer.left);
            EXPECT_EQ(std::max(0L, owner.top + (owner.bottom - owner.top - (outer.bottom - outer.top)) / 2), outer.top);
            HWND child = ::GetWindow(window, GW_CHILD);
            for (const ExpectedControl& expected : kControls) {
                SCOPED_TRACE(expected.text);
                ASSERT_NE(nullptr, child);
                char className[32] = {};
                ::GetClassNameA(child, className, sizeof className);
                EXPECT_STREQ(expected.className, className);
                EXPECT_EQ(expected.text, test::WindowText(child));
                EXPECT_EQ(expected.place, test::PlaceInParent(child));
                EXPECT_EQ(expected.style, StyleOf(child) & expected.style);
                EXPECT_EQ(expected.enabled, Enabled(child));
                EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(child, BM_GETCHECK, 0, 0));
                child = ::GetWindow(child, GW_HWNDNEXT);
            }
            BITMAP image{};
            auto bitmap = reinterpret_cast<HGDIOBJ>(::SendMessageA(d.Control(id::kIcon), STM_GETIMAGE, IMAGE_BITMAP, 0));
            ASSERT_TRUE(bitmap && ::GetObjectA(bitmap, sizeof image, &image));
            EXPECT_EQ(22, image.bmWidth);
            EXPECT_EQ(22, image.bmHeight);
        });
    }
}

TEST_F(FindReplaceTest, OpeningBySelectionLength) {
    const struct {
        long start, end;
        bool filled;
        int focus;  // 0: no control
    } cases[] = {{3, 3, false, id::kFindField}, {0, 3, true, id::kReplaceField},
                 {2, 129, true, id::kReplaceField}, {2, 130, false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.end - c.start);
        SetDocument(std::string(130, 'x'), c.start, c.end);
        RunFindReplace([&](FindReplaceDriver& d) {
            const std::string expected(c.filled ? static_cast<std::size_t>(c.end - c.start) : 0, 'x');
            EXPECT_EQ(expected, test::WindowText(d.Control(id::kFindField)));
            if (c.focus) {
                EXPECT_EQ(d.Control(c.focus), d.Focus());
            } else {
                EXPECT_FALSE(::IsChild(d.Window(), d.Focus()));
            }
            for (int button : {id::kFindNext, id::kReplace, id::kReplaceAll}) {
                EXPECT_EQ(c.filled, Enabled(d.Control(button)));
            }
        });
    }
}

std::string TooltipText(HWND window, HWND field) {
    HWND tooltip = nullptr;
    while ((tooltip = ::FindWindowExA(nullptr, tooltip, TOOLTIPS_CLASSA, nullptr)) &&
           ::GetWindow(tooltip, GW_OWNER) != window) {
    }
    char text[64] = {};
    TOOLINFOA tool{sizeof tool, 0, window, reinterpret_cast<UINT_PTR>(field), {}, nullptr, text, 0, nullptr};
    if (tooltip) ::SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST_F(FindReplaceTest, ButtonsAndTooltipsFollowTheFields) {
    RunFindReplace([&](FindReplaceDriver& d) {
        for (const char* text : {"c", "", "cat dog"}) {
            d.SetText(id::kFindField, text);
            for (int button : {id::kFindNext, id::kReplace, id::kReplaceAll}) {
                EXPECT_EQ(*text != '\0', Enabled(d.Control(button))) << text;
            }
            EXPECT_EQ(text, TooltipText(d.Window(), d.Control(id::kFindField)));
        }
        d.SetText(id::kReplaceField, "a mouse");
        EXPECT_EQ("a mouse", TooltipText(d.Window(), d.Control(id::kReplaceField)));
    });
}

int AnswerId(char answer, bool question) {
    if (answer == 'C') return IDCANCEL;
    if (!question) return IDOK;
    return answer == 'Y' ? IDYES : IDNO;
}

// On RichEdit 2.0 and on the 1.0 control the program falls back to.
class FindReplaceOnBothControls : public FindReplaceTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        test::SwappedSystemCalls calls;
        if (GetParam()) calls->loadRichEdit20 = [] { return false; };
        FindReplaceTest::SetUp();
    }
};
INSTANTIATE_TEST_SUITE_P(RichEdit, FindReplaceOnBothControls, ::testing::Values(false, true));

TEST_P(FindReplaceOnBothControls, EveryCaseOnTheRealWindow) {
    for (const test::FindReplaceCase& c : test::kFindReplaceCases) {
        SCOPED_TRACE(c.name);
        const test::MarkedText before = test::Unmark(c.before);
        SetDocument(before.text, before.start, before.end);
        RunFindReplace([&](FindReplaceDriver& d) {
            d.SetText(id::kFindField, c.find);
            d.SetText(id::kReplaceField, c.replace);
            const std::string ticks = c.ticks;
            for (auto [tick, box] : {std::pair{'C', id::kMatchCase}, std::pair{'W', id::kWholeWords},
                                     std::pair{'T', id::kSearchFromTop}}) {
                if (ticks.find(tick) != std::string::npos) ::SendMessageA(d.Control(box), BM_SETCHECK, BST_CHECKED, 0);
            }
            const int button = c.button == 'N' ? id::kFindNext : c.button == 'R' ? id::kReplace : id::kReplaceAll;
            std::vector<int> answers;
            for (const char* a = c.answers; *a; ++a) answers.push_back(AnswerId(*a, a == c.answers));
            std::vector<std::string> expected = {NotFoundQuestion(c.find), NotFoundNotice(c.find)};
            expected.resize(answers.size());
            EXPECT_EQ(expected, d.Press(button, answers));

            const Selection selection = GetSelection(Editor());
            EXPECT_EQ(c.after, test::Mark(EditorText(), selection.start, selection.end));
            EXPECT_EQ(c.closes, !d.Open());
            if (d.Open()) {
                EXPECT_EQ(c.editorFocused ? Editor() : d.Control(button), d.Focus());
                EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(d.Control(id::kSearchFromTop), BM_GETCHECK, 0, 0));
            }
        });
    }
}

TEST_F(FindReplaceTest, ReplaceAllIsOneUndoStepAndLeavesTheEditorAsItWas) {
    SetDocument("aaa", 0, 0);
    const LRESULT mask = ::SendMessageA(Editor(), EM_GETEVENTMASK, 0, 0);
    RunFindReplace([&](FindReplaceDriver& d) {
        d.SetText(id::kFindField, "a");
        d.SetText(id::kReplaceField, "aa");
        d.Press(id::kReplaceAll, {IDNO});
    });
    EXPECT_TRUE(::IsWindowVisible(Editor()));  // painting is back on
    EXPECT_EQ(mask, ::SendMessageA(Editor(), EM_GETEVENTMASK, 0, 0));
    EXPECT_EQ("aaaaaa", EditorText());
    ::SendMessageA(Editor(), EM_UNDO, 0, 0);  // one step takes back all three replacements
    EXPECT_EQ("aaa", EditorText());
}

// Lines of ordinary words with "river" in most, and a web address with it
// on every fiftieth, CR LF, until size bytes.
std::string RiverLines(std::size_t size) {
    std::string text;
    for (int line = 0; text.size() < size; ++line) {
        text += line % 50 == 7 ? "see http://www.river.example/river and on\r\n"
                               : "the river runs past mill " + std::to_string(line) + " and the river bends\r\n";
    }
    return text;
}

TEST_F(FindReplaceTest, OneUndoAfterReplaceAllOfAMegabyteGivesTheFileBackByteForByte) {
    const std::string path = folder_.File("rivers.txt");
    const std::string bytes = RiverLines(1 << 20);
    test::WriteFileBytes(path, bytes);
    ASSERT_TRUE(LoadDocument(Context(), path));
    const HWND loaded = Editor();
    const long link = static_cast<long>(bytes.find("http")) - 7;  // CR LF pairs before it: 7 lines
    ASSERT_TRUE(test::IsLinkAt(Editor(), link));
    SetSelection(Editor(), 2, 2);
    RunFindReplace([&](FindReplaceDriver& d) {
        d.SetText(id::kFindField, "river");
        d.SetText(id::kReplaceField, "stream");
        EXPECT_EQ(std::vector<std::string>{NotFoundQuestion("river")}, d.Press(id::kReplaceAll, {IDNO}));
    });
    EXPECT_NE(loaded, Editor());  // too large a change for the control's own undo: a fresh control
    const std::string replaced = EditorText();
    const auto hits = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), 'v'));  // "river" holds the only v
    EXPECT_EQ(bytes.size() - 2 + hits, replaced.size());
    EXPECT_EQ(std::string::npos, replaced.find("river"));
    EXPECT_TRUE(IsModified(Editor()));
    EXPECT_TRUE(test::IsLinkAt(Editor(), static_cast<long>(replaced.find("http")) - 7));

    DispatchMenuEvent(Context(), menu_id::kUndo);
    EXPECT_TRUE(IsModified(Editor()));
    EXPECT_EQ(2, GetSelection(Editor()).start);
    EXPECT_TRUE(test::IsLinkAt(Editor(), link));
    ASSERT_TRUE(SaveDocument(Context()));
    EXPECT_TRUE(test::ReadFileBytes(path) == bytes);
}

// Replace all of "cat" on 1,500 lines, which goes into a fresh control: the
// program keeps the step, and each way to Undo takes it while the text is
// as the Replace all left it, and none does after anything changed it.
TEST_F(FindReplaceTest, TheKeptStepIsEveryUndoWhileTheTextIsAsReplaceAllLeftIt) {
    std::string original;
    for (int i = 0; i < 1500; ++i) original += (i ? "\ra cat " : "a cat ") + std::to_string(i);
    auto replacedIn = [](std::string text, const char* by) {
        for (std::size_t at = 0; (at = text.find("cat", at)) != std::string::npos;) text.replace(at, 3, by);
        return text;
    };
    auto saved = [](std::string text) {  // as the editor streams it out
        for (std::size_t at = 0; (at = text.find('\r', at)) != std::string::npos; at += 2) text.insert(at + 1, "\n");
        return text;
    };
    const std::string replaced = replacedIn(original, "dog"), changed = replacedIn(original, "cow");
    auto undoByMenu = [&] { DispatchMenuEvent(Context(), menu_id::kUndo); };
    const struct {
        const char* name;
        std::function<void()> between;  // after the Replace all
        std::function<void()> undo;
        std::string after;
    } cases[] = {
        {"the menu command (and the shortcut and the context menu, which give it)", [] {}, undoByMenu, saved(original)},
        {"the command as the main window gets it", [] {}, [&] { ::SendMessageA(Main(), WM_COMMAND, menu_id::kUndo, 0); },
         saved(original)},
        {"Alt+Backspace in the editor", [] {}, [&] { ::SendMessageA(Editor(), WM_SYSKEYDOWN, VK_BACK, 0x20000000); },
         saved(original)},
        {"EM_UNDO", [] {}, [&] { ::SendMessageA(Editor(), EM_UNDO, 0, 0); }, saved(original)},
        {"after typing, once for the typing and once more", [&] { Type("!"); },
         [&] { undoByMenu(); undoByMenu(); }, saved(original)},
        {"after word wrap and a font", [&] {
             SetWordWrap(Editor(), true);
             SetTextFontAndColour(Editor(), static_cast<HFONT>(::GetStockObject(ANSI_FIXED_FONT)), RGB(0, 0, 128));
         }, undoByMenu, saved(original)},
        {"not after the text was set anew", [&] { ::SetWindowTextA(Editor(), changed.c_str()); }, undoByMenu,
         saved(changed)},
        {"not after a load", [&] {
             HWND& editor = TheMainWindow().editor;
             editor = RecreateEditor(editor);
             LoadEditorText(editor, replaced, LineMark::None);
         }, undoByMenu, saved(replaced)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(LoadEditorText(Editor(), original, LineMark::None));
        SetSelection(Editor(), 2, 5);
        const HWND before = Editor();
        const LRESULT mask = ::SendMessageA(Editor(), EM_GETEVENTMASK, 0, 0);
        ReplaceAllInEditor(TheMainWindow().editor, {{2, 5}, false, 2}, {"cat", "dog", FR_DOWN, 3});
        ASSERT_NE(before, Editor());
        EXPECT_EQ(mask, ::SendMessageA(Editor(), EM_GETEVENTMASK, 0, 0));  // the notices and links carry over
        EXPECT_TRUE(::SendMessageA(Editor(), EM_GETAUTOURLDETECT, 0, 0));
        ASSERT_EQ(saved(replaced), EditorText());
        c.between();
        c.undo();
        EXPECT_EQ(c.after, EditorText());
        if (c.after == saved(original)) {  // the step was taken
            EXPECT_TRUE(IsModified(Editor()));
            EXPECT_EQ(2, GetSelection(Editor()).start);
            EXPECT_EQ(5, GetSelection(Editor()).end);
        }
        undoByMenu();  // nothing further to take back
        EXPECT_EQ(c.after, EditorText());
        SetWordWrap(Editor(), false);
    }
}

TEST_F(FindReplaceTest, MainWindowCommandsAreDroppedNowAndLaterWhileTypingWorks) {
    ACCEL newKey{FCONTROL | FVIRTKEY, 'N', 2};
    HACCEL shortcuts = ::CreateAcceleratorTableA(&newKey, 1);
    InstallShortcuts(Main(), shortcuts);
    Type("keep");
    RunFindReplace([&](FindReplaceDriver& d) {
        for (int command : {0, 2, 13, 16, 25}) ::PostMessageA(Main(), WM_COMMAND, command, 0);
        ::PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(14, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(Main(), 14)));
        ::PostMessageA(Main(), WM_CLOSE, 0, 0);
        test::ComeToFront(Main());
        INPUT keys[4] = {};  // Ctrl+N, the main window's New
        for (INPUT& key : keys) key.type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[3].ki.wVk = VK_CONTROL;
        keys[1].ki.wVk = keys[2].ki.wVk = 'N';
        keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(4, keys, sizeof(INPUT));
        ::PostMessageA(Editor(), WM_CHAR, '!', 1);
        ::Sleep(300);
        EXPECT_EQ("keep!", EditorText());
        EXPECT_TRUE(d.Open());
    });
    test::RunQueuedMessages();
    InstallShortcuts(nullptr, nullptr);
    ::DestroyAcceleratorTable(shortcuts);
    EXPECT_EQ("keep!", EditorText());
    EXPECT_EQ("Quillet - Untitled.txt", Title());
    EXPECT_EQ(nullptr, test::WaitForDialog("Save modified file?", 0));
    EXPECT_EQ(nullptr, test::WaitForDialog("Save File As", 0));
    EXPECT_EQ(nullptr, ::FindWindowA(kFindReplaceClass, nullptr));
    EXPECT_FALSE(QuitPosted());
}

TEST_F(FindReplaceTest, QuitClosesTheWindowAndIsPassedOn) {
    RunFindReplace([&](FindReplaceDriver& d) {
        ::PostThreadMessageA(::GetWindowThreadProcessId(d.Window(), nullptr), WM_QUIT, 3, 0);
        for (int i = 0; i < 100 && d.Open(); ++i) ::Sleep(20);
    });
    EXPECT_EQ(nullptr, ::FindWindowA(kFindReplaceClass, nullptr));
    EXPECT_TRUE(QuitPosted());
}

}  // namespace
}  // namespace quillet
