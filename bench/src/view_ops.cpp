#include "view_ops.h"

#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "clock.h"
#include "control_floor.h"
#include "program.h"
#include "quillet_session.h"
#include "report.h"

namespace bench {
namespace {

constexpr int kWordWrapCommand = 26;
constexpr int kSetFontCommand = 27;
constexpr int kUndoCommand = 17;
// A change after another one (and Set Font, which is two layouts) can take
// minutes at 10 MB (see bench/README.md): a change is given up after this long
// and shown as "> 60" or "> 30".
constexpr double kFirstTimeout = 60;
constexpr double kSecondTimeout = 30;
constexpr LPARAM kNoWrapLineWidth = 0xFFFFFF;
constexpr int kFontPoints = 12;
constexpr char kFontSize[] = "12";
// The font dialog's face and size lists; the first of kFaces it offers is chosen.
constexpr int kFaceList = 0x470;
constexpr int kSizeList = 0x472;
const char* const kFaces[] = {"Courier New", "Tahoma", "Liberation Mono", "DejaVu Sans Mono"};

DWORD Milliseconds(double seconds) { return static_cast<DWORD>(seconds * 1000); }

// Each session starts a fresh process with the document and makes one
// change, then (when `second` is set) another right after it.
struct Session {
    const char* name;
    const char* first;
    const char* second;  // nullptr: none
};
const Session kSessions[] = {{"wrap", "wrap-on", "wrap-off"},
                             {"font", "font", "undo"},
                             {"resize", "lower", "narrower"}};

struct Change {
    const char* key;
    const char* label;
};
const Change kChanges[] = {
    {"wrap-on", "word wrap on (the first change after the open)"},
    {"wrap-off", "word wrap off right after it (the second change)"},
    {"font", "font and colour, 12 points, from the dialog's OK (the first change)"},
    {"undo", "Undo (Ctrl+Z) right after the font: what it takes back, and how long (the second change)"},
    {"lower", "window 1 pixel lower (the first change)"},
    {"narrower", "window 20 pixels narrower right after it (the second change)"},
};

// --- Quillet, driven from outside.

// The menu command sent to the main window: done when its handler returns.
double SendCommand(HWND window, int command, double timeout) {
    const double start = Now();
    bool answered = false;
    SendRemote(window, WM_COMMAND, static_cast<WPARAM>(command), 0, Milliseconds(timeout), &answered);
    return answered ? Now() - start : -1;
}

HWND WaitForFontDialog(HWND owner) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(owner, &processId);
    return WaitForVisibleWindow(processId, {"#32770", "Font", ""}, 30);
}

// Chooses an item of one of the font dialog's lists as a click would; false
// when it has no such item. The system carries a combo box's text across
// processes.
bool ChooseInDialog(HWND dialog, int listId, const std::string& text) {
    HWND list = ::GetDlgItem(dialog, listId);
    const LRESULT index = SendRemote(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(text.c_str()), 10000);
    if (index == CB_ERR) return false;
    SendRemote(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0, 10000);
    SendRemote(dialog, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list), 10000);
    return true;
}

// Set Font from the Options menu, answered with a face and 12 points. Timed
// from the dialog's OK until Quillet answers again after the dialog is gone.
double SetFontInQuillet(HWND window, std::string& face, double timeout) {
    if (!::PostMessageA(window, WM_COMMAND, kSetFontCommand, 0)) return -1;
    HWND dialog = WaitForFontDialog(window);
    if (!dialog) return -1;
    SendRemote(dialog, WM_NULL, 0, 0, 10000);
    face.clear();
    for (const char* offered : kFaces) {
        if (ChooseInDialog(dialog, kFaceList, offered)) {
            face = offered;
            break;
        }
    }
    if (face.empty() || !ChooseInDialog(dialog, kSizeList, kFontSize)) {
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return -1;
    }
    const double start = Now();
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    while (::IsWindow(dialog) && Now() - start < timeout) ::Sleep(1);
    bool answered = false;
    SendRemote(window, WM_NULL, 0, 0, Milliseconds(timeout - (Now() - start)), &answered);
    return answered && !::IsWindow(dialog) ? Now() - start : -1;
}

