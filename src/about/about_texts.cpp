#include "about/about_texts.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace quillet {
namespace {

constexpr char kProductLine[] = "'Quillet', By Ferrowin Software.";
constexpr char kCreditLine[] = "Programing:        the Quillet authors";
constexpr char kNoticeLine[] = "(C) 2026 the Quillet authors, for Ferrowin Software.";
constexpr char kWarningLine[] = "WARNING: This program comes with no warranty of any kind.";
constexpr char kLineBreak[] = "\r\n";

}  // namespace

std::string AboutBody(const std::string& versionBlock) {
    const std::array<std::string_view, 8> lines{
        kProductLine, "", versionBlock, kCreditLine, "", kNoticeLine, "", kWarningLine};
    std::string body;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) body += kLineBreak;
        body += lines[i];
    }
    return body;
}

std::array<std::string, kAboutTextCount> AboutTexts(const std::string& versionBlock) {
    return {"About ",
            "'Quillet'",
            kMakerAddress,
            AboutBody(versionBlock),
            "Visit Ferrowin Software",
            std::string("http://") + kMakerAddress};
}

std::string JoinAboutTexts(const std::array<std::string, kAboutTextCount>& texts) {
    std::string joined;
    for (const std::string& text : texts) {
        if (&text != &texts.front()) joined += kAboutTextSeparator;
        std::remove_copy(text.begin(), text.end(), std::back_inserter(joined), kAboutTextSeparator);
    }
    return joined;
}

std::string AboutTextOf(const std::string& joined, AboutText which) {
    std::size_t start = 0;
    for (int n = 1; n < static_cast<int>(which); ++n) {
        start = joined.find(kAboutTextSeparator, start);
        if (start == std::string::npos) return {};
        ++start;
    }
    const std::size_t end = joined.find(kAboutTextSeparator, start);
    return joined.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace quillet
