// The real quillet.exe saving onto a disk with no room left: the file stays
// as it was, the user is told, and the same Save works once there is room.
// Needs the small disk the test run mounts (QUILLET_SMALL_DISK); without it
// the in-process fault tests inject the full disk instead.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "document/file_io_win.h"
#include "e2e/quillet_process.h"
#include "e2e/shared_steps.h"
#include "support/small_disk.h"
#include "support/win_test_support.h"

namespace quillet::e2e {
namespace {

constexpr int kSaveCommand = 13;

TEST(FullDiskTest, SavingOntoAFullDiskKeepsTheFileAndSaysSo) {
    test::SmallDiskFolder disk;
    if (!disk.Available()) GTEST_SKIP() << "QUILLET_SMALL_DISK is not set: no real full disk here";
    test::TempFolder folder;
    const std::string path = disk.File("notes.txt");
    test::WriteFileBytes(path, "original\r\n");
    QuilletProcess program(folder.Path());
    ASSERT_TRUE(program.Copied());
    ASSERT_TRUE(program.Start("\"" + path + "\""));
    disk.Fill();
    for (const char c : std::string("kept ")) ::PostMessageA(program.Editor(), WM_CHAR, static_cast<unsigned char>(c), 1);
    ASSERT_TRUE(WaitFor([&] { return program.EditorText() == "kept original"; })) << program.EditorText();

    ::PostMessageA(program.Window(), WM_COMMAND, kSaveCommand, 0);
    HWND box = program.WaitForDialog("Save", 10000);
    ASSERT_NE(nullptr, box) << "no message after a save onto a full disk";
    const std::string message = RemoteWindowText(::GetDlgItem(box, 0xFFFF));
    EXPECT_NE(std::string::npos, message.find(path)) << message;
    EXPECT_NE(std::string::npos, message.find(SystemErrorText(ERROR_DISK_FULL))) << message;
    test::PressButton(box, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
    EXPECT_EQ("original\r\n", test::ReadFileBytes(path));
    EXPECT_EQ((std::vector<std::string>{"filler.bin", "notes.txt"}), test::FileNames(disk.Path()));
    EXPECT_EQ("Quillet - " + path, program.Title());
    EXPECT_NE(0, ::SendMessageA(program.Editor(), EM_GETMODIFY, 0, 0));

    // With room again, the same command saves.
    disk.Free();
    ::PostMessageA(program.Window(), WM_COMMAND, kSaveCommand, 0);
    EXPECT_TRUE(WaitFor([&] { return test::ReadFileBytes(path) == "kept original\r\n"; }));
    EXPECT_TRUE(WaitFor([&] { return ::SendMessageA(program.Editor(), EM_GETMODIFY, 0, 0) == 0; }));
    program.Close();
    ExpectEndsWithCode0(program);
}

}  // namespace
}  // namespace quillet::e2e
