// Quillet's Find/Replace window driven from outside, as a user would: the
// window opened by its menu command, its fields set, its buttons pressed
// and the not-found question answered.
#pragma once

#include <windows.h>

#include <string>

#include "program.h"

namespace bench {

class QuilletFind {
public:
    // exePath: a scratch copy of quillet.exe.
    explicit QuilletFind(std::string exePath) : exePath_(std::move(exePath)) {}
    ~QuilletFind() { End(); }
    QuilletFind(const QuilletFind&) = delete;
    QuilletFind& operator=(const QuilletFind&) = delete;

    // Starts Quillet with file and waits until it shows it and answers.
    bool Open(const std::string& file);
    // Seconds that took, from the process start (Quillet's open of the file).
    double OpenSeconds() const { return openSeconds_; }
    // Menu command Find/Replace; then the two fields get their texts.
    bool OpenFindReplace(const std::string& find, const std::string& replace);

    // Seconds from pressing "Replace all" until the not-found question shows
    // (it always follows); the question is then answered No. Negative when
    // it did not come within timeoutSeconds.
    double ReplaceAll(double timeoutSeconds);
    // Seconds from pressing "Find Next", with the caret at the start, until
    // the editor's selection has moved. Negative on failure or when the
    // question came instead.
    double FindNext(double timeoutSeconds);

    // Closes the Find/Replace window (the main window's commands are
    // dropped while it is open); false when it did not go.
    bool CloseFindReplace();
    // Seconds from the menu command Undo until the editor's text length is
    // length again and the program answers; negative when it was not.
    double Undo(long length, double timeoutSeconds);
    // Menu command Save with the file on disk emptied first; true when the
    // file then holds exactly bytes.
    bool SavesAs(const std::string& file, const std::string& bytes);
    Memory QueryMemory() const { return program_.QueryMemory(); }

    // The editor's text length (WM_GETTEXTLENGTH) and the line of the
    // selection's start; negative when the program does not answer.
    long TextLength() const;
    long SelectionLine() const;

    // Closes the window and ends the program without saving.
    void End();

private:
    HWND FindOwnWindow(const char* className, const char* caption) const;
    HWND WaitForOwnWindow(const char* className, const char* caption, double timeoutSeconds) const;
    bool Press(int buttonId) const;
    // Looked up each time: Replace all and its Undo may put a fresh editor
    // control in the old one's place.
    HWND Editor() const;

    std::string exePath_;
    Program program_;
    double openSeconds_ = -1;
    HWND findReplace_ = nullptr;
};

}  // namespace bench
