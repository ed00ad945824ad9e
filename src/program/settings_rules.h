// The settings file's schema and value rules. Portable: the profile-file calls
// that read and write the values live in settings_win.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

inline constexpr char kSettingsFileName[] = "Quillet_Settings.ini";

namespace section {
inline constexpr char kDisplay[] = "Display";
inline constexpr char kPrimaryFont[] = "PrimaryFont";
inline constexpr char kLastAccessed[] = "LastAccessed";
}  // namespace section

namespace key {
inline constexpr char kWordWrap[] = "WordWrap";
inline constexpr char kOnTop[] = "OnTop";
inline constexpr char kTransparent[] = "Transparent";
inline constexpr char kXPos[] = "XPos";
inline constexpr char kYPos[] = "YPos";
inline constexpr char kWidth[] = "Width";
inline constexpr char kHeight[] = "Height";
inline constexpr char kFace[] = "Face";
inline constexpr char kSize[] = "Size";
inline constexpr char kColor[] = "Color";
inline constexpr char kBold[] = "Bold";
inline constexpr char kItalic[] = "Italic";
inline constexpr char kUnderline[] = "Underline";
inline constexpr char kFontId[] = "FontID";
inline constexpr char kFontColor[] = "FontColor";
inline constexpr char kOpen[] = "Open";
inline constexpr char kSave[] = "Save";
inline constexpr char kInsert[] = "Insert";
inline constexpr char kAppendTo[] = "AppendTo";
}  // namespace key

struct SettingRow {
    const char* section;
    const char* key;
    const char* defaultValue;
};

// The rows a first start writes, in the order it writes them.
extern const std::array<SettingRow, 17> kDefaultSettings;

// Longest value a read returns; longer stored values are cut to this.
inline constexpr std::size_t kMaxSettingLength = 511;

// Skips leading blanks and tabs, takes an optional sign and the decimal digits
// that follow; no digits gives 0. Wraps as a 32-bit signed integer.
int32_t ParseInteger(std::string_view text);

// Plain decimal, "-" for negatives, "0" for zero.
std::string FormatInteger(int32_t value);

// A boolean setting is on exactly when its text is "true".
bool IsOn(std::string_view value);
const char* BoolText(bool on);

// The folder part of a path: after one leading double quote, before the first
// "|", up to and including the last "\" or "/"; "" when there is neither.
std::string FolderPart(std::string_view path);

// The settings file beside the executable at exePath.
std::string SettingsPathFor(std::string_view exePath);

}  // namespace quillet
