#include "document/path_rules.h"

namespace quillet {

namespace {

constexpr std::string_view kPrefix = kTitlePrefix;

}  // namespace

std::string TitleForPath(std::string_view path) {
    std::string title(kPrefix);
    title.append(path);
    return title;
}

std::string PathFromTitle(std::string_view title) {
    // Only the prefix the title was built with is removed, so a path that
    // itself contains "Quillet - " comes back whole.
    if (title.substr(0, kPrefix.size()) == kPrefix) {
        title.remove_prefix(kPrefix.size());
    }
    return std::string(title);
}

bool IsUntitled(std::string_view path) { return path == kUntitledPath; }

std::string ExtensionPart(std::string_view path) {
    const std::size_t mark = path.find_last_of(".\\/");
    if (mark == std::string_view::npos || path[mark] != '.') {
        return std::string();
    }
    std::string_view extension = path.substr(mark + 1);
    return std::string(extension.substr(0, extension.find('"')));
}

std::string WithDefaultExtension(std::string_view path) {
    std::string result(path);
    if (ExtensionPart(path).empty()) {
        result += ".txt";
    }
    return result;
}

}  // namespace quillet
