// Under a double-byte ANSI code page (932, Japanese), where one character may
// take two bytes: every place that turns text into positions counts
// characters. The texts below are Shift-JIS bytes. The test command runs this
// program a second time with Wine started in a Japanese locale; under any
// other code page it says so and skips, unless QUILLET_REQUIRE_CODE_PAGE
// asks for 932.
#include <cstdlib>
#include <string>

#include "app/status_bar_win.h"
#include "document/insert_file_win.h"
#include "document/open_document_win.h"
#include "document/save_document_win.h"
#include "find_replace_fixture.h"
#include "support/main_window_probe.h"

namespace quillet {
namespace {

// Shift-JIS: 日本語の行, 二行目, 日本, にほん, and 表 and ソ, whose second
// byte is a backslash.
constexpr char kNihongoNoGyou[] = "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x8D\x73";
constexpr char kNigyoume[] = "\x93\xF1\x8D\x73\x96\xDA";
constexpr char kNihon[] = "\x93\xFA\x96\x7B";
constexpr char kNihonInKana[] = "\x82\xC9\x82\xD9\x82\xF1";
constexpr char kHyouSo[] = "\x95\x5C\x83\x5C";

class DoubleByteTest : public FindReplaceTest {
protected:
    void SetUp() override {
        if (::GetACP() != 932) {
            const char* required = std::getenv("QUILLET_REQUIRE_CODE_PAGE");
            ASSERT_EQ(nullptr, required) << "code page " << ::GetACP() << ", not " << required;
            GTEST_SKIP() << "the ANSI code page is " << ::GetACP() << "; these cases need 932";
        }
        FindReplaceTest::SetUp();
    }
    std::string Loaded(const std::string& bytes) {
        const std::string path = folder_.File("japanese.txt");
        test::WriteFileBytes(path, bytes);
        EXPECT_TRUE(LoadDocument(Context(), path));
        return path;
    }
};

TEST_F(DoubleByteTest, InsertGoesAboveTheCaretLineBelowJapaneseText) {
    const std::string text = std::string(kNihongoNoGyou) + "\r\n" + kNigyoume + "\r\nthird\r\n";
    Loaded(text);
    SetSelection(Editor(), 12, 12);  // in "third": after 5 + 1 + 3 + 1 characters and 2 more
    const std::string inserted = folder_.File("inserted.txt");
    test::WriteFileBytes(inserted, "ins\r\n");
    ASSERT_TRUE(InsertFile(Context(), inserted));
    EXPECT_EQ(std::string(kNihongoNoGyou) + "\r\n" + kNigyoume + "\r\nins\r\nthird", EditorText());
    EXPECT_EQ(14, GetSelection(Editor()).start);  // the start of "third", below the block
}

TEST_F(DoubleByteTest, TheStatusBarCountsCharacters) {
    Loaded(std::string(kNihongoNoGyou) + "\r\n" + kNigyoume + "x\r\n");
    SetSelection(Editor(), 8, 8);  // after two characters of the second line
    RefreshStatusBar(TheMainWindow());
    EXPECT_EQ("Char 3 Line 2 of 2 lines", test::StatusBarText(TheMainWindow().statusBar));
}

TEST_F(DoubleByteTest, FindNextAndReplaceAllTakeAJapaneseWordWhole) {
    SetDocument(std::string(kNihongoNoGyou) + " " + kNihongoNoGyou, 0, 0);
    std::vector<std::string> asked;
    RunFindReplace([&](FindReplaceDriver& d) {
        d.SetText(id::kFindField, kNihon);
        d.SetText(id::kReplaceField, kNihonInKana);
        d.Press(id::kFindNext);
        const Selection found = GetSelection(Editor());
        EXPECT_EQ(0, found.start);
        EXPECT_EQ(2, found.end);
        asked = d.Press(id::kReplaceAll, {IDNO});
    });
    EXPECT_EQ(1u, asked.size());
    const std::string once = std::string(kNihonInKana) + (kNihongoNoGyou + 4);
    EXPECT_EQ(once + " " + once, EditorText());
}

TEST_F(DoubleByteTest, AShiftJisFileRoundTripsByteForByte) {
    const std::string bytes = std::string(kNihongoNoGyou) + "\r\n" + kHyouSo + " C:\\" + kHyouSo + "\\\r\n" +
                              "\xB6\xC0\xB6\xC5 half-width\r\n\x81\x40" + kNigyoume + "\r\n";
    const std::string path = Loaded(bytes);
    EXPECT_EQ(bytes.substr(0, bytes.size() - 2), EditorText());
    SetModified(Editor(), true);
    ASSERT_TRUE(SaveDocument(Context()));
    EXPECT_EQ(bytes, test::ReadFileBytes(path));
}

}  // namespace
}  // namespace quillet
