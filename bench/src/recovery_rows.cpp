#include "recovery_rows.h"

#include <windows.h>

#include <richedit.h>

#include <cstdio>

#include "clock.h"
#include "control_floor.h"
#include "quillet_session.h"
#include "report.h"

namespace bench {
namespace {

constexpr int kKeys = 600;
constexpr double kPace = 0.1;        // 10 keys a second: 60 s of typing, past the 30 s write
constexpr double kQuietSeconds = 2;  // a copy is due this long after the last change
constexpr double kTimeout = 60;
const char* const kTypingInput = "plain-10MB";
const char* const kWriteInputs[] = {"plain-1MB", "plain-10MB"};

std::string RecoveryFolder(const Setup& setup) {
    return setup.quilletExe.substr(0, setup.quilletExe.find_last_of('\\')) + "\\Quillet_Recovery";
}

// The copies in the folder (a running Quillet keeps one).
bool HasCopy(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    HANDLE find = ::FindFirstFileA((folder + "\\copy-*.txt").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    ::FindClose(find);
    return true;
}

// Recovery on: an empty folder. Off: a file in the folder's place, which
// Quillet cannot make a folder of (a read-only install folder has the same
// effect, but root under Wine writes anywhere).
void SetRecovery(const Setup& setup, bool on) {
    const std::string folder = RecoveryFolder(setup);
    WIN32_FIND_DATAA found{};
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            ::DeleteFileA((folder + "\\" + found.cFileName).c_str());
        } while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(folder.c_str());
    ::DeleteFileA(folder.c_str());
    if (!on) WriteWholeFile(folder, "recovery is off for this run\r\n", false);
}

const Input* Find(const std::vector<Input>& inputs, const std::string& key) {
    for (const Input& input : inputs) {
        if (input.key == key) return &input;
    }
    return nullptr;
}

// An Enter and 49 letters a line, as the other typing rows: no line grows
// wider than the editor.
std::vector<WORD> Keys() {
    std::vector<WORD> keys;
    for (int i = 0; i < kKeys; ++i) keys.push_back(i % 50 == 0 ? VK_RETURN : static_cast<WORD>('A' + i % 26));
    return keys;
}

void TypingRound(const Setup& setup, const Input& input, bool on, Report& report) {
    const std::string who = on ? "recovery-on" : "recovery-off";
    SetRecovery(setup, on);
    QuilletSession quillet(setup.quilletExe);
    if (quillet.Open(input.path).ready < 0) {
        report.Note("Quillet did not open " + input.key + " for typing with " + who);
        quillet.Kill();
        return;
    }
    const QuilletSession::Typing typing = quillet.TypeAtEnd(Keys(), kKeys * kPace + kTimeout, kTimeout, kPace);
    // Within 2 s of the last key only a 30 s copy can be there.
    const bool copied = HasCopy(RecoveryFolder(setup));
    for (const double seconds : typing.perKey) report.Add("recovery-typing", input.key, who, "ms", seconds * 1000);
    report.Add("recovery-copied", input.key, who, "", copied ? 1 : 0);
    if (typing.perKey.size() < static_cast<std::size_t>(kKeys)) {
        report.Note("typing with " + who + " stopped after " + std::to_string(typing.perKey.size()) + " keys");
    }
    if (!quillet.Exit()) report.Note("Quillet did not end after typing with " + who);
}

// One key, then the copy: from the moment it falls due until it is in place
// (taken out of the editor on the GUI thread, then written on the other).
void WriteRound(const Setup& setup, const Input& input, Report& report) {
    SetRecovery(setup, true);
    QuilletSession quillet(setup.quilletExe);
    if (quillet.Open(input.path).ready < 0) {
        report.Note("Quillet did not open " + input.key + " for a recovery write");
        quillet.Kill();
        return;
    }
    const QuilletSession::Typing typing = quillet.TypeAtEnd({'A'}, kTimeout, kTimeout);
    const double shown = Now();
    while (!typing.perKey.empty() && !HasCopy(RecoveryFolder(setup)) && Now() - shown < kTimeout) ::Sleep(1);
    if (typing.perKey.empty() || !HasCopy(RecoveryFolder(setup))) {
        report.Note("no recovery copy of " + input.key + " within " + Format(kTimeout, 0) + " s");
    } else {
        report.Add("recovery-write", input.key, "quillet", "s", Now() - shown - kQuietSeconds);
    }
    if (!quillet.Exit()) report.Note("Quillet did not end after the recovery write of " + input.key);
}

DWORD CALLBACK Collect(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(size));
    *done = size;
    return 0;
}

// The whole text out of a bare control in UTF-16: with EM_GETTEXTEX, as
// Quillet takes it for a copy on its GUI thread, and streamed out.
void TakeTextRound(const Input& input, Report& report) {
    HWND control = LoadedControl(input.bytes);
    if (!control) return;
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_USECRLF | GTL_PRECISE, 1200};
    double start = Now();
    const LRESULT units = ::SendMessageA(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    std::wstring taken(static_cast<std::size_t>(units) + 1, L'\0');
    GETTEXTEX take{static_cast<DWORD>(taken.size() * sizeof(wchar_t)), GT_USECRLF, 1200, nullptr, nullptr};
    ::SendMessageA(control, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&take), reinterpret_cast<LPARAM>(taken.data()));
    report.Add("recovery-take", input.key, "limit", "s", Now() - start);
    std::string streamed;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&streamed), 0, Collect};
    start = Now();
    ::SendMessageA(control, EM_STREAMOUT, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
    report.Add("recovery-streamout", input.key, "limit", "s", Now() - start);
    DestroyControl(control);
}

