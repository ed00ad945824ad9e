// The real quillet.exe's recovery copy: kept while the text is unsaved,
// offered back after the process was killed, gone once the text is given up
// (a Save's end of it is checked in-process, through the same window
// command), unharmed by a full disk, and one for each running Quillet.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "document/recovery_copy.h"
#include "document/recovery_rules.h"
#include "e2e/quillet_process.h"
#include "e2e/real_input.h"
#include "e2e/screen_capture.h"
#include "e2e/shared_steps.h"
#include "support/small_disk.h"
#include "support/win_test_support.h"

namespace quillet::e2e {
namespace {

constexpr DWORD kCopyTimeoutMs = 10000;  // 2 s after the last change, then the write
using Texts = std::vector<std::string>;

// The texts of the copies beside a program (ASCII only), in order.
Texts CopyTexts(const std::string& programFolder) {
    const std::string folder = programFolder + "\\" + kRecoveryFolderName;
    Texts texts;
    for (const std::string& name : test::FileNames(folder)) {
        if (!RecoveryIdOfFile(name)) {
            texts.push_back("<stray file " + name + ">");
            continue;
        }
        const std::optional<RecoveryCopy> copy = DecodeRecoveryCopy(test::ReadFileBytes(folder + "\\" + name));
        std::string text = copy ? "" : "<unreadable>";
        for (std::size_t i = 0; copy && i + 1 < copy->text.size(); i += 2) text += copy->text[i];
        texts.push_back(text);
    }
    std::sort(texts.begin(), texts.end());
    return texts;
}

bool WaitForCopies(const std::string& programFolder, const Texts& expected) {
    return WaitFor([&] { return CopyTexts(programFolder) == expected; }, kCopyTimeoutMs);
}

void Post(const QuilletProcess& program, const std::string& text) {
    for (const char c : text) ::PostMessageA(program.Editor(), WM_CHAR, static_cast<unsigned char>(c), 1);
}

void EndWithoutSaving(QuilletProcess& program) {
    program.Exit();
    AnswerDialog(program, "Save modified file?", IDNO);
    ExpectEndsWithCode0(program);
}

TEST(RecoveryTest, AKilledQuilletsTextComesBackExactlyWithItsTitleAndUnsaved) {
    test::TempFolder folder;
    const std::string path = folder.File("letter.txt");
    test::WriteFileBytes(path, "Dear\r\n");
    auto first = std::make_unique<QuilletProcess>(folder.Path());
    ASSERT_TRUE(first->Copied());
    ASSERT_TRUE(first->Start("\"" + path + "\""));
    ASSERT_TRUE(BringToFront(first->Window()));
    ASSERT_TRUE(PressKeys({VK_CONTROL, VK_END}) && PressKeys({VK_RETURN}) && PressKeys({VK_SHIFT, 'Q'}));
    for (const WORD key : {'U', 'I', 'L', 'L', 'E', 'T'}) ASSERT_TRUE(PressKeys({key}));
    ASSERT_TRUE(WaitFor([&] { return first->EditorText() == "Dear\r\nQuillet"; })) << first->EditorText();
    ASSERT_TRUE(WaitForCopies(folder.Path(), {"Dear\r\nQuillet"})) << CopyTexts(folder.Path()).size();
    first.reset();  // TerminateProcess: no end of its own

    QuilletProcess second(QuilletProcess::InPlace{}, folder.File("quillet.exe"));
    ASSERT_TRUE(second.Start("\"" + path + "\""));
    HWND offer = second.WaitForDialog("Quillet", 10000);
    ASSERT_NE(nullptr, offer);
    const std::string question = RemoteWindowText(::GetDlgItem(offer, 0xFFFF));
    EXPECT_EQ(0u, question.find("Quillet found text that was not saved when it last ended:\r\n\r\n" + path + ", saved "))
        << question;
    EXPECT_NE(std::string::npos, question.find(", 12 characters\r\n\r\nYes: open it now.")) << question;
    RECT box{};
    ::GetWindowRect(offer, &box);
    EXPECT_TRUE(WriteBmp(CaptureScreen(box), ArtifactsFolder() + "quillet-recovery-offer.bmp"));
    test::PressButton(offer, IDYES);

    EXPECT_TRUE(WaitFor([&] { return second.EditorText() == "Dear\r\nQuillet"; })) << second.EditorText();
    EXPECT_EQ("Quillet - " + path, second.Title());
    EXPECT_NE(0, ::SendMessageA(second.Editor(), EM_GETMODIFY, 0, 0));
    EXPECT_EQ("Dear\r\n", test::ReadFileBytes(path));
    EXPECT_EQ(Texts{"Dear\r\nQuillet"}, CopyTexts(folder.Path()));  // now the second one's
    EndWithoutSaving(second);
    EXPECT_EQ(Texts{}, CopyTexts(folder.Path()));
}

TEST(RecoveryTest, AFullDiskLosesNothingAndShowsNothing) {
    test::SmallDiskFolder disk;
    if (!disk.Available()) GTEST_SKIP() << "QUILLET_SMALL_DISK is not set: no real full disk here";
    QuilletProcess program(disk.Path());  // the copy lives beside the program
    ASSERT_TRUE(program.Copied());
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.Type("kept"));
    ASSERT_TRUE(WaitForCopies(disk.Path(), {"kept"}));

    ASSERT_TRUE(disk.Fill());
    ASSERT_TRUE(program.Type(" meanwhile"));
    ::Sleep(RecoverySchedule::kQuietMs + 1000);  // the copy is due, and fails
    EXPECT_EQ(nullptr, program.FindDialog("Quillet"));
    EXPECT_EQ(Texts{"kept"}, CopyTexts(disk.Path()));
    EXPECT_EQ("kept meanwhile", program.EditorText());

    disk.Free();
    ASSERT_TRUE(program.Type("!"));
    EXPECT_TRUE(WaitForCopies(disk.Path(), {"kept meanwhile!"}));
    EndWithoutSaving(program);
    EXPECT_EQ(Texts{}, CopyTexts(disk.Path()));
}

TEST(RecoveryTest, TwoQuilletsKeepACopyEachAndNeitherOffersTheOthers) {
    test::TempFolder folder;
    QuilletProcess first(folder.Path());
    ASSERT_TRUE(first.Copied());
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(first.Type("alpha"));
    ASSERT_TRUE(WaitForCopies(folder.Path(), {"alpha"}));

    const std::string path = folder.File("b.txt");
    test::WriteFileBytes(path, "b\r\n");
    QuilletProcess second(QuilletProcess::InPlace{}, folder.File("quillet.exe"));
    ASSERT_TRUE(second.Start("\"" + path + "\""));
    // The file loads only after the offer: once it shows, nothing was offered.
    ASSERT_TRUE(WaitFor([&] { return second.Title() == "Quillet - " + path; })) << second.Title();
    EXPECT_EQ(nullptr, second.FindDialog("Quillet"));
    Post(second, "beta");
    ASSERT_TRUE(WaitForCopies(folder.Path(), {"alpha", "betab"}));

    EndWithoutSaving(first);
    EXPECT_EQ(Texts{"betab"}, CopyTexts(folder.Path()));
    EndWithoutSaving(second);
    EXPECT_EQ(Texts{}, CopyTexts(folder.Path()));
}

}  // namespace
}  // namespace quillet::e2e
