// The settings file through the real profile calls, in a fresh folder.
#include <gtest/gtest.h>

#include <string>

#include "program/settings_rules.h"
#include "program/settings_win.h"
#include "support/win_test_support.h"
#include "ui/window_geometry_win.h"

namespace quillet {
namespace {

using test::FileExists;
using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

// What a first start leaves behind, byte for byte, as the profile calls
// write it: CR LF after every line, no blank line between sections.
constexpr char kDefaultFileText[] =
    "[Display]\r\n"
    "WordWrap=false\r\n"
    "OnTop=false\r\n"
    "Transparent=false\r\n"
    "XPos=100\r\n"
    "YPos=100\r\n"
    "Width=600\r\n"
    "Height=450\r\n"
    "[PrimaryFont]\r\n"
    "Face=Arial\r\n"
    "Size=10\r\n"
    "Color=0\r\n"
    "Bold=false\r\n"
    "Italic=false\r\n"
    "Underline=false\r\n"
    "[LastAccessed]\r\n"
    "Open=\r\n"
    "Save=\r\n"
    "Insert=\r\n"
    "AppendTo=\r\n";

class SettingsFileTest : public ::testing::Test {
protected:
    TempFolder folder_;
    const std::string settings_ = folder_.File(kSettingsFileName);
};

TEST_F(SettingsFileTest, FirstStartWritesTheSeventeenDefaultRowsInOrder) {
    ASSERT_FALSE(FileExists(settings_));
    CreateDefaultSettings(settings_);
    EXPECT_EQ(ReadFileBytes(settings_), kDefaultFileText);
    EXPECT_EQ(ReadSetting(settings_, section::kLastAccessed, key::kAppendTo), "");
    EXPECT_EQ(ReadSetting(settings_, section::kPrimaryFont, key::kFace), "Arial");

    // A second pass over an existing file changes nothing.
    CreateDefaultSettings(settings_);
    EXPECT_EQ(ReadFileBytes(settings_), kDefaultFileText);
}

TEST_F(SettingsFileTest, AnExistingFileIsNeverCompleted) {
    const std::string onlyWordWrap = "[Display]\r\nWordWrap=true\r\n";
    WriteFileBytes(settings_, onlyWordWrap);
    CreateDefaultSettings(settings_);
    EXPECT_EQ(ReadFileBytes(settings_), onlyWordWrap);
    EXPECT_EQ(ReadSetting(settings_, section::kDisplay, key::kWordWrap), "true");
    EXPECT_EQ(ReadSetting(settings_, section::kDisplay, key::kXPos), "");
    EXPECT_EQ(ReadSetting(settings_, section::kPrimaryFont, key::kFace), "");

    const Geometry geometry = ReadStoredGeometry(settings_);
    EXPECT_EQ(geometry.x, 0);
    EXPECT_EQ(geometry.y, 0);
    EXPECT_EQ(geometry.width, 0);
    EXPECT_EQ(geometry.height, 0);
}

TEST_F(SettingsFileTest, AnEmptyExistingFileStaysEmpty) {
    WriteFileBytes(settings_, "");
    CreateDefaultSettings(settings_);
    EXPECT_EQ(ReadFileBytes(settings_), "");
}

TEST_F(SettingsFileTest, AFolderWithTheFilesNameIsLeftAlone) {
    ASSERT_TRUE(::CreateDirectoryA(settings_.c_str(), nullptr));
    CreateDefaultSettings(settings_);
    const DWORD attributes = ::GetFileAttributesA(settings_.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(test::FileNames(settings_).size(), 0u);
    EXPECT_EQ(ReadSetting(settings_, section::kDisplay, key::kWordWrap), "");
}

TEST_F(SettingsFileTest, MissingFileSectionOrKeyReadsEmpty) {
    EXPECT_EQ(ReadSetting(settings_, section::kDisplay, key::kWordWrap), "");
    EXPECT_FALSE(FileExists(settings_));  // reading creates nothing

    CreateDefaultSettings(settings_);
    EXPECT_EQ(ReadSetting(settings_, section::kDisplay, key::kFontId), "");
    EXPECT_EQ(ReadSetting(settings_, "NoSuchSection", key::kWordWrap), "");
    EXPECT_EQ(ReadSetting(settings_, section::kLastAccessed, key::kOpen), "");
}

TEST_F(SettingsFileTest, WriteReplacesAValueInPlaceAndAddsNewKeysAtTheSectionEnd) {
    CreateDefaultSettings(settings_);
    EXPECT_TRUE(WriteSetting(settings_, section::kDisplay, key::kXPos, "-37"));
    EXPECT_TRUE(WriteSetting(settings_, section::kPrimaryFont, key::kFontId, "1"));

    std::string expected = kDefaultFileText;
    expected.replace(expected.find("XPos=100"), 8, "XPos=-37");
    expected.insert(expected.find("[LastAccessed]"), "FontID=1\r\n");
    EXPECT_EQ(ReadFileBytes(settings_), expected);
    EXPECT_EQ(ReadSetting(settings_, section::kDisplay, key::kXPos), "-37");
}

TEST_F(SettingsFileTest, WriteCreatesTheFileAndSection) {
    EXPECT_TRUE(WriteSetting(settings_, section::kLastAccessed, key::kSave, "C:\\docs\\"));
    EXPECT_EQ(ReadFileBytes(settings_), "[LastAccessed]\r\nSave=C:\\docs\\\r\n");
    EXPECT_EQ(ReadSetting(settings_, section::kLastAccessed, key::kSave), "C:\\docs\\");
}

TEST_F(SettingsFileTest, WriteIntoAMissingFolderFailsAndReadsStayEmpty) {
    const std::string nowhere = folder_.File("missing\\") + kSettingsFileName;
    EXPECT_FALSE(WriteSetting(nowhere, section::kDisplay, key::kWordWrap, "true"));
    EXPECT_EQ(ReadSetting(nowhere, section::kDisplay, key::kWordWrap), "");
}

TEST_F(SettingsFileTest, LongValuesReadBackCutTo511Characters) {
    std::string value;
    for (int i = 0; i < 600; ++i) value += static_cast<char>('a' + i % 26);
    ASSERT_TRUE(WriteSetting(settings_, section::kLastAccessed, key::kOpen, value));
    EXPECT_NE(ReadFileBytes(settings_).find(value), std::string::npos);  // stored whole

    const std::string read = ReadSetting(settings_, section::kLastAccessed, key::kOpen);
    EXPECT_EQ(read.size(), 511u);
    EXPECT_EQ(read, value.substr(0, 511));

    const std::string exactly511 = value.substr(0, 511);
    ASSERT_TRUE(WriteSetting(settings_, section::kLastAccessed, key::kSave, exactly511));
    EXPECT_EQ(ReadSetting(settings_, section::kLastAccessed, key::kSave), exactly511);
}

TEST_F(SettingsFileTest, StoredGeometryReadsByTheIntegerRule) {
    WriteFileBytes(settings_,
                   "[Display]\r\n"
                   "XPos=  -20\r\n"
                   "YPos=\t+35\r\n"
                   "Width=letters\r\n"
                   "Height=450px\r\n");
    Geometry geometry = ReadStoredGeometry(settings_);
    EXPECT_EQ(geometry.x, -20);
    EXPECT_EQ(geometry.y, 35);
    EXPECT_EQ(geometry.width, 0);
    EXPECT_EQ(geometry.height, 450);

    WriteFileBytes(settings_,
                   "[Display]\r\n"
                   "XPos=4294967396\r\n"  // 2^32 + 100 wraps to 100
                   "YPos=-\r\n"
                   "Width=0600\r\n"
                   "Height=12 34\r\n");
    geometry = ReadStoredGeometry(settings_);
    EXPECT_EQ(geometry.x, 100);
    EXPECT_EQ(geometry.y, 0);
    EXPECT_EQ(geometry.width, 600);
    EXPECT_EQ(geometry.height, 12);
}

TEST_F(SettingsFileTest, StoredGeometryRoundTripsThroughTheFile) {
    CreateDefaultSettings(settings_);
    StoreGeometry(settings_, {-8, 2147483647, 0, -2147483647 - 1});
    EXPECT_EQ(ReadSetting(settings_, section::kDisplay, key::kYPos), "2147483647");
    EXPECT_EQ(ReadSetting(settings_, section::kDisplay, key::kHeight), "-2147483648");
    const Geometry geometry = ReadStoredGeometry(settings_);
    EXPECT_EQ(geometry.x, -8);
    EXPECT_EQ(geometry.y, 2147483647);
    EXPECT_EQ(geometry.width, 0);
    EXPECT_EQ(geometry.height, -2147483647 - 1);
}

TEST(SettingsFileLocation, IsBesideTheRunningExecutable) {
    char exe[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameA(nullptr, exe, MAX_PATH), 0u);
    std::string expected = exe;
    expected = expected.substr(0, expected.find_last_of("\\/") + 1) + kSettingsFileName;
    EXPECT_EQ(LocateSettingsFile(), expected);
}

}  // namespace
}  // namespace quillet
