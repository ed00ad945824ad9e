// Helpers for the tests of the view options: the menu ticks, the window's
// z-order and alpha as the system reports them, the editor's character
// formats, and a spy on the messages that make the editor lay out again.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <string>
#include <vector>

namespace quillet::test {

bool IsMenuChecked(HWND window, int commandId);
bool IsTopmost(HWND window);
bool IsLayered(HWND window);
// The window's constant alpha; -1 when it has none (not layered, or no
// alpha set).
int LayeredAlpha(HWND window);

// The format of every character (what the whole selection reports), and the
// format for new text. Reading the first selects everything and then puts
// the selection back.
CHARFORMAT2A TextFormat(HWND editor);
CHARFORMAT2A DefaultFormat(HWND editor);

// Display lines of the editor (with word wrap a long line counts as several).
long DisplayLines(HWND editor);

// Records, while it lives, each message the editor gets that makes it lay
// the whole document out again (EM_SETTARGETDEVICE, EM_SETCHARFORMAT for
// everything or the default, WM_SETFONT), with whether the wait cursor was
// up at the time.
class RelayoutSpy {
public:
    struct Seen {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool waitCursor;
    };

    explicit RelayoutSpy(HWND editor);
    ~RelayoutSpy();
    RelayoutSpy(const RelayoutSpy&) = delete;
    RelayoutSpy& operator=(const RelayoutSpy&) = delete;

    const std::vector<Seen>& Messages() const;

private:
    HWND editor_;
    LONG_PTR before_;
};

// The Windows font dialog, answered from another thread: the face, style and
// size lists (their item texts as shown) and choosing an item of each.
namespace font_dialog {
inline constexpr int kFaceList = 0x470;
inline constexpr int kStyleList = 0x471;
inline constexpr int kSizeList = 0x472;
}  // namespace font_dialog
std::vector<std::string> ComboItems(HWND dialog, int comboId);
std::string ComboText(HWND dialog, int comboId);
// Selects the item with exactly this text and tells the dialog, as a click
// in the list does. False when there is no such item.
bool ChooseComboItem(HWND dialog, int comboId, const std::string& text);

// The three view switches as a test sees them: their key of "Display", menu
// item and image button (0: none), and the state the window shows, read from
// outside the program as well as from inside: "on", "off", or "neither" when
// it is in no state the switch sets. Word wrap is read from a document of
// one line that is wider than the editor.
struct ViewSwitchUnderTest {
    const char* name;
    const char* key;
    int menuId;
    int buttonId;
    std::string (*state)(HWND mainWindow, HWND editor);
};
extern const ViewSwitchUnderTest kViewSwitches[3];

}  // namespace quillet::test
