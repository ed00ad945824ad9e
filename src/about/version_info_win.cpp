#include "about/version_info_win.h"

#include <windows.h>

#include <cstring>
#include <new>
#include <optional>
#include <vector>

#include "about/version_text.h"
#include "platform/file_attributes_win.h"
#include "platform/function_by_name_win.h"
#include "platform/win_handles.h"

namespace quillet {
namespace {

using GetSizeFn = DWORD(WINAPI*)(LPCSTR path, LPDWORD scratch);
using GetInfoFn = BOOL(WINAPI*)(LPCSTR path, DWORD ignored, DWORD size, LPVOID block);
using QueryValueFn = BOOL(WINAPI*)(LPCVOID block, LPCSTR subBlock, LPVOID* value, PUINT length);
using LanguageNameFn = DWORD(WINAPI*)(DWORD language, LPSTR name, DWORD size);

constexpr DWORD kLanguageNameSize = 128;

// The version functions are found by name in a library loaded for one
// reading; one that is missing is nullptr and counts as a call that failed.
struct VersionFunctions {
    explicit VersionFunctions(HMODULE library)
        : getSize(FunctionByName<GetSizeFn>(library, "GetFileVersionInfoSizeA")),
          getInfo(FunctionByName<GetInfoFn>(library, "GetFileVersionInfoA")),
          queryValue(FunctionByName<QueryValueFn>(library, "VerQueryValueA")),
          languageName(FunctionByName<LanguageNameFn>(library, "VerLanguageNameA")) {}
    GetSizeFn getSize;
    GetInfoFn getInfo;
    QueryValueFn queryValue;
    LanguageNameFn languageName;
};

// One read version block and the lookups in it. A value is read up to its
// first zero byte, but never past the end of the block, whatever the
// resource holds.
class VersionBlock {
public:
    VersionBlock(const VersionFunctions& functions, const std::vector<char>& block)
        : functions_(functions), block_(block) {}

    // The bytes of a sub-block, from its start to the end of the block.
    bool Find(const std::string& subBlock, const char*& value, std::size_t& available) const {
        LPVOID found = nullptr;
        UINT length = 0;
        if (!functions_.queryValue) return false;
        if (!functions_.queryValue(block_.data(), subBlock.c_str(), &found, &length)) return false;
        const char* begin = block_.data();
        const char* end = begin + block_.size();
        value = static_cast<const char*>(found);
        if (value < begin || value >= end) return false;
        available = static_cast<std::size_t>(end - value);
        return true;
    }

    std::optional<std::string> Text(const std::string& subBlock) const {
        const char* value = nullptr;
        std::size_t available = 0;
        if (!Find(subBlock, value, available)) return std::nullopt;
        return std::string(value, strnlen(value, available));
    }

private:
    const VersionFunctions& functions_;
    const std::vector<char>& block_;
};

std::string LanguageName(const VersionFunctions& functions, WORD language) {
    if (!functions.languageName) return {};
    char name[kLanguageNameSize] = {};
    functions.languageName(language, name, kLanguageNameSize);
    return std::string(name, strnlen(name, kLanguageNameSize - 1));
}

}  // namespace

std::string VersionInfoText(const std::string& path, unsigned mask, bool withNames) {
    if (!IsNonEmptyFile(path)) return {};
    const UniqueLibrary library(::LoadLibraryA("Version.dll"));
    if (!library) return {};
    const VersionFunctions functions(library.Get());

    DWORD scratch = 0;
    const DWORD size = functions.getSize ? functions.getSize(path.c_str(), &scratch) : 0;
    if (size == 0 || size >= kMaxVersionBlockSize) return {};
    std::vector<char> bytes;
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        return {};
    }
    if (!functions.getInfo || !functions.getInfo(path.c_str(), 0, size, bytes.data())) return {};
    const VersionBlock block(functions, bytes);

    std::string tableKey;
    std::string languageName;
    const char* translation = nullptr;
    std::size_t available = 0;
    if (block.Find(kTranslationPath, translation, available) && available >= 2 * sizeof(WORD)) {
        WORD pair[2] = {};
        memcpy(pair, translation, sizeof pair);
        tableKey = StringTableKey(pair[0], pair[1]);
        languageName = LanguageName(functions, pair[0]);
    }
    return AssembleVersionText(mask, withNames, tableKey,
                               [&block](const std::string& subBlock) { return block.Text(subBlock); },
                               languageName);
}

}  // namespace quillet
