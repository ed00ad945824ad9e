// A picture of the running program's main window with some text in it,
// kept as quillet-main-window.bmp in the artefacts folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <iostream>
#include <memory>

#include "e2e/quillet_process.h"
#include "e2e/screen_capture.h"
#include "e2e/shared_steps.h"
#include "support/win_test_support.h"

namespace quillet::e2e {
namespace {

TEST(Screenshot, MainWindowWithText) {
    test::TempFolder folder;
    auto program = std::make_unique<QuilletProcess>(folder.Path());
    ASSERT_TRUE(program->Copied());
    ASSERT_TRUE(program->Start());
    ASSERT_TRUE(program->Type("Hello from Quillet\nHello from Quillet, line two\nHello from Quillet, line three"));
    ASSERT_TRUE(program->WaitForStatus("Char 31 Line 3 of 3 lines")) << program->StatusText();

    HWND window = program->Window();
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    test::ComeToFront(window);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    ::Sleep(500);  // let the repaint reach the screen

    const Picture picture = CaptureScreen(program->WindowRect());
    ASSERT_GT(picture.width, 0);
    ASSERT_GT(picture.height, 0);
    // Caption, menu, buttons, text and status bar: far more than one colour.
    EXPECT_GE(picture.CountColours(), 8u);

    const std::string path = ArtifactsFolder() + "quillet-main-window.bmp";
    EXPECT_TRUE(WriteBmp(picture, path)) << path;
    const std::string bytes = test::ReadFileBytes(path);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(bytes.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + picture.bgr.size());
    std::cout << "main window picture: " << path << " (" << picture.width << " x " << picture.height
              << ")\n";

    program->Close();
    if (HWND question = program->WaitForDialog("Save modified file?", 10000)) test::PressButton(question, IDNO);
    ExpectEndsWithCode0(*program);
}

}  // namespace
}  // namespace quillet::e2e