std::string Row(const std::vector<std::string>& cells) {
    std::string row = "|";
    for (const std::string& cell : cells) row += " " + cell + " |";
    return row + "\n";
}

std::string Tables(const Report& report) {
    const std::string key = kTypingInput;
    std::string out = "### Typing with the recovery copy (ms per key until the status bar shows it; " +
                      std::to_string(kKeys) + " keys at 10 a second at the end of " + key + ", runs pooled)\n\n";
    out += Row({"recovery", "keys", "median", "95th percentile", "worst", "a 30 s copy written while typing"});
    out += "|---|---|---|---|---|---|\n";
    double figures[2][3] = {{-1, -1, -1}, {-1, -1, -1}};
    for (int on = 1; on >= 0; --on) {
        const std::string who = on ? "recovery-on" : "recovery-off";
        const Figure* keys = report.Find("recovery-typing", key, who);
        if (!keys) continue;
        double* f = figures[on];
        f[0] = Median(keys->values);
        f[1] = Percentile(keys->values, 0.95);
        f[2] = Largest(keys->values);
        const Figure* copied = report.Find("recovery-copied", key, who);
        std::size_t runs = 0;
        for (const double c : copied ? copied->values : std::vector<double>{}) runs += c > 0 ? 1 : 0;
        out += Row({on ? "on" : "off", std::to_string(keys->values.size()), Format(f[0], 1), Format(f[1], 1),
                    Format(f[2], 1), std::to_string(runs) + " of " + std::to_string(copied ? copied->values.size() : 0) + " runs"});
    }
    const auto ratio = [&](int i) { return figures[0][i] > 0 && figures[1][i] >= 0 ? Format(figures[1][i] / figures[0][i], 2) : "n/a"; };
    out += Row({"on / off", "", ratio(0), ratio(1), ratio(2), ""});
    out += "\n### One recovery copy (seconds, median)\n\n";
    out += Row({"input", "Quillet: from due (2 s after the key) until the copy is in place",
                "bare control: the text in one EM_GETTEXTEX (Quillet's GUI-thread part)",
                "bare control: the text streamed out in UTF-16"});
    out += "|---|---|---|---|\n";
    for (const char* input : kWriteInputs) {
        out += Row({input, Format(report.MedianOf("recovery-write", input, "quillet"), 3),
                    Format(report.MedianOf("recovery-take", input, "limit"), 3),
                    Format(report.MedianOf("recovery-streamout", input, "limit"), 3)});
    }
    for (const std::string& note : report.Notes()) out += "\n- " + note;
    return out + "\n";
}

}  // namespace

int RunRecoveryRows(const Setup& setup, const std::vector<Input>& inputs, int runs, const std::string& out,
                    bool append) {
    Report report;
    for (int r = 0; r < runs; ++r) {
        if (const Input* input = Find(inputs, kTypingInput)) {
            TypingRound(setup, *input, true, report);
            TypingRound(setup, *input, false, report);
        }
        for (const char* key : kWriteInputs) {
            if (const Input* input = Find(inputs, key)) {
                WriteRound(setup, *input, report);
                TakeTextRound(*input, report);
            }
        }
        std::fprintf(stderr, "bench: recovery rows, round %d of %d\n", r + 1, runs);
    }
    SetRecovery(setup, true);
    const std::string markdown = Tables(report);
    std::fputs(markdown.c_str(), stdout);
    std::fflush(stdout);
    return StoreTables(out, append, markdown, report.Csv()) && report.Notes().empty() ? 0 : 1;
}

}  // namespace bench
