// The Find/Replace window on a real editor: its controls, the opening rule,
// the three buttons against the control's own search, the not-found
// question and notice, and the main window's commands while it is open.
#include "find_replace_fixture.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "platform/message_loop_win.h"
#include "support/main_window_probe.h"

namespace quillet {
namespace {

using test::Place;

const std::string kQuestion = "Cannot find cat\r\nSearch again from the top ?";
const std::string kNotice = "Cannot find cat";

DWORD StyleOf(HWND window, int which = GWL_STYLE) {
    return static_cast<DWORD>(::GetWindowLongPtrA(window, which));
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

struct ExpectedControl {
    const char* className;
    const char* text;
    Place place;
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
    const struct {
        int x, y;
        bool mainOnTop;
    } placements[] = {{300, 200, false}, {-700, -300, true}};
    for (const auto& at : placements) {
        ::SetWindowPos(Main(), at.mainOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, at.x, at.y, 640, 480, 0);
        RECT owner{};
        ::GetWindowRect(Main(), &owner);
        RunFindReplace([&](FindReplaceDriver& d) {
            HWND window = d.Window();
            EXPECT_EQ(kFindReplaceCaption, test::WindowText(window));
            EXPECT_EQ(Main(), ::GetWindow(window, GW_OWNER));
            EXPECT_EQ(DWORD(WS_CAPTION | WS_SYSMENU), StyleOf(window) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                                                         WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
            EXPECT_TRUE(StyleOf(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
            const SIZE client = test::ClientSize(window);
            EXPECT_EQ(400, client.cx);
            EXPECT_EQ(145, client.cy);
            RECT outer{};
            ::GetWindowRect(window, &outer);
            const long width = outer.right - outer.left;
            const long height = outer.bottom - outer.top;
            EXPECT_EQ(std::max(0L, owner.left + (owner.right - owner.left - width) / 2), outer.left);
            EXPECT_EQ(std::max(0L, owner.top + (owner.bottom - owner.top - height) / 2), outer.top);

            HWND child = ::GetWindow(window, GW_CHILD);
            for (const ExpectedControl& expected : kControls) {
                SCOPED_TRACE(expected.text);
                ASSERT_NE(nullptr, child);
                EXPECT_EQ(expected.className, ClassOf(child));
                EXPECT_EQ(expected.text, test::WindowText(child));
                EXPECT_EQ(expected.place, test::PlaceInParent(child));
                EXPECT_EQ(expected.style, StyleOf(child) & expected.style);
                EXPECT_EQ(expected.enabled, ::IsWindowEnabled(child) != FALSE);
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
    } cases[] = {
        {3, 3, false, id::kFindField},
        {0, 3, true, id::kReplaceField},
        {2, 129, true, id::kReplaceField},
        {2, 130, false, 0},
    };
    Type(std::string(130, 'x'));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.end - c.start);
        SetSelection(Editor(), c.start, c.end);
        RunFindReplace([&](FindReplaceDriver& d) {
            const std::string expected(c.filled ? static_cast<std::size_t>(c.end - c.start) : 0, 'x');
            EXPECT_EQ(expected, test::WindowText(d.Control(id::kFindField)));
            if (c.focus) {
                EXPECT_EQ(d.Control(c.focus), d.Focus());
            } else {
                EXPECT_FALSE(::IsChild(d.Window(), d.Focus()));
            }
            for (int button : {id::kFindNext, id::kReplace, id::kReplaceAll}) {
                EXPECT_EQ(c.filled, ::IsWindowEnabled(d.Control(button)) != FALSE);
            }
        });
    }
}

std::string TooltipText(HWND window, HWND field) {
    HWND tooltip = nullptr;
    while ((tooltip = ::FindWindowExA(nullptr, tooltip, TOOLTIPS_CLASSA, nullptr))) {
        if (::GetWindow(tooltip, GW_OWNER) == window) break;
    }
    char text[256] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(field);
    tool.lpszText = text;
    if (tooltip) ::SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST_F(FindReplaceTest, ButtonsAndTooltipsFollowTheFields) {
    RunFindReplace([&](FindReplaceDriver& d) {
        const struct {
            const char* text;
            bool enabled;
        } steps[] = {{"c", true}, {"", false}, {"cat dog", true}};
        for (const auto& step : steps) {
            d.SetText(id::kFindField, step.text);
            EXPECT_EQ(step.enabled, ::IsWindowEnabled(d.Control(id::kFindNext)) != FALSE) << step.text;
            EXPECT_EQ(step.enabled, ::IsWindowEnabled(d.Control(id::kReplaceAll)) != FALSE) << step.text;
            EXPECT_EQ(step.text, TooltipText(d.Window(), d.Control(id::kFindField)));
        }
        d.SetText(id::kReplaceField, "a mouse");
        EXPECT_EQ("a mouse", TooltipText(d.Window(), d.Control(id::kReplaceField)));
        EXPECT_TRUE(::IsWindowEnabled(d.Control(id::kReplace)));
    });
}

TEST_F(FindReplaceTest, FindNextWalksTheHitsThenAsks) {
    SetText("cat. cat, CAT!", 0, 0);
    RunFindReplace([&](FindReplaceDriver& d) {
        d.SetText(id::kFindField, "cat");
        for (long start : {0, 5, 10}) {
            EXPECT_TRUE(d.Press(id::kFindNext).messages.empty());
            EXPECT_EQ(start, Selected().start);
            EXPECT_EQ(start + 3, Selected().end);
            EXPECT_EQ(d.Control(id::kFindNext), d.Focus());  // the editor shows the hit without the focus
        }
        const PressResult no = d.Press(id::kFindNext, {IDNO});
        EXPECT_EQ(std::vector<std::string>{kQuestion}, no.messages);
        EXPECT_TRUE(no.othersDisabled);
        EXPECT_TRUE(::IsWindowEnabled(Main()) && ::IsWindowEnabled(d.Window()));
        EXPECT_EQ(10, Selected().start);
        EXPECT_TRUE(d.Open());

        EXPECT_EQ(std::vector<std::string>{kQuestion}, d.Press(id::kFindNext, {IDYES}).messages);
        EXPECT_EQ(0, Selected().start);
        EXPECT_EQ(3, Selected().end);
        EXPECT_EQ(Editor(), d.Focus());

        d.Press(id::kFindNext);
        d.Press(id::kFindNext);
        EXPECT_EQ(std::vector<std::string>{kQuestion}, d.Press(id::kFindNext, {IDCANCEL}).messages);
        EXPECT_FALSE(d.Open());
    });
}

TEST_F(FindReplaceTest, YesWithoutAnyHitShowsTheNotice) {
    SetText("dog", 1, 2);
    RunFindReplace([&](FindReplaceDriver& d) {
        d.SetText(id::kFindField, "cat");
        const PressResult ok = d.Press(id::kFindNext, {IDYES, IDOK});
        EXPECT_EQ((std::vector<std::string>{kQuestion, kNotice}), ok.messages);
        EXPECT_TRUE(ok.othersDisabled);
        EXPECT_EQ(0, Selected().start);
        EXPECT_EQ(0, Selected().end);
        EXPECT_TRUE(d.Open());
        EXPECT_EQ(2u, d.Press(id::kFindNext, {IDYES, IDCANCEL}).messages.size());
        EXPECT_FALSE(d.Open());
    });
}

TEST_F(FindReplaceTest, ReplaceTakesOnlyTheFindTextThenSelectsTheNextHit) {
    const struct {
        const char* text;
        long start, end;
        bool matchCase;
        const char* after;
        long nextStart;
    } cases[] = {
        {"cat cat", 0, 3, false, "cow cat", 4},
        {"CAT cat", 0, 3, false, "cow cat", 4},
        {"CAT cat", 0, 3, true, "CAT cat", 4},
        {"dog cat", 0, 3, false, "dog cat", 4},     // the same length is not enough
        {"dogs cat", 0, 4, false, "dogs cat", 5},
        {"xcatx cat", 0, 5, false, "xcatx cat", 1},  // searched from the selection's start
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + std::string(c.matchCase ? " match case" : ""));
        ClearEditor(Editor());
        SetText(c.text, c.start, c.end);
        RunFindReplace([&](FindReplaceDriver& d) {
            d.SetText(id::kFindField, "cat");
            d.SetText(id::kReplaceField, "cow");
            if (c.matchCase) d.Tick(id::kMatchCase);
            EXPECT_TRUE(d.Press(id::kReplace).messages.empty());
            EXPECT_EQ(c.after, EditorText());
            EXPECT_EQ(c.nextStart, Selected().start);
            EXPECT_EQ(c.nextStart + 3, Selected().end);
        });
    }
}

TEST_F(FindReplaceTest, YesAfterReplaceOnlySelectsAndLeavesTheFocus) {
    SetText("cat cat", 4, 7);
    RunFindReplace([&](FindReplaceDriver& d) {
        d.SetText(id::kFindField, "cat");
        d.SetText(id::kReplaceField, "dog");
        EXPECT_EQ(std::vector<std::string>{kQuestion}, d.Press(id::kReplace, {IDYES}).messages);
        EXPECT_EQ("cat dog", EditorText());
        EXPECT_EQ(0, Selected().start);
        EXPECT_EQ(3, Selected().end);
        EXPECT_EQ(d.Control(id::kReplace), d.Focus());
    });
}

TEST_F(FindReplaceTest, ReplaceAllOfAByAaEndsWithEachReplacementItsOwnUndoStep) {
    SetText("aaa", 0, 0);
    const LRESULT mask = ::SendMessageA(Editor(), EM_GETEVENTMASK, 0, 0);
    RunFindReplace([&](FindReplaceDriver& d) {
        d.SetText(id::kFindField, "a");
        d.SetText(id::kReplaceField, "aa");
        EXPECT_EQ(std::vector<std::string>{"Cannot find a\r\nSearch again from the top ?"},
                  d.Press(id::kReplaceAll, {IDNO}).messages);
        EXPECT_EQ("aaaaaa", EditorText());
        EXPECT_EQ(d.Control(id::kReplaceAll), d.Focus());
    });
    EXPECT_TRUE(::IsWindowVisible(Editor()));
    EXPECT_EQ(mask, ::SendMessageA(Editor(), EM_GETEVENTMASK, 0, 0));
    for (const char* after : {"aaaaa", "aaaa", "aaa"}) {
        ::SendMessageA(Editor(), EM_UNDO, 0, 0);
        EXPECT_EQ(after, EditorText());
    }
}

TEST_F(FindReplaceTest, ReplaceAllFromTheCaretWithNothingDeletesLaterHits) {
    SetText("cat cat cat", 4, 4);
    RunFindReplace([&](FindReplaceDriver& d) {
        d.SetText(id::kFindField, "cat");
        EXPECT_EQ(std::vector<std::string>{kQuestion}, d.Press(id::kReplaceAll, {IDYES}).messages);
        EXPECT_EQ("cat  ", EditorText());
        EXPECT_EQ(0, Selected().start);  // the search from the top only selects
        EXPECT_EQ(3, Selected().end);
        EXPECT_EQ(d.Control(id::kReplaceAll), d.Focus());
    });
}

TEST_F(FindReplaceTest, WholeWordsCaseAndSearchFromTop) {
    const struct {
        const char* text;
        int box;  // ticked, or 0
        long hit;  // -1: the question
    } cases[] = {
        {"concatenate cat", 0, 3},
        {"concatenate cat", id::kWholeWords, 12},
        {"a CAT", 0, 2},
        {"a CAT", id::kMatchCase, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + std::to_string(c.box));
        ClearEditor(Editor());
        SetText(c.text, 0, 0);
        RunFindReplace([&](FindReplaceDriver& d) {
            d.SetText(id::kFindField, "cat");
            if (c.box) d.Tick(c.box);
            const std::vector<int> answers = c.hit < 0 ? std::vector<int>{IDNO} : std::vector<int>{};
            EXPECT_EQ(answers.size(), d.Press(id::kFindNext, answers).messages.size());
            if (c.hit >= 0) {
                EXPECT_EQ(c.hit, Selected().start);
            }
        });
    }
    ClearEditor(Editor());
    SetText("a cat a", 6, 7);
    RunFindReplace([&](FindReplaceDriver& d) {
        d.SetText(id::kFindField, "a");
        d.Tick(id::kSearchFromTop);
        d.Press(id::kFindNext);
        EXPECT_EQ(0, Selected().start);
        EXPECT_FALSE(d.Checked(id::kSearchFromTop));
        d.Press(id::kFindNext);
        EXPECT_EQ(3, Selected().start);
    });
}

// Ctrl+N, the main window's New, through a real key press.
void PressCtrlN() {
    INPUT keys[4] = {};
    for (INPUT& key : keys) key.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[3].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = keys[2].ki.wVk = 'N';
    keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, keys, sizeof(INPUT));
}

TEST_F(FindReplaceTest, MainWindowCommandsAreDroppedNowAndLaterWhileTypingWorks) {
    ACCEL newKey{FCONTROL | FVIRTKEY, 'N', 2};
    HACCEL shortcuts = ::CreateAcceleratorTableA(&newKey, 1);
    InstallShortcuts(Main(), shortcuts);
    Type("keep");
    HWND findButton = ::GetDlgItem(Main(), 14);
    RunFindReplace([&](FindReplaceDriver& d) {
        for (int command : {0, 2, 13, 16, 25}) ::PostMessageA(Main(), WM_COMMAND, command, 0);
        ::PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(14, BN_CLICKED), reinterpret_cast<LPARAM>(findButton));
        ::PostMessageA(Main(), WM_CLOSE, 0, 0);
        ::SetForegroundWindow(Main());
        PressCtrlN();
        ::PostMessageA(Editor(), WM_CHAR, '!', 1);
        ::Sleep(200);
        ::SendMessageA(d.Window(), WM_NULL, 0, 0);
        EXPECT_EQ("keep!", EditorText());
        EXPECT_EQ(nullptr, test::WaitForDialog("Save modified file?", 0));
        EXPECT_TRUE(d.Open());
    });
    test::RunQueuedMessages();
    InstallShortcuts(nullptr, nullptr);
    ::DestroyAcceleratorTable(shortcuts);
    EXPECT_TRUE(::IsWindow(Main()));
    EXPECT_EQ("keep!", EditorText());
    EXPECT_EQ("Quillet - Untitled.txt", Title());
    EXPECT_FALSE(QuitPosted());
    EXPECT_EQ(nullptr, ::FindWindowA(kFindReplaceClass, nullptr));
}

TEST_F(FindReplaceTest, QuitClosesTheWindowAndIsPassedOn) {
    RunFindReplace([&](FindReplaceDriver& d) {
        ::PostThreadMessageA(::GetWindowThreadProcessId(d.Window(), nullptr), WM_QUIT, 3, 0);
        for (int i = 0; i < 100 && d.Open(); ++i) ::Sleep(20);
        EXPECT_FALSE(d.Open());
    });
    EXPECT_TRUE(QuitPosted());
}

// Tab and Shift+Tab, as real keys.
void PressTab(bool shift) {
    INPUT keys[4] = {};
    int count = 0;
    auto add = [&](WORD key, DWORD flags) {
        keys[count].type = INPUT_KEYBOARD;
        keys[count].ki.wVk = key;
        keys[count++].ki.dwFlags = flags;
    };
    if (shift) add(VK_SHIFT, 0);
    add(VK_TAB, 0);
    add(VK_TAB, KEYEVENTF_KEYUP);
    if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
    ::SendInput(count, keys, sizeof(INPUT));
}

TEST_F(FindReplaceTest, TabAndShiftTabFollowCreationOrderAndEscapeDoesNotClose) {
    const int order[] = {id::kFindField, id::kReplaceField, id::kFindNext, id::kReplace, id::kReplaceAll,
                         id::kCancel, id::kMatchCase, id::kWholeWords, id::kSearchFromTop};
    const int count = sizeof order / sizeof order[0];
    RunFindReplace([&](FindReplaceDriver& d) {
        d.SetText(id::kFindField, "x");
        ::SetForegroundWindow(d.Window());
        for (int step = 1; step <= count; ++step) {
            PressTab(false);
            EXPECT_TRUE(d.WaitForFocus(d.Control(order[step % count]))) << step;
        }
        for (int step = count - 1; step >= 0; --step) {
            PressTab(true);
            EXPECT_TRUE(d.WaitForFocus(d.Control(order[step]))) << step;
        }
        INPUT escape[2] = {};
        escape[0].type = escape[1].type = INPUT_KEYBOARD;
        escape[0].ki.wVk = escape[1].ki.wVk = VK_ESCAPE;
        escape[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, escape, sizeof(INPUT));
        ::Sleep(200);
        ::SendMessageA(d.Window(), WM_NULL, 0, 0);
        EXPECT_TRUE(d.Open());
    });
}

}  // namespace
}  // namespace quillet
