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

TEST(Screenshot, AboutWindow) {
    test::TempFolder folder;
    auto program = std::make_unique<QuilletProcess>(folder.Path());
    ASSERT_TRUE(program->Copied());
    ASSERT_TRUE(program->Start());
    ::PostMessageA(program->Window(), WM_COMMAND, 31, 0);  // Help > About
    HWND about = program->WaitForWindow("QuilletAboutWindow", "'Quillet'", 10000);
    ASSERT_NE(about, nullptr) << "Help > About showed no window";
    EXPECT_FALSE(::IsWindowEnabled(program->Window()));

    test::ComeToFront(about);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(about, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    ::Sleep(300);  // let the painting reach the screen
    RECT rect{};
    ::GetWindowRect(about, &rect);
    const Picture picture = CaptureScreen(rect);
    EXPECT_GE(picture.CountColours(), 50u);  // gradient, icons, texts, link, button
    const std::string path = ArtifactsFolder() + "quillet-about.bmp";
    EXPECT_TRUE(WriteBmp(picture, path)) << path;
    std::cout << "About window picture: " << path << " (" << picture.width << " x " << picture.height << ")\n";

    ::PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(about); })) << "the About window stayed";
    EXPECT_TRUE(::IsWindowEnabled(program->Window()));
    program->Exit();
    DWORD exitCode = 0;
    EXPECT_TRUE(program->WaitForExit(15000, exitCode));
}

}  // namespace
}  // namespace quillet::e2e
