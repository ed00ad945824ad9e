// Helpers for the tests of the view options: the three switches as the
// system shows them, the menu ticks, the editor's character formats, the
// font dialog's lists, and a spy on the messages that lay the text out again.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <string>
#include <vector>

namespace quillet::test {

// A switch's key of "Display", menu item, image button (0: none), and the
// state the window shows ("on", "off" or "neither"), which can be read from
// another process too. Word wrap is read from a document whose only line is
// wider than the editor.
struct ViewSwitchUnderTest {
    const char* name;
    const char* key;
    int menuId;
    int buttonId;
    std::string (*state)(HWND mainWindow, HWND editor);
};
extern const ViewSwitchUnderTest kViewSwitches[3];

// "word0 word1 ...": a line wider than the editor, for word wrap to break.
std::string LongLine(int words = 60);

bool IsMenuChecked(HWND window, int commandId);
long DisplayLines(HWND editor);  // with word wrap, a long line counts as several

// Where each display line after the first starts, as the editor wraps now.
std::vector<long> WrapStarts(HWND editor);
// For a line of words wrapped once as `before` and once as `after` (the
// WrapStarts of each), the end of a word up to which the text takes as many
// display lines either way while its last line starts elsewhere: a caret
// there changes its column and nothing else. -1 if there is none.
long EndWhereOnlyTheWrapMoves(const std::string& words, const std::vector<long>& before,
                              const std::vector<long>& after);

// The format every character shares (by selecting all, then putting the
// selection back), and the one for new text.
CHARFORMAT2A TextFormat(HWND editor);
CHARFORMAT2A DefaultFormat(HWND editor);
// Whether the character at position is shown as a link (the selection is put back).
bool IsLinkAt(HWND editor, long position);

// While it lives, records each message that makes the editor lay the whole
// text out again, and whether the wait cursor was up then.
class RelayoutSpy {
public:
    struct Seen {
        UINT message;
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

// The font dialog's face, style and size lists.
inline constexpr int kFaceList = 0x470;
inline constexpr int kStyleList = 0x471;
inline constexpr int kSizeList = 0x472;
// Selects the item with exactly this text, as a click does; false if none.
bool ChooseComboItem(HWND dialog, int comboId, const std::string& text);

}  // namespace quillet::test
