#include "program/settings_rules.h"

namespace quillet {

const std::array<SettingRow, 17> kDefaultSettings{{
    {section::kDisplay, key::kWordWrap, "false"},
    {section::kDisplay, key::kOnTop, "false"},
    {section::kDisplay, key::kTransparent, "false"},
    {section::kDisplay, key::kXPos, "100"},
    {section::kDisplay, key::kYPos, "100"},
    {section::kDisplay, key::kWidth, "600"},
    {section::kDisplay, key::kHeight, "450"},
    {section::kPrimaryFont, key::kFace, "Arial"},
    {section::kPrimaryFont, key::kSize, "10"},
    {section::kPrimaryFont, key::kColor, "0"},
    {section::kPrimaryFont, key::kBold, "false"},
    {section::kPrimaryFont, key::kItalic, "false"},
    {section::kPrimaryFont, key::kUnderline, "false"},
    {section::kLastAccessed, key::kOpen, ""},
    {section::kLastAccessed, key::kSave, ""},
    {section::kLastAccessed, key::kInsert, ""},
    {section::kLastAccessed, key::kAppendTo, ""},
}};

namespace {

constexpr uint32_t kSignBit = 0x80000000u;

// Two's-complement reinterpretation without relying on implementation-defined
// narrowing of out-of-range unsigned values.
int32_t FromTwosComplement(uint32_t bits) {
    if (bits < kSignBit) {
        return static_cast<int32_t>(bits);
    }
    return static_cast<int32_t>(bits - kSignBit) + INT32_MIN;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int32_t ParseInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    // Unsigned arithmetic wraps modulo 2^32, which is exactly the 32-bit
    // wrap a stored value too large for an int gets.
    uint32_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = magnitude * 10u + static_cast<uint32_t>(text[i] - '0');
    }
    return FromTwosComplement(negative ? 0u - magnitude : magnitude);
}

std::string FormatInteger(int32_t value) {
    // Work on the magnitude as unsigned so that INT32_MIN needs no special case.
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char digits[16];
    std::size_t n = 0;
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10u);
        magnitude /= 10u;
    } while (magnitude != 0);
    std::string out;
    out.reserve(n + 1);
    if (value < 0) {
        out.push_back('-');
    }
    while (n > 0) {
        out.push_back(digits[--n]);
    }
    return out;
}

bool IsOn(std::string_view value) { return value == "true"; }

const char* BoolText(bool on) { return on ? "true" : "false"; }

std::string FolderPart(std::string_view path) {
    if (!path.empty() && path.front() == '"') {
        path.remove_prefix(1);
    }
    path = path.substr(0, path.find('|'));
    const std::size_t lastSeparator = path.find_last_of("\\/");
    if (lastSeparator == std::string_view::npos) {
        return std::string();
    }
    return std::string(path.substr(0, lastSeparator + 1));
}

std::string SettingsPathFor(std::string_view exePath) {
    return FolderPart(exePath) + kSettingsFileName;
}

}  // namespace quillet
