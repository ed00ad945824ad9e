#include "support/line_model.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace quillet {

namespace {

bool EndsLine(char c) { return c == '\n' || c == '\r' || c == '\0'; }

}  // namespace

LineReader::LineReader(ReadFn read) : read_(std::move(read)), buffer_(kBufferSize) {}

bool LineReader::Fill() {
    if (pos_ < end_) {
        return true;
    }
    if (eof_) {
        return false;
    }
    const long got = read_(buffer_.data(), buffer_.size());
    if (got <= 0) {
        // Once the source has ended or failed it is not asked again.
        eof_ = true;
        failed_ = got < 0;
        return false;
    }
    pos_ = 0;
    end_ = std::min(static_cast<std::size_t>(got), buffer_.size());
    return true;
}

int LineReader::Peek() {
    return Fill() ? static_cast<unsigned char>(buffer_[pos_]) : -1;
}

bool LineReader::AtEnd() { return !Fill(); }

std::string LineReader::ReadLine() {
    std::string line;
    while (Fill()) {
        // Take the whole run up to the next line end in one append, so long
        // lines cost no more than the copy.
        const char* begin = buffer_.data() + pos_;
        const char* limit = buffer_.data() + end_;
        const char* stop = std::find_if(begin, limit, EndsLine);
        line.append(begin, stop);
        pos_ += static_cast<std::size_t>(stop - begin);
        if (pos_ == end_) {
            continue;
        }
        const char lineEnd = buffer_[pos_++];
        // The LF of a CR LF may arrive with the next read.
        if (lineEnd == '\r' && Peek() == '\n') {
            ++pos_;
        }
        return line;
    }
    return line;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::size_t offset = 0;
    LineReader reader([&bytes, &offset](char* buffer, std::size_t size) -> long {
        const std::size_t n = std::min(size, bytes.size() - offset);
        std::memcpy(buffer, bytes.data() + offset, n);
        offset += n;
        return static_cast<long>(n);
    });
    std::vector<std::string> lines;
    while (!reader.AtEnd()) {
        lines.push_back(reader.ReadLine());
    }
    return lines;
}

std::string FileBytesFromLines(const std::string* lines, std::size_t count) {
    std::size_t total = 0;
    for (std::size_t i = 0; i < count; ++i) total += lines[i].size() + 2;
    std::string bytes;
    bytes.reserve(total);
    for (std::size_t i = 0; i < count; ++i) {
        bytes.append(lines[i]);
        bytes.append("\r\n");
    }
    return bytes;
}

}  // namespace quillet
