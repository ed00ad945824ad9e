#include "insert_append.h"

#include <windows.h>

#include <cstdio>

#include "clock.h"
#include "program.h"
#include "quillet_session.h"
#include "report.h"

namespace bench {
namespace {

constexpr char kDefaultInput[] = "plain-10MB";
constexpr int kInsertCommand = 1;
constexpr int kAppendCommand = 15;
constexpr double kTimeout = 300;
constexpr char kSmallDocument[] = "first\r\nsecond\r\nthird\r\n";  // three lines
constexpr char kSmallTarget[] = "x\r\n";

HWND WaitForFileDialog(DWORD process, const char* title) {
    HWND dialog = WaitForVisibleWindow(process, {"#32770", title, ""}, 30);
    if (!dialog) std::fprintf(stderr, "bench: the dialog \"%s\" did not come up\n", title);
    return dialog;
}

// The file dialog's name box: the Edit inside the ComboBoxEx32 with id 0x47c.
HWND NameBox(HWND dialog) {
    HWND combo = ::GetDlgItem(dialog, 0x47c);
    HWND inner = combo ? ::FindWindowExA(combo, nullptr, "ComboBox", nullptr) : nullptr;
    HWND edit = inner ? ::FindWindowExA(inner, nullptr, "Edit", nullptr) : nullptr;
    if (!edit && combo) edit = ::FindWindowExA(combo, nullptr, "Edit", nullptr);
    return edit;
}

// Posts a menu command to Quillet's window and chooses path in the dialog it
// opens; the clock starts as OK is pressed, and the time the dialog takes to
// go is put in dialogGone (a part of every figure timed from OK). Negative on
// failure.
double ChooseThroughCommand(HWND window, int command, const char* dialogTitle, const std::string& path,
                            double& dialogGone) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    ::PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    HWND dialog = WaitForFileDialog(process, dialogTitle);
    HWND name = dialog ? NameBox(dialog) : nullptr;
    if (!name) return -1;
    SendRemote(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), 10000);
    const double start = Now();
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    while (::IsWindow(dialog) && Now() - start < kTimeout) ::Sleep(1);
    dialogGone = Now() - start;
    return start;
}

HWND QuilletWindow(const std::string& file) {
    return ::FindWindowA(kQuilletClass, ("Quillet - " + file).c_str());
}

