#include "document/text_transfer.h"

#include <utility>

namespace quillet {

EditorText EditorTextFromFileBytes(std::string bytes) {
    const std::size_t size = bytes.size();
    if (size == 0) {
        return {std::move(bytes), LineMark::None};
    }
    char* data = bytes.data();
    const bool firstLineEmpty = data[0] == '\n' || data[0] == '\r' || data[0] == '\0';

    // One pass, writing behind the read position: every line end (LF, CR,
    // CR LF, NUL) shrinks to a single CR, so the text never outgrows the bytes.
    std::size_t out = 0;
    std::size_t in = 0;
    while (in < size) {
        const char c = data[in++];
        if (static_cast<unsigned char>(c) > '\r' || (c != '\n' && c != '\r' && c != '\0')) {
            data[out++] = c;
            continue;
        }
        if (c == '\r' && in < size && data[in] == '\n') {
            ++in;
        }
        data[out++] = '\r';
    }
    // Every CR written stands for a line end, so a trailing one is the
    // file's final line end, which adds no line.
    if (data[out - 1] == '\r') {
        --out;
    }
    bytes.resize(out);

    // The editor keeps an empty first line as a pending mark until a second
    // line arrives and the break can go into the text.
    LineMark mark = LineMark::None;
    if (firstLineEmpty) {
        mark = bytes.empty() ? LineMark::Pending : LineMark::Done;
    }
    return {std::move(bytes), mark};
}

std::string_view FileEndAfterStreamedText(bool hasLines) { return hasLines ? "\r\n" : ""; }

std::string FileBytesFromStreamedText(std::string_view streamed, bool hasLines) {
    if (!hasLines) {
        return std::string();
    }
    const std::string_view end = FileEndAfterStreamedText(hasLines);
    std::string bytes;
    bytes.reserve(streamed.size() + end.size());
    bytes.append(streamed);
    bytes.append(end);
    return bytes;
}

namespace {

template <typename Text>
Text CrTextFrom(Text streamed) {
    std::size_t out = 0;
    bool afterCr = false;
    for (const auto c : streamed) {
        if (!(c == '\n' && afterCr)) {
            streamed[out++] = c;
        }
        afterCr = c == '\r';
    }
    streamed.resize(out);
    return streamed;
}

}  // namespace

std::string CrTextFromStreamedText(std::string streamed) { return CrTextFrom(std::move(streamed)); }

std::wstring CrTextFromStreamedText(std::wstring streamed) { return CrTextFrom(std::move(streamed)); }

}  // namespace quillet