// Resizes a window (of this process or another); done when it answers again.
double Resize(HWND window, int wider, int higher, double timeout) {
    RECT place{};
    ::GetWindowRect(window, &place);
    const double start = Now();
    ::SetWindowPos(window, nullptr, 0, 0, place.right - place.left + wider, place.bottom - place.top + higher,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    bool answered = false;
    SendRemote(window, WM_NULL, 0, 0, Milliseconds(timeout), &answered);
    return answered ? Now() - start : -1;
}

double QuilletChange(const std::string& change, HWND window, double timeout, std::string& face) {
    if (change == "wrap-on" || change == "wrap-off") return SendCommand(window, kWordWrapCommand, timeout);
    if (change == "font") return SetFontInQuillet(window, face, timeout);
    if (change == "undo") return SendCommand(window, kUndoCommand, timeout);
    if (change == "lower") return Resize(window, 0, -1, timeout);
    return Resize(window, -20, 0, timeout);
}

// --- The control alone, in a process of its own (a fresh heap, as Quillet has).

// Font and colour in one character format, as Quillet gives them to its
// editor: the font made as Quillet makes it, the colour black.
CHARFORMAT2A FontAndColour(HWND control, const std::string& face) {
    HDC dc = ::GetDC(control);
    const int perInch = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::ReleaseDC(control, dc);
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_CHARSET | CFM_SIZE | CFM_WEIGHT | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                    CFM_STRIKEOUT | CFM_COLOR;
    format.wWeight = FW_NORMAL;
    format.bCharSet = DEFAULT_CHARSET;
    format.yHeight = ::MulDiv(::MulDiv(kFontPoints, perInch, 72), 1440, perInch);
    ::lstrcpynA(format.szFaceName, face.c_str(), sizeof format.szFaceName);
    return format;
}

double ControlChange(HWND control, const std::string& change, const std::string& face) {
    const double start = Now();
    if (change == "wrap-on" || change == "wrap-off") {
        ::SendMessageA(control, EM_SETTARGETDEVICE, 0, change == "wrap-on" ? 0 : kNoWrapLineWidth);
    } else if (change == "undo") {
        ::SendMessageA(control, EM_UNDO, 0, 0);
    } else if (change == "font") {
        // The same change: font and colour for all text and for new text,
        // no undo step. Each EM_SETCHARFORMAT lays the text out once.
        CHARFORMAT2A format = FontAndColour(control, face);
        ::SendMessageA(control, EM_SETUNDOLIMIT, 0, 0);
        ::SendMessageA(control, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
        ::SendMessageA(control, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        ::SendMessageA(control, EM_SETUNDOLIMIT, 100, 0);
    } else {
        return Resize(control, change == "lower" ? 0 : -20, change == "lower" ? -1 : 0, kFirstTimeout);
    }
    return Now() - start;
}

// A change given up on once is not made again on that input (it is known to
// take longer than the time it is given), so later rounds stay short.
std::string GaveUpKey(const Input& input, const std::string& who, const std::string& change) {
    return "view/" + who + "-" + change + "/" + input.key;
}

void Add(Setup& setup, Report& report, const Input& input, const std::string& who, const std::string& change,
         double seconds, double timeout) {
    if (seconds < 0) {
        setup.gaveUp.insert(GaveUpKey(input, who, change));
        report.Add("view-timeout", input.key, who + "-" + change, "s", timeout);
        std::fprintf(stderr, "bench: %s, %s on %s: more than %.0f s\n", who.c_str(), change.c_str(),
                     input.key.c_str(), timeout);
        return;
    }
    report.Add("view", input.key, who + "-" + change, "s", seconds);
    std::fprintf(stderr, "bench: %s, %s on %s: %.2f s\n", who.c_str(), change.c_str(), input.key.c_str(), seconds);
}

// Returns the face the font dialog gave, or "".
std::string QuilletSessionRound(Setup& setup, const Input& input, const Session& session, Report& report) {
    // Every session starts from the default settings: no word wrap.
    const std::string folder = setup.quilletExe.substr(0, setup.quilletExe.find_last_of('\\'));
    ::DeleteFileA((folder + "\\Quillet_Settings.ini").c_str());
    QuilletSession quillet(setup.quilletExe);
    if (quillet.Open(input.path).ready < 0) {
        report.Note("Quillet did not open " + input.key + " for the view changes");
        quillet.Kill();
        return {};
    }
    std::string face;
    const bool second = session.second && !setup.gaveUp.count(GaveUpKey(input, "quillet", session.second));
    Add(setup, report, input, "quillet", session.first, QuilletChange(session.first, quillet.Window(), kFirstTimeout, face),
        kFirstTimeout);
    if (second) {
        const double seconds = QuilletChange(session.second, quillet.Window(), kSecondTimeout, face);
        Add(setup, report, input, "quillet", session.second, seconds, kSecondTimeout);
        if (seconds < 0) {
            quillet.Kill();  // still busy: Exit would only wait
            return face;
        }
    }
    if (!quillet.Exit()) report.Note("Quillet did not end after Exit on " + input.key);
    return face;
}

// The figures the child has written so far (after its "loaded" line).
std::vector<double> ChildFigures(const std::string& result, bool& loaded) {
    std::string text;
    std::vector<double> figures;
    loaded = ReadWholeFile(result, text) && text.rfind("loaded", 0) == 0;
    if (!loaded) return figures;
    const char* at = text.c_str() + 6;
    char* end = nullptr;
    for (double figure = std::strtod(at, &end); end != at; figure = std::strtod(at, &end)) {
        figures.push_back(figure);
        at = end;
    }
    return figures;
}

// Waits until the child has written `count` figures, or has ended, or the
// time is up.
std::vector<double> WaitForFigures(const Program& child, const std::string& result, std::size_t count,
                                   double timeout) {
    const double start = Now();
    bool loaded = false;
    std::vector<double> figures = ChildFigures(result, loaded);
    while (figures.size() < count && Now() - start < timeout &&
           ::WaitForSingleObject(child.Handle(), 20) != WAIT_OBJECT_0) {
        figures = ChildFigures(result, loaded);
    }
    return ChildFigures(result, loaded);
}

void ControlSessionRound(Setup& setup, const Input& input, const Session& session, const std::string& face,
                         Report& report) {
    const std::string result = setup.work + "\\view-result.txt";
    ::DeleteFileA(result.c_str());
    const std::string exe = ProgramFolder() + "quillet_bench.exe";
    const bool second = session.second && !setup.gaveUp.count(GaveUpKey(input, "limit", session.second));
    const std::string commandLine = "\"" + exe + "\" --view-child \"" + input.path + "\" \"" + result + "\" " +
                                    session.first + " " + (second ? session.second : "-") + " \"" + face + "\"";
    Program child;
    if (!child.Start(exe, commandLine, "")) return;
    WaitForFigures(child, result, 0, setup.limitTimeout);  // the load
    std::vector<double> figures = WaitForFigures(child, result, 1, kFirstTimeout);
    if (second && figures.size() == 1) figures = WaitForFigures(child, result, 2, kSecondTimeout);
    child.WaitForEnd(5);
    Add(setup, report, input, "limit", session.first, figures.size() > 0 ? figures[0] : -1, kFirstTimeout);
    if (second) Add(setup, report, input, "limit", session.second, figures.size() > 1 ? figures[1] : -1, kSecondTimeout);
}

std::string Row(const std::vector<std::string>& cells) {
    std::string row = "|";
    for (const std::string& cell : cells) row += " " + cell + " |";
    return row + "\n";
}

// One table cell: the median of every run made, a run given up on counting
// as longer than any measured one. While fewer than half were given up that
// median is a measured figure (and the cell says how many were given up);
// otherwise all the cell can say is "> N".
struct Cell {
    double seconds = -1;  // negative: no figure
    std::string text = "n/a";
};

Cell CellOf(const Report& report, const Input& input, const std::string& subject) {
    const Figure* measuredFigure = report.Find("view", input.key, subject);
    const Figure* gaveUpFigure = report.Find("view-timeout", input.key, subject);
    std::vector<double> measured = measuredFigure ? measuredFigure->values : std::vector<double>{};
    const std::size_t gaveUp = gaveUpFigure ? gaveUpFigure->values.size() : 0;
    const std::size_t runs = measured.size() + gaveUp;
    Cell cell;
    if (runs == 0) return cell;
    const std::string limit = gaveUp ? "> " + Format(gaveUpFigure->values.front(), 0) : "";
    if (2 * gaveUp >= runs) {
        cell.text = limit;
        return cell;
    }
    std::sort(measured.begin(), measured.end());
    const std::size_t middle = runs / 2;  // below measured.size(), as gaveUp < runs / 2
    cell.seconds = runs % 2 ? measured[middle] : (measured[middle - 1] + measured[middle]) / 2;
    cell.text = Format(cell.seconds, 2);
    if (gaveUp) cell.text += " (" + std::to_string(gaveUp) + " of " + std::to_string(runs) + " runs " + limit + ")";
    return cell;
}

bool HasViewRows(const Input& input) { return input.key == "plain-1MB" || input.key == "plain-10MB"; }

// One round on one input: each session of changes in Quillet, then on the
// control alone, each in a fresh process with the document just opened.
void ViewRound(Setup& setup, const Input& input, Report& report) {
    std::string face = kFaces[0];
    for (const Session& session : kSessions) {
        if (setup.quillet && !setup.gaveUp.count(GaveUpKey(input, "quillet", session.first))) {
            const std::string offered = QuilletSessionRound(setup, input, session, report);
            if (!offered.empty()) face = offered;
        }
        if (setup.limit && !setup.gaveUp.count(GaveUpKey(input, "limit", session.first))) {
            ControlSessionRound(setup, input, session, face, report);
        }
    }
}

std::string ViewTables(const Report& report, const std::vector<Input>& inputs, int runs) {
    std::string rows;
    for (const Input& input : inputs) {
        for (const Change& change : kChanges) {
            const std::string quillet = std::string("quillet-") + change.key;
            const std::string limit = std::string("limit-") + change.key;
            const Cell q = CellOf(report, input, quillet);
            const Cell l = CellOf(report, input, limit);
            if (q.text == "n/a" && l.text == "n/a") continue;
            const bool bothMeasured = q.seconds >= 0 && l.seconds > 0;
            const std::string ratio = bothMeasured ? Format(q.seconds / l.seconds, 2) : "n/a";
            rows += Row({input.key, change.label, q.text, l.text, ratio});
        }
    }
    if (rows.empty()) return {};
    return "### Changes that lay the whole document out again (seconds, median of " + std::to_string(runs) +
           " runs; each in a fresh process with the document just opened)\n\n" +
           Row({"input", "change", "Quillet", "control's limit", "Quillet / limit"}) + "|---|---|---|---|---|\n" +
           rows + "\n";
}

bool Listed(const std::string& list, const std::string& key) {
    return list.empty() || ("," + list + ",").find("," + key + ",") != std::string::npos;
}

}  // namespace

int RunViewRows(Setup& setup, const std::vector<Input>& inputs, const std::string& only, int runs,
                const std::string& out, bool append) {
    Report report;
    for (const Input& input : inputs) {
        if (!HasViewRows(input) || !Listed(only, input.key)) continue;
        for (int r = 0; r < runs; ++r) {
            ViewRound(setup, input, report);
            std::fprintf(stderr, "bench: view changes on %s, round %d of %d\n", input.key.c_str(), r + 1, runs);
        }
    }
    const std::string markdown = ViewTables(report, inputs, runs);
    std::fputs(markdown.c_str(), stdout);
    std::fflush(stdout);
    return StoreTables(out, append, markdown, report.Csv()) ? 0 : 1;
}

int RunViewChild(int argc, char** argv) {
    if (argc != 7) return 2;
    const std::string result = argv[3];
    const std::string changes[] = {argv[4], argv[5]};
    const std::string face = argv[6];
    std::string bytes;
    if (!ReadWholeFile(argv[2], bytes)) return 1;
    HWND control = LoadedControl(bytes);
    if (!control) return 1;
    std::string written = "loaded";
    WriteWholeFile(result, written, false);
    for (const std::string& change : changes) {
        if (change == "-") break;
        char figure[32];
        std::snprintf(figure, sizeof figure, " %.6f", ControlChange(control, change, face));
        written += figure;
        WriteWholeFile(result, written, false);  // the parent may give up on the next one
        PumpMessages();
    }
    DestroyControl(control);
    return 0;
}

}  // namespace bench