long long FileSize(const std::string& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Open, save and append the input in one session.
void OpenSaveAppend(const Setup& setup, const Input& input, Report& report) {
    QuilletSession quillet(setup.quilletExe);
    const QuilletSession::OpenTimes open = quillet.Open(input.path);
    HWND window = QuilletWindow(input.path);
    if (open.ready < 0 || !window) {
        report.Note("Quillet did not open " + input.key);
        quillet.Kill();
        return;
    }
    report.Add("open", input.key, "quillet", "s", open.ready);
    const double saved = quillet.Save(input.path, input.bytes.size());
    if (saved >= 0) report.Add("save", input.key, "quillet", "s", saved);
    else report.Note("Quillet's save of " + input.key + " did not complete");

    const std::string target = setup.work + "\\append-target.txt";
    const std::string expected = kSmallTarget + input.bytes;
    WriteWholeFile(target, kSmallTarget, false);
    double dialogGone = -1;
    const double start = ChooseThroughCommand(window, kAppendCommand, "Save to the end of file", target, dialogGone);
    double took = -1;
    while (start >= 0 && Now() - start < kTimeout) {
        bool answered = false;
        SendRemote(window, WM_NULL, 0, 0, 1000, &answered);
        if (answered && FileSize(target) == static_cast<long long>(expected.size())) {
            took = Now() - start;
            break;
        }
        ::Sleep(1);
    }
    std::string appended;
    if (took >= 0 && ReadWholeFile(target, appended) && appended == expected) {
        report.Add("append", input.key, "quillet", "s", took);
        report.Add("append-dialog", input.key, "quillet", "s", dialogGone);
    } else {
        report.Note("Quillet's append of " + input.key + " did not complete or gave other bytes");
    }
    ::DeleteFileA(target.c_str());
    quillet.Exit();
}

// Open a three-line document, insert the input above its second line, save
// it to check the bytes.
void Insert(const Setup& setup, const Input& input, Report& report) {
    const std::string document = setup.work + "\\insert-into.txt";
    WriteWholeFile(document, kSmallDocument, false);
    QuilletSession quillet(setup.quilletExe);
    HWND window = quillet.Open(document).ready >= 0 ? QuilletWindow(document) : nullptr;
    HWND editor = window ? ::GetDlgItem(window, kEditorId) : nullptr;
    if (!editor) {
        report.Note("Quillet did not open the small document");
        quillet.Kill();
        return;
    }
    const LRESULT secondLine = SendRemote(editor, EM_LINEINDEX, 1, 0);
    SendRemote(editor, EM_SETSEL, static_cast<WPARAM>(secondLine), secondLine);
    double dialogGone = -1;
    const double start = ChooseThroughCommand(window, kInsertCommand, "Insert into open file", input.path, dialogGone);
    const LRESULT lines = 3 + input.lines;
    double took = -1;
    while (start >= 0 && Now() - start < kTimeout) {
        bool answered = false;
        if (SendRemote(editor, EM_GETLINECOUNT, 0, 0, 1000, &answered) == lines && answered) {
            took = Now() - start;
            break;
        }
        ::Sleep(1);
    }
    const bool saved = took >= 0 && quillet.Save(document, 7 + input.bytes.size() + 15) >= 0;
    std::string bytes;
    if (saved && ReadWholeFile(document, bytes) && bytes == "first\r\n" + input.bytes + "second\r\nthird\r\n") {
        report.Add("insert", input.key, "quillet", "s", took);
        report.Add("insert-dialog", input.key, "quillet", "s", dialogGone);
    } else {
        report.Note("Quillet's insert of " + input.key + " did not complete or gave other bytes");
    }
    ::DeleteFileA(document.c_str());
    quillet.Exit();
}

std::string Table(const Report& report, const std::vector<const Input*>& measured, int rounds) {
    std::string table = "### Insert and Append To (seconds, median of " + std::to_string(rounds) +
                        " runs)\n\n| input | open | insert into a 3-line document | insert / open | save | "
                        "append to a 3-byte file | append / save |\n|---|---|---|---|---|---|---|\n";
    for (const Input* input : measured) {
        const double open = report.MedianOf("open", input->key, "quillet");
        const double insert = report.MedianOf("insert", input->key, "quillet");
        const double save = report.MedianOf("save", input->key, "quillet");
        const double append = report.MedianOf("append", input->key, "quillet");
        table += "| " + input->key + " | " + Format(open, 2) + " | " + Format(insert, 2) + " | " +
                 Format(open > 0 && insert >= 0 ? insert / open : -1, 2) + " | " + Format(save, 3) + " | " +
                 Format(append, 3) + " | " + Format(save > 0 && append >= 0 ? append / save : -1, 2) + " |\n";
    }
    for (const Input* input : measured) {
        const double insert = report.MedianOf("insert-dialog", input->key, "quillet");
        const double append = report.MedianOf("append-dialog", input->key, "quillet");
        if (insert < 0 && append < 0) continue;
        table += "\n" + input->key + ": of those, the file dialog took " + Format(insert, 3) + " s (Insert) and " +
                 Format(append, 3) + " s (Append To) from OK until its window was gone; Open and Save have none.\n";
    }
    for (const std::string& note : report.Notes()) table += "\n- " + note;
    return table + "\n";
}

bool Listed(const std::string& list, const std::string& name) {
    return ("," + list + ",").find("," + name + ",") != std::string::npos;
}

}  // namespace

int RunInsertAppend(const Setup& setup, const std::vector<Input>& inputs, const std::string& only, int rounds,
                    const std::string& out, bool append) {
    Report report;
    std::vector<const Input*> measured;
    for (const Input& input : inputs) {
        if (Listed(only.empty() ? kDefaultInput : only, input.key)) measured.push_back(&input);
    }
    for (const Input* input : measured) {
        for (int r = 0; r < rounds; ++r) {
            OpenSaveAppend(setup, *input, report);
            Insert(setup, *input, report);
            std::fprintf(stderr, "bench: %s: insert and append round %d of %d\n", input->key.c_str(), r + 1, rounds);
        }
    }
    const std::string table = Table(report, measured, rounds);
    std::fputs(table.c_str(), stdout);
    std::fflush(stdout);
    const bool written = StoreTables(out, append, table, report.Csv());
    return written && report.Notes().empty() && !measured.empty() ? 0 : 1;
}

}  // namespace bench
