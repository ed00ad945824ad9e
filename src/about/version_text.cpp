#include "about/version_text.h"

#include <array>

namespace quillet {
namespace {

struct VersionEntry {
    unsigned bit;
    const char* key;
};

constexpr std::array<VersionEntry, 12> kStringEntries{{
    {version_entry::kFileVersion, "FileVersion"},
    {version_entry::kFileDescription, "FileDescription"},
    {version_entry::kLegalCopyright, "LegalCopyright"},
    {version_entry::kInternalName, "InternalName"},
    {version_entry::kOriginalFilename, "OriginalFilename"},
    {version_entry::kProductName, "ProductName"},
    {version_entry::kProductVersion, "ProductVersion"},
    {version_entry::kCompanyName, "CompanyName"},
    {version_entry::kLegalTrademarks, "LegalTrademarks"},
    {version_entry::kSpecialBuild, "SpecialBuild"},
    {version_entry::kPrivateBuild, "PrivateBuild"},
    {version_entry::kComments, "Comments"},
}};

constexpr char kLanguageKey[] = "Language";

void AppendHex4(std::string& out, std::uint16_t value) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xF];
}

void AppendEntry(std::string& out, bool withNames, const char* key, const std::string& value) {
    if (!out.empty()) out += '\n';
    if (withNames) {
        out += key;
        out += ":\t";
    }
    out += value;
}

}  // namespace

std::string StringTableKey(std::uint16_t language, std::uint16_t codePage) {
    std::string key;
    AppendHex4(key, language);
    AppendHex4(key, codePage);
    return key;
}

std::string StringEntryPath(const std::string& tableKey, const std::string& entryKey) {
    return "\\\\StringFileInfo\\\\" + tableKey + "\\\\" + entryKey;
}

std::string AssembleVersionText(unsigned mask, bool withNames, const std::string& tableKey,
                                const VersionLookup& lookup, const std::string& languageName) {
    std::string text;
    if (!tableKey.empty()) {
        for (const VersionEntry& entry : kStringEntries) {
            if ((mask & entry.bit) == 0) continue;
            if (const std::optional<std::string> value = lookup(StringEntryPath(tableKey, entry.key))) {
                AppendEntry(text, withNames, entry.key, *value);
            }
        }
    }
    if (mask & version_entry::kLanguage) AppendEntry(text, withNames, kLanguageKey, languageName);
    return text;
}

}  // namespace quillet
