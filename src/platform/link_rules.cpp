#include "platform/link_rules.h"

#include <array>
#include <cctype>
#include <climits>

namespace quillet {
namespace {

constexpr std::array<std::string_view, 5> kOpenablePrefixes{"http:", "https:", "ftp:", "mailto:", "www."};
constexpr std::string_view kBareWebPrefix = "www.";

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (std::tolower(c) != prefix[i]) return false;
    }
    return true;
}

}  // namespace

LinkRange ClampLinkRange(long start, long end) {
    if (start < 0) return {0, 0};
    const long longest = start > LONG_MAX - kMaxLinkLength ? LONG_MAX - start : kMaxLinkLength;
    if (end < 0) return {start, start + longest};
    if (end < start) return {start, start};
    return {start, end - start > longest ? start + longest : end};
}

bool IsOpenableLink(std::string_view text) {
    for (std::string_view prefix : kOpenablePrefixes) {
        if (StartsWithIgnoringCase(text, prefix)) return true;
    }
    return false;
}

std::string ShellTargetForLink(std::string_view text) {
    if (StartsWithIgnoringCase(text, kBareWebPrefix)) return "http://" + std::string(text);
    return std::string(text);
}

}  // namespace quillet
