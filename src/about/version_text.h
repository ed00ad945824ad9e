// The text made from chosen entries of a program file's version resource:
// which entries can be chosen, their order, the string-table key and the
// sub-block paths that find them. The reading itself is in version_info_win.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace quillet {

// One bit per entry; the output keeps this order. Bits above kLanguage are
// ignored.
namespace version_entry {
inline constexpr unsigned kFileVersion = 0x0001;
inline constexpr unsigned kFileDescription = 0x0002;
inline constexpr unsigned kLegalCopyright = 0x0004;
inline constexpr unsigned kInternalName = 0x0008;
inline constexpr unsigned kOriginalFilename = 0x0010;
inline constexpr unsigned kProductName = 0x0020;
inline constexpr unsigned kProductVersion = 0x0040;
inline constexpr unsigned kCompanyName = 0x0080;
inline constexpr unsigned kLegalTrademarks = 0x0100;
inline constexpr unsigned kSpecialBuild = 0x0200;
inline constexpr unsigned kPrivateBuild = 0x0400;
inline constexpr unsigned kComments = 0x0800;
inline constexpr unsigned kLanguage = 0x1000;  // the first translation's language name
}  // namespace version_entry

// Version blocks of this size or more are not read.
inline constexpr std::uint32_t kMaxVersionBlockSize = 32768;

// The sub-block that holds the translation table. Its separators are
// doubled, as in every sub-block path here; the lookup skips empty path
// components, so they resolve as single ones.
inline constexpr char kTranslationPath[] = "\\\\VarFileInfo\\\\Translation";

// The string-table key of a translation: the language, then the code page,
// each as four uppercase hexadecimal digits (0x0409 and 1200 give 040904B0).
std::string StringTableKey(std::uint16_t language, std::uint16_t codePage);

// The sub-block path of one entry of the string table with that key.
std::string StringEntryPath(const std::string& tableKey, const std::string& entryKey);

// Finds one sub-block path in the version block; nothing when it is not there.
using VersionLookup = std::function<std::optional<std::string>(const std::string& subBlock)>;

// The chosen entries, in table order, one per line joined by single line
// feeds, each as key, ":\t" and value when withNames is set. An entry that
// the lookup does not find is left out; with an empty table key none is
// looked up. The Language entry needs no lookup: when chosen it comes last,
// with languageName as its value.
std::string AssembleVersionText(unsigned mask, bool withNames, const std::string& tableKey,
                                const VersionLookup& lookup, const std::string& languageName);

}  // namespace quillet
