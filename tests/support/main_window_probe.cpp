#include "support/main_window_probe.h"

#include <commctrl.h>

#include <vector>

#include "app/event_loop_win.h"
#include "app/startup_win.h"
#include "platform/message_loop_win.h"

namespace quillet::test {

const char kDefaultSettingsText[] =
    "[Display]\r\nWordWrap=false\r\nOnTop=false\r\nTransparent=false\r\n"
    "XPos=100\r\nYPos=100\r\nWidth=600\r\nHeight=450\r\n"
    "[PrimaryFont]\r\nFace=Arial\r\nSize=10\r\nColor=0\r\nBold=false\r\nItalic=false\r\n"
    "Underline=false\r\n"
    "[LastAccessed]\r\nOpen=\r\nSave=\r\nInsert=\r\nAppendTo=\r\n";

std::string SettingsTextWithGeometry(long x, long y, long width, long height) {
    std::string text = kDefaultSettingsText;
    auto put = [&](const std::string& key, long value) {
        const std::size_t at = text.find("\n" + key + "=") + 1;
        const std::size_t end = text.find("\r\n", at);
        text.replace(at, end - at, key + "=" + std::to_string(value));
    };
    put("XPos", x);
    put("YPos", y);
    put("Width", width);
    put("Height", height);
    return text;
}

std::ostream& operator<<(std::ostream& out, const Place& place) {
    return out << "{" << place.x << ", " << place.y << ", " << place.width << " x " << place.height
               << "}";
}

Place PlaceInParent(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

SIZE ClientSize(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    return {client.right, client.bottom};
}

void SetClientSize(HWND window, int width, int height) {
    RECT frame{0, 0, width, height};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE)),
                         ::GetMenu(window) != nullptr,
                         static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_EXSTYLE)));
    ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string StatusBarText(HWND statusBar) {
    const auto length = LOWORD(::SendMessageA(statusBar, SB_GETTEXTLENGTHA, 0, 0));
    std::vector<char> text(length + 1u, '\0');
    ::SendMessageA(statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

bool TakeQuitMessage() {
    MSG message{};
    bool found = false;
    while (::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) found = true;
    return found;
}

int RunQueuedMessages() {
    int handled = 0;
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));  // leave it for the caller
            break;
        }
        DispatchEvent(message);
        ++handled;
    }
    return handled;
}

void StartedMainWindowTest::Start(const char* settingsBytes, const std::string& commandLine) {
    Stop();
    if (settingsBytes) WriteFileBytes(settings_, settingsBytes);
    ASSERT_TRUE(StartUp(settings_, commandLine));
    ASSERT_TRUE(::IsWindow(Main().window));
}

void StartedMainWindowTest::Stop() {
    if (Main().window && ::IsWindow(Main().window)) ::DestroyWindow(Main().window);
    Main() = MainWindow{};
    PumpMessages();
    TakeQuitMessage();
}

void StartedMainWindowTest::TearDown() { Stop(); }

}  // namespace quillet::test
