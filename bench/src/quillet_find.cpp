#include "quillet_find.h"

#include <cstdio>

#include "clock.h"
#include "inputs.h"
#include "editing/find_replace_window_win.h"
#include "quillet_session.h"

namespace bench {
namespace {

constexpr int kFindReplaceCommand = 25;
constexpr int kUndoCommand = 17;
constexpr char kCaption[] = "Find/Replace";
constexpr double kOpenTimeout = 600;
constexpr DWORD kAnswerMs = 600000;

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

}  // namespace

bool QuilletFind::Open(const std::string& file) {
    const std::string commandLine = "\"" + exePath_ + "\" \"" + file + "\"";
    if (!program_.Start(exePath_, commandLine, FolderOf(exePath_))) return false;
    WindowMatch match;
    match.className = kQuilletClass;
    match.titleEquals = "Quillet - " + file;
    openSeconds_ = program_.WaitUntilReady(match, kOpenTimeout);
    if (openSeconds_ < 0) {
        std::fprintf(stderr, "bench: Quillet did not show %s\n", file.c_str());
        return false;
    }
    return Editor() != nullptr;
}

HWND QuilletFind::Editor() const { return ::GetDlgItem(program_.Window(), kEditorId); }

HWND QuilletFind::FindOwnWindow(const char* className, const char* caption) const {
    return FindVisibleWindow(program_.Id(), {className, caption, ""});
}

HWND QuilletFind::WaitForOwnWindow(const char* className, const char* caption, double timeoutSeconds) const {
    return WaitForVisibleWindow(program_.Id(), {className, caption, ""}, timeoutSeconds);
}

bool QuilletFind::OpenFindReplace(const std::string& find, const std::string& replace) {
    if (!::PostMessageA(program_.Window(), WM_COMMAND, kFindReplaceCommand, 0)) return false;
    findReplace_ = WaitForOwnWindow(quillet::kFindReplaceClass, kCaption, 30);
    if (!findReplace_) {
        std::fprintf(stderr, "bench: the Find/Replace window did not open\n");
        return false;
    }
    namespace id = quillet::find_replace_id;
    // It is shown before its controls are made; the last one made comes with the loop.
    const double start = Now();
    while (!::GetDlgItem(findReplace_, id::kSearchFromTop) && Now() - start < 30) ::Sleep(1);
    SendRemote(findReplace_, WM_NULL, 0, 0, kAnswerMs);
    SendRemote(::GetDlgItem(findReplace_, id::kFindField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(find.c_str()));
    SendRemote(::GetDlgItem(findReplace_, id::kReplaceField), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(replace.c_str()));
    if (::IsWindowEnabled(::GetDlgItem(findReplace_, id::kReplaceAll))) return true;
    std::fprintf(stderr, "bench: the Find/Replace window did not take the Find text\n");
    return false;
}

bool QuilletFind::Press(int buttonId) const {
    return ::PostMessageA(::GetDlgItem(findReplace_, buttonId), BM_CLICK, 0, 0) != FALSE;
}

double QuilletFind::ReplaceAll(double timeoutSeconds) {
    const double start = Now();
    if (!Press(quillet::find_replace_id::kReplaceAll)) return -1;
    HWND question = WaitForOwnWindow("#32770", kCaption, timeoutSeconds);
    const double seconds = Now() - start;
    if (!question) {
        std::fprintf(stderr, "bench: no question after Replace all within %.0f s\n", timeoutSeconds);
        return -1;
    }
    ::PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(question, IDNO)));
    SendRemote(findReplace_, WM_NULL, 0, 0, kAnswerMs);
    return seconds;
}

double QuilletFind::FindNext(double timeoutSeconds) {
    bool answered = false;
    if (SendRemote(Editor(), EM_GETSEL, 0, 0, kAnswerMs, &answered) != 0 || !answered) return -1;
    const double start = Now();
    if (!Press(quillet::find_replace_id::kFindNext)) return -1;
    // EM_GETSEL gives 0 for the caret at the start and -1 for positions
    // beyond 16 bits; the program answers once the press is handled.
    while (Now() - start < timeoutSeconds) {
        if (SendRemote(Editor(), EM_GETSEL, 0, 0, kAnswerMs, &answered) != 0 && answered) return Now() - start;
        if (FindOwnWindow("#32770", kCaption)) break;
    }
    std::fprintf(stderr, "bench: Find Next did not select a hit\n");
    return -1;
}

bool QuilletFind::CloseFindReplace() {
    if (!findReplace_) return true;
    ::PostMessageA(findReplace_, WM_CLOSE, 0, 0);
    const double start = Now();
    while (::IsWindow(findReplace_) && Now() - start < 30) ::Sleep(5);
    if (::IsWindow(findReplace_)) return false;
    findReplace_ = nullptr;
    return true;
}

double QuilletFind::Undo(long length, double timeoutSeconds) {
    const double start = Now();
    if (!::PostMessageA(program_.Window(), WM_COMMAND, kUndoCommand, 0)) return -1;
    while (Now() - start < timeoutSeconds) {
        if (TextLength() == length) return Now() - start;
        ::Sleep(1);
    }
    std::fprintf(stderr, "bench: the Undo did not give %ld characters back within %.0f s\n", length, timeoutSeconds);
    return -1;
}

bool QuilletFind::SavesAs(const std::string& file, const std::string& bytes) {
    if (!WriteWholeFile(file, "", false)) return false;
    if (!::PostMessageA(program_.Window(), WM_COMMAND, kSaveCommand, 0)) return false;
    const double start = Now();
    bool answered = false;
    while (Now() - start < 120) {
        const LRESULT modified = SendRemote(Editor(), EM_GETMODIFY, 0, 0, kAnswerMs, &answered);
        if (answered && !modified) break;
        ::Sleep(1);
    }
    std::string saved;
    return ReadWholeFile(file, saved) && saved == bytes;
}

long QuilletFind::TextLength() const {
    bool answered = false;
    const LRESULT length = SendRemote(Editor(), WM_GETTEXTLENGTH, 0, 0, kAnswerMs, &answered);
    return answered ? static_cast<long>(length) : -1;
}

long QuilletFind::SelectionLine() const {
    bool answered = false;
    const LRESULT line = SendRemote(Editor(), EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0, kAnswerMs, &answered);
    return answered ? static_cast<long>(line) : -1;
}

void QuilletFind::End() {
    if (!program_.Handle()) return;
    if (findReplace_) ::PostMessageA(findReplace_, WM_CLOSE, 0, 0);
    if (HWND editor = Editor()) SendRemote(editor, EM_SETMODIFY, FALSE, 0, kAnswerMs);
    ::PostMessageA(program_.Window(), WM_COMMAND, kExitCommand, 0);
    program_.WaitForEnd(30);
    findReplace_ = nullptr;
}

}  // namespace bench
