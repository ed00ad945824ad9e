// The path rules: folder part, settings path, extension part, the Save As
// default extension, and the path carried in the window title. The whole
// input is a path. Checked against models of the rules and their properties:
//   - FolderPart: after one leading quote, before the first "|", up to and
//     including the last "\" or "/"; so it is "" or ends in a separator;
//   - SettingsPathFor is the folder part followed by the settings file name;
//   - ExtensionPart: the text after a "." met before any separator looking
//     back from the end, cut at a quote; it never holds ".", "\", "/", '"';
//   - WithDefaultExtension keeps a path with an extension and otherwise
//     appends ".txt"; its result always has an extension, and applying it
//     again changes nothing;
//   - PathFromTitle(TitleForPath(p)) == p, whatever p holds ("Quillet - "
//     included), and a title without the prefix is the path as it is.
#include <cstdint>
#include <string>
#include <string_view>

#include "document/path_rules.h"
#include "fuzz_support.h"
#include "program/settings_rules.h"

namespace {

std::string ModelFolderPart(std::string_view path) {
    if (!path.empty() && path[0] == '"') {
        path.remove_prefix(1);
    }
    const std::size_t pipe = path.find('|');
    if (pipe != std::string_view::npos) {
        path = path.substr(0, pipe);
    }
    for (std::size_t i = path.size(); i > 0; --i) {
        if (path[i - 1] == '\\' || path[i - 1] == '/') {
            return std::string(path.substr(0, i));
        }
    }
    return {};
}

std::string ModelExtensionPart(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        const char c = path[i - 1];
        if (c == '\\' || c == '/') {
            return {};
        }
        if (c == '.') {
            std::string_view after = path.substr(i);
            return std::string(after.substr(0, after.find('"')));
        }
    }
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view path = fuzz::AsText(data, size);

    const std::string folder = quillet::FolderPart(path);
    FUZZ_CHECK(folder == ModelFolderPart(path));
    FUZZ_CHECK(folder.empty() || folder.back() == '\\' || folder.back() == '/');
    FUZZ_CHECK(folder.find('|') == std::string::npos);
    FUZZ_CHECK(quillet::FolderPart(folder) == folder || folder.front() == '"');
    FUZZ_CHECK(quillet::SettingsPathFor(path) == folder + quillet::kSettingsFileName);

    const std::string extension = quillet::ExtensionPart(path);
    FUZZ_CHECK(extension == ModelExtensionPart(path));
    FUZZ_CHECK(extension.find_first_of("./\\\"") == std::string::npos);

    const std::string saveName = quillet::WithDefaultExtension(path);
    FUZZ_CHECK(saveName == (extension.empty() ? std::string(path) + ".txt" : std::string(path)));
    FUZZ_CHECK(!quillet::ExtensionPart(saveName).empty());
    FUZZ_CHECK(quillet::WithDefaultExtension(saveName) == saveName);

    const std::string title = quillet::TitleForPath(path);
    FUZZ_CHECK(title == quillet::kTitlePrefix + std::string(path));
    FUZZ_CHECK(quillet::PathFromTitle(title) == path);
    if (path.substr(0, sizeof quillet::kTitlePrefix - 1) != quillet::kTitlePrefix) {
        FUZZ_CHECK(quillet::PathFromTitle(path) == path);
    }
    FUZZ_CHECK(quillet::IsUntitled(path) == (path == quillet::kUntitledPath));
    return 0;
}
