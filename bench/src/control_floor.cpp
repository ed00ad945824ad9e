#include "control_floor.h"

#include <windows.h>

#include <richedit.h>

#include <climits>
#include <cstdio>
#include <cstring>

#include "clock.h"
#include "platform/editor_control_win.h"

namespace bench {
namespace {

constexpr char kHostClass[] = "QuilletBenchHost";
// Quillet's editor: its styles (quillet::kEditorStyle), and its size when the
// main window is created.
constexpr int kEditorWidth = 600;
constexpr int kEditorHeight = 305;

HWND HostWindow() {
    static HWND host = [] {
        if (!::LoadLibraryA("RICHED20.DLL")) {
            std::fprintf(stderr, "bench: RICHED20.DLL does not load (error %lu)\n", ::GetLastError());
            return HWND{};
        }
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kHostClass;
        if (!::RegisterClassA(&windowClass)) return HWND{};
        HWND window = ::CreateWindowExA(0, kHostClass, "Quillet benchmark: the control alone",
                                        WS_OVERLAPPEDWINDOW | WS_VISIBLE, 235, 204, 640, 420, nullptr,
                                        nullptr, windowClass.hInstance, nullptr);
        PumpMessages();
        return window;
    }();
    return host;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(window, message, wParam, lParam);
}

// A control set up as Quillet sets up its editor; without fixedScrollBars its
// scroll bars come and go with the text, as the control's default is.
HWND FreshControl(bool urlDetection, bool fixedScrollBars = true) {
    HWND host = HostWindow();
    if (!host) return nullptr;
    const DWORD style =
        fixedScrollBars ? quillet::kEditorStyle : quillet::kEditorStyle & ~DWORD(ES_DISABLENOSCROLL);
    HWND control = ::CreateWindowExA(WS_EX_CLIENTEDGE, "RichEdit20A", "", style, 0, 35, kEditorWidth,
                                     kEditorHeight, host, reinterpret_cast<HMENU>(15),
                                     ::GetModuleHandleA(nullptr), nullptr);
    if (!control) {
        std::fprintf(stderr, "bench: cannot create a RichEdit20A control (error %lu)\n", ::GetLastError());
        return nullptr;
    }
    Send(control, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    Send(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    Send(control, EM_SETUNDOLIMIT, 100);
    Send(control, EM_AUTOURLDETECT, urlDetection ? TRUE : FALSE);
    ::SetFocus(control);
    PumpMessages();
    return control;
}

struct Source {
    const std::string* bytes;
    std::size_t offset;
};

DWORD CALLBACK ReadSource(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* source = reinterpret_cast<Source*>(cookie);
    const std::size_t left = source->bytes->size() - source->offset;
    const std::size_t count = left < static_cast<std::size_t>(size) ? left : static_cast<std::size_t>(size);
    std::memcpy(buffer, source->bytes->data() + source->offset, count);
    source->offset += count;
    *done = static_cast<LONG>(count);
    return 0;
}

std::string WithSingleCrBreaks(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text += bytes[i] == '\n' ? '\r' : bytes[i];
    }
    return text;
}

LoadResult Finish(HWND control, double seconds, bool complete) {
    LoadResult result;
    result.seconds = complete ? seconds : -1;
    PumpMessages();  // the first paint of the loaded text belongs to the load's memory
    result.lineCount = static_cast<long>(Send(control, EM_GETLINECOUNT));
    ::DestroyWindow(control);
    PumpMessages();
    return result;
}

}  // namespace

void PumpMessages() {
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

HWND LoadedControl(const std::string& bytes) {
    HWND control = FreshControl(true);
    if (!control) return nullptr;
    Source source{&bytes, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadSource};
    Send(control, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    PumpMessages();
    return control;
}

void DestroyControl(HWND control) {
    ::DestroyWindow(control);
    PumpMessages();
}

LoadResult StreamIntoFreshControl(const std::string& bytes, const LoadVariant& variant) {
    HWND control = FreshControl(variant.urlDetection, variant.fixedScrollBars);
    if (!control) return {};
    const std::string text = variant.singleCrBreaks ? WithSingleCrBreaks(bytes) : bytes;
    Source source{&text, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadSource};
    const double start = Now();
    if (variant.noRedraw) Send(control, WM_SETREDRAW, FALSE);
    if (variant.noUndo) Send(control, EM_SETUNDOLIMIT, 0);
    Send(control, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    const double streamed = Now();
    if (variant.noUndo) Send(control, EM_SETUNDOLIMIT, 100);
    if (variant.noRedraw) {
        Send(control, WM_SETREDRAW, TRUE);
        ::InvalidateRect(control, nullptr, TRUE);
    }
    const double end = Now();
    LoadResult result =
        Finish(control, end - start, stream.dwError == 0 && source.offset == text.size());
    result.afterSeconds = end - streamed;
    return result;
}

LoadResult ReplaceLineByLine(const std::string& bytes) {
    HWND control = FreshControl(true);
    if (!control) return {};
    const double start = Now();
    std::size_t lineStart = 0;
    bool first = true;
    while (lineStart < bytes.size()) {
        std::size_t end = bytes.find("\r\n", lineStart);
        if (end == std::string::npos) end = bytes.size();
        const std::string line = (first ? "" : "\r") + bytes.substr(lineStart, end - lineStart);
        Send(control, EM_SETSEL, INT_MAX, INT_MAX);
        Send(control, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
        first = false;
        lineStart = end + 2;
    }
    const double seconds = Now() - start;
    return Finish(control, seconds, true);
}

}  // namespace bench
