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

    std::string exePath_;
    Program program_;
    HWND editor_ = nullptr;
    HWND findReplace_ = nullptr;
};

}  // namespace bench
