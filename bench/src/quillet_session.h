// One running copy of quillet.exe, driven from outside as a user would:
// started with a file, saved through its menu command, typed into, ended.
#pragma once

#include <string>
#include <vector>

#include "program.h"

namespace bench {

class QuilletSession {
public:
    // exePath: a copy of quillet.exe in a scratch folder of its own (it
    // writes its settings file beside itself).
    explicit QuilletSession(std::string exePath) : exePath_(std::move(exePath)) {}

    // Seconds from the process start until its main window is shown, until
    // its title names the file, and until it then answers; negative when it
    // did not get there.
    struct OpenTimes {
        double shown = -1;
        double titled = -1;
        double ready = -1;
    };

    // Starts the program with file as its argument (none when empty) and
    // waits until its title names the file and it answers.
    OpenTimes Open(const std::string& file);

    Memory QueryMemory() const { return program_.QueryMemory(); }
    HWND Window() const { return program_.Window(); }
    HWND Editor() const { return editor_; }
    std::string StatusText() const;

    // Menu command Save of the loaded document; file must hold size bytes
    // when it is done. The file is emptied first so that the size on disk
    // proves the write. Seconds, negative on failure.
    double Save(const std::string& file, std::size_t size);

    struct Typing {
        std::vector<double> perKey;  // seconds, one per key that showed
        bool timedOut = false;       // the last key did not show within the time
    };

    // Presses the keys one at a time (virtual-key codes, sent as a user's
    // keys to the foreground window) with the caret at the end of the
    // document; each is timed until the status bar's "Char N" changes. Stops
    // when budgetSeconds run out or when one key takes longer than keyTimeout.
    // With a pace, key i is pressed no sooner than i * pace seconds after the
    // first (as a person types), else as soon as the one before has shown.
    Typing TypeAtEnd(const std::vector<WORD>& keys, double budgetSeconds, double keyTimeout, double pace = 0);

    // Menu command New on the loaded document, its modified flag cleared so
    // that nothing is asked: seconds until the title names the untitled
    // document, the editor (a new control) is empty and the program answers;
    // negative when it did not get there within timeoutSeconds.
    double New(double timeoutSeconds);

    // Menu command Exit with the modified flag cleared; ends it by force when
    // it does not end. True when it ended by itself.
    bool Exit();
    // Ends it by force at once.
    void Kill() { program_.WaitForEnd(0); }

private:
    bool FindChildren();
    bool MakeForeground();
    std::string WaitForSteadyStatus();
    std::string CharShown(DWORD timeoutMs) const;

    std::string exePath_;
    Program program_;
    HWND editor_ = nullptr;
    HWND statusBar_ = nullptr;
};

// Quillet's identifiers, as its menus and layout define them.
inline constexpr char kQuilletClass[] = "QuilletMainWindow";
inline constexpr int kEditorId = 15;
inline constexpr int kSaveCommand = 13;
inline constexpr int kNewCommand = 2;
inline constexpr int kExitCommand = 16;

}  // namespace bench
