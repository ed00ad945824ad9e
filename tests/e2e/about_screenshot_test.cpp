// Help > About in the running program, kept as quillet-about.bmp in the
// artefacts folder, then closed by its close box.
#include <gtest/gtest.h>

#include <windows.h>

#include <iostream>
#include <memory>

#include "e2e/quillet_process.h"
#include "e2e/screen_capture.h"
#include "support/win_test_support.h"

namespace quillet::e2e {
namespace {

constexpr int kAboutCommand = 31;

HWND AboutWindowOf(DWORD processId) {
    for (HWND window = ::FindWindowExA(nullptr, nullptr, "QuilletAboutWindow", nullptr); window;
         window = ::FindWindowExA(nullptr, window, "QuilletAboutWindow", nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == processId && ::IsWindowVisible(window)) return window;
    }
    return nullptr;
}

HWND WaitForAboutWindow(DWORD processId, bool open, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        HWND about = AboutWindowOf(processId);
        if ((about != nullptr) == open || ::GetTickCount() - start > timeoutMs) return about;
        ::Sleep(20);
    }
}

TEST(Screenshot, AboutWindow) {
    test::TempFolder folder;
    auto program = std::make_unique<QuilletProcess>(folder.Path());
    ASSERT_TRUE(program->Copied());
    ASSERT_TRUE(program->Start());
    ::PostMessageA(program->Window(), WM_COMMAND, kAboutCommand, 0);
    HWND about = WaitForAboutWindow(program->ProcessId(), true, 10000);
    ASSERT_NE(about, nullptr) << "Help > About showed no window";
    EXPECT_EQ("'Quillet'", RemoteWindowText(about));
    EXPECT_FALSE(::IsWindowEnabled(program->Window()));

    ::SetForegroundWindow(about);
    ::RedrawWindow(about, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(about, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    ::Sleep(300);  // let the repaint reach the screen
    RECT rect{};
    ::GetWindowRect(about, &rect);
    const Picture picture = CaptureScreen(rect);
    // Banner gradient, icons, texts, blue link, button: many colours.
    EXPECT_GE(picture.CountColours(), 50u);
    const std::string path = ArtifactsFolder() + "quillet-about.bmp";
    EXPECT_TRUE(WriteBmp(picture, path)) << path;
    std::cout << "About window picture: " << path << " (" << picture.width << " x " << picture.height << ")\n";

    ::PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(nullptr, WaitForAboutWindow(program->ProcessId(), false, 10000));
    EXPECT_TRUE(::IsWindowEnabled(program->Window()));
    program->Exit();
    DWORD exitCode = 0;
    EXPECT_TRUE(program->WaitForExit(15000, exitCode));
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace quillet::e2e
