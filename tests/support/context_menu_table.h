// What the context menu and the shortcuts must hold, written out once for
// every test that checks them. Portable: the unit tests use it too.
#pragma once

namespace quillet::test {

struct ExpectedMenuItem {
    const char* text;  // nullptr for a separator
    int id;
};
inline constexpr ExpectedMenuItem kExpectedContextMenu[] = {
    {"Undo\tCtrl + Z", 17}, {nullptr, 0}, {"Cut\tCtrl + X", 18}, {"Copy\tCtrl + C", 19},
    {"Paste\tCtrl + V", 20}, {"Select All\tCtrl + A", 21}, {nullptr, 0}, {"Erase\tCtrl + E", 22},
    {nullptr, 0}, {"Insert Date\tCtrl + D", 23}, {"Insert Time\tCtrl + T", 24}, {nullptr, 0},
    {"Find/Replace\tCtrl + F", 25}, {nullptr, 0}, {"Open...\tCtrl + O", 0}, {"Insert...\tCtrl + I", 1},
    {"New...\tCtrl + N", 2}, {nullptr, 0}, {"Print...\tCtrl + P", 2002}, {nullptr, 0},
    {"Save...\tCtrl + S", 13}, {"SaveAs...", 14}, {"Append To...", 15}, {nullptr, 0},
    {"Exit\tCtrl + Esc", 16},
};

// Ctrl+key shortcuts in the order of registration: virtual key, command.
struct ExpectedShortcut {
    int key;
    int id;
};
inline constexpr ExpectedShortcut kExpectedShortcuts[] = {
    {'Z', 17}, {'X', 18}, {'C', 19}, {'V', 20}, {'A', 21},   {'E', 22}, {'D', 23},        {'T', 24},
    {'F', 25}, {'O', 0},  {'I', 1},  {'N', 2},  {'P', 2002}, {'S', 13}, {0x1B /*Esc*/, 16},
};
// FVIRTKEY | FNOINVERT | FCONTROL: the key with Ctrl and nothing else.
inline constexpr int kExpectedShortcutFlags = 0x01 | 0x02 | 0x08;

}  // namespace quillet::test
