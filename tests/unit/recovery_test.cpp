#include <gtest/gtest.h>

#include "document/recovery_copy.h"
#include "document/recovery_rules.h"

namespace quillet {
namespace {

// UTF-16LE bytes of text given as UTF-16 units.
std::string Bytes(std::u16string_view text) {
    std::string out;
    for (const char16_t unit : text) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    }
    return out;
}

RecoveryCopy Copy(bool untitled, std::u16string path, std::uint64_t time, LineMark mark, std::u16string_view text) {
    return {untitled, std::move(path), time, mark, Bytes(text)};
}

bool Same(const RecoveryCopy& a, const RecoveryCopy& b) {
    return a.untitled == b.untitled && a.path == b.path && a.time == b.time && a.mark == b.mark && a.text == b.text;
}

TEST(RecoveryCopyFile, IsUtf16TextThatAnyEditorShows) {
    const RecoveryCopy copy = Copy(false, u"C:\\d\\a.txt", 134092476000000000u, LineMark::Pending, u"one\r\ntwo");
    EXPECT_EQ(EncodeRecoveryCopy(copy), Bytes(u"\xFEFFQuillet recovery copy 1\r\nPath 10: C:\\d\\a.txt\r\n"
                                              u"Time 134092476000000000\r\nMark pending\r\n"
                                              u"Text 8 31553e7a\r\n\r\none\r\ntwo"));
    EXPECT_EQ(EncodeRecoveryCopy(Copy(true, u"", 7, LineMark::None, u"")),
              Bytes(u"\xFEFFQuillet recovery copy 1\r\nUntitled\r\nTime 7\r\nMark none\r\nText 0 811c9dc5\r\n\r\n"));
}

TEST(RecoveryCopyFile, ReadsBackExactlyWhateverItHolds) {
    const RecoveryCopy copies[] = {
        Copy(true, u"", 0, LineMark::None, u""),
        Copy(false, u"C:\\Quillet - x\\\r\nPath 3: \x4E2D.txt", UINT64_MAX, LineMark::Done, u"\r\r\n\n"),
        Copy(false, u"", 1, LineMark::Pending, u"Untitled\r\n"),
        Copy(false, u"a", 2, LineMark::None, u"\x0001\x00FF\x0100\xFEFF\xFFFF\xD83D\xDE00 \xD800"),
    };
    for (const RecoveryCopy& copy : copies) {
        const std::optional<RecoveryCopy> back = DecodeRecoveryCopy(EncodeRecoveryCopy(copy));
        ASSERT_TRUE(back.has_value());
        EXPECT_TRUE(Same(*back, copy));
    }
    RecoveryCopy odd = Copy(true, u"", 5, LineMark::None, u"ab");
    odd.text += 'x';  // never streamed, but not fatal either
    EXPECT_EQ(DecodeRecoveryCopy(EncodeRecoveryCopy(odd))->text, Bytes(u"ab"));
}

TEST(RecoveryCopyFile, AnythingButOneWholeCopyDoesNotRead) {
    const std::string good = EncodeRecoveryCopy(Copy(false, u"C:\\a.txt", 99, LineMark::Done, u"text\r\nmore"));
    const auto replaced = [&](std::u16string_view from, std::u16string_view to) {
        std::string bytes = good;
        return bytes.replace(bytes.find(Bytes(from)), Bytes(from).size(), Bytes(to));
    };
    const std::string damaged[] = {
        "",
        "\xFF",
        good.substr(2),                                     // no byte-order mark
        good.substr(0, good.size() - 1),                    // cut inside the last unit
        good.substr(0, good.size() - 2),                    // cut by one unit
        good.substr(0, 60),                                 // cut inside the header
        good + Bytes(u"x"),                                 // something after the text
        replaced(u"more", u"mord"),                         // the checksum fails
        replaced(u"copy 1", u"copy 2"),                     // another format
        replaced(u"Mark done", u"Mark gone"),
        replaced(u"Path 8", u"Path 80"),                    // longer than the file
        replaced(u"Path 8", u"Path "),
        replaced(u"Time 99", u"Time 99999999999999999999999"),  // beyond 64 bits
        replaced(u"Time 99", u"Time x"),
        replaced(u"Text 10", u"Text 11"),
        replaced(u"\r\n\r\ntext", u"\r\ntext"),
    };
    for (const std::string& bytes : damaged) EXPECT_FALSE(DecodeRecoveryCopy(bytes).has_value()) << bytes.size();
    EXPECT_TRUE(DecodeRecoveryCopy(good).has_value());
}

TEST(RecoveryCopyFile, CountsCharactersAsTheEditorShowsThem) {
    const struct {
        std::u16string_view text;
        std::uint64_t characters;
    } cases[] = {{u"", 0}, {u"abc", 3}, {u"a\r\nb", 3}, {u"\r\r\n\n", 3}, {u"\xD83D\xDE00!", 2}, {u"\xDE00\xD83D", 2}};
    for (const auto& c : cases) EXPECT_EQ(CountCharacters(Bytes(c.text)), c.characters);
}

TEST(RecoveryNames, OneFileAndOneMutexPerId) {
    EXPECT_EQ(RecoveryFolderFor("C:\\Tools\\Quillet_Settings.ini"), "C:\\Tools\\Quillet_Recovery");
    EXPECT_EQ(RecoveryIdFrom(0x0123456789ABCDEFull), "0123456789abcdef");
    EXPECT_EQ(RecoveryIdFrom(0), "0000000000000000");
    EXPECT_EQ(RecoveryFileName("0123456789abcdef"), "copy-0123456789abcdef.txt");
    EXPECT_EQ(RecoveryMutexName("0123456789abcdef"), "Global\\Quillet_Recovery_0123456789abcdef");
    const struct {
        const char* name;
        const char* id;  // nullptr: not a copy
    } cases[] = {
        {"copy-0123456789abcdef.txt", "0123456789abcdef"},
        {"COPY-0123456789ABCDEF.TXT", "0123456789abcdef"},
        {"copy-0123456789abcdeg.txt", nullptr},
        {"copy-0123456789abcde.txt", nullptr},
        {"copy-0123456789abcdef0.txt", nullptr},
        {"copy-0123456789abcdef.tmp", nullptr},
        {"qlt1A2B.tmp", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> id = RecoveryIdOfFile(c.name);
        EXPECT_EQ(id.has_value(), c.id != nullptr) << c.name;
        if (id && c.id) {
            EXPECT_EQ(*id, c.id);
        }
    }
}

TEST(RecoveryNames, OrphansAreTheCopiesOfQuilletsThatAreGoneNewestFirst) {
    const std::vector<FoundCopy> found = {
        {"a", 10, false}, {"b", 30, true}, {"c", 30, false}, {"own", 50, false}, {"d", 20, false}, {"e", 30, false},
    };
    std::vector<std::string> order;
    for (const FoundCopy& copy : OrphansNewestFirst(found, "own")) order.push_back(copy.id);
    EXPECT_EQ(order, (std::vector<std::string>{"c", "e", "d", "a"}));
}

TEST(RecoverySchedule, TwoSecondsAfterTheLastChangeAndNeverMoreThanThirtyAfterTheFirst) {
    const struct {
        const char* name;
        std::vector<std::uint64_t> changes;
        std::uint64_t due;
    } cases[] = {
        {"one change", {1000}, 3000},
        {"a pause shorter than 2 s", {1000, 2500}, 4500},
        {"typing on", {1000, 1100, 1200, 1300}, 3300},
        {"typing for 40 s at 10 keys a second", {}, 31000},
    };
    for (const auto& c : cases) {
        RecoverySchedule schedule;
        EXPECT_FALSE(schedule.Waiting());
        std::vector<std::uint64_t> changes = c.changes;
        for (std::uint64_t t = 1000; changes.empty() && t <= 41000; t += 100) schedule.NoteChange(t);
        for (const std::uint64_t t : changes) schedule.NoteChange(t);
        EXPECT_TRUE(schedule.Waiting()) << c.name;
        EXPECT_EQ(schedule.DueAt(), c.due) << c.name;
        EXPECT_EQ(schedule.DelayFrom(c.due - 250), 250u) << c.name;
        EXPECT_EQ(schedule.DelayFrom(c.due + 250), 0u) << c.name;
    }
    // Once the text is taken, the next change starts the clock again.
    RecoverySchedule schedule;
    for (std::uint64_t t = 0; t <= 30000; t += 100) schedule.NoteChange(t);
    schedule.NoteTaken();
    EXPECT_FALSE(schedule.Waiting());
    schedule.NoteChange(30100);
    EXPECT_EQ(schedule.DueAt(), 32100u);
    schedule.Clear();
    EXPECT_FALSE(schedule.Waiting());
}

TEST(RecoveryTexts, SayWhatWasFoundAndWhatEachAnswerDoes) {
    EXPECT_EQ(FormatLocalTime({2026, 3, 4, 5, 6}), "2026-03-04 05:06");
    EXPECT_EQ(FormatLocalTime({2026, 12, 31, 23, 59}), "2026-12-31 23:59");
    EXPECT_EQ(RecoveryOfferText("C:\\d\\a.txt", {2026, 12, 8, 9, 5}, 1234),
              "Quillet found text that was not saved when it last ended:\r\n\r\n"
              "C:\\d\\a.txt, saved 2026-12-08 09:05, 1234 characters\r\n\r\n"
              "Yes: open it now.\r\nNo: delete it.\r\nCancel: keep it for the next start.");
    EXPECT_EQ(RecoveryUnreadableText("C:\\q\\Quillet_Recovery\\copy-0123456789abcdef.txt"),
              "Quillet found text that was not saved when it last ended, but cannot read it:\r\n\r\n"
              "C:\\q\\Quillet_Recovery\\copy-0123456789abcdef.txt\r\n\r\nIt is kept.");
}

}  // namespace
}  // namespace quillet
