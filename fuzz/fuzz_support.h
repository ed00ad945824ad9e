// Helpers shared by the fuzz targets: a check that stops the run with a
// message (libFuzzer then saves the input), and small text utilities.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Unlike assert(), always compiled in, and says which invariant broke.
#define FUZZ_CHECK(condition)                                                     \
    do {                                                                          \
        if (!(condition)) {                                                       \
            /* about to abort: a failed write changes nothing */                  \
            (void)std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, \
                               __LINE__, #condition);                             \
            std::abort();                                                         \
        }                                                                         \
    } while (false)

namespace fuzz {

inline std::string_view AsText(const unsigned char* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Lines with sep between them.
inline std::string Join(const std::vector<std::string>& lines, std::string_view sep) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i != 0) {
            out.append(sep);
        }
        out.append(lines[i]);
    }
    return out;
}

// Lines with end after each one, the last included.
inline std::string JoinAfterEach(const std::vector<std::string>& lines, std::string_view end) {
    std::string out;
    for (const std::string& line : lines) {
        out.append(line);
        out.append(end);
    }
    return out;
}

// What the rich edit control streams out for its text: each CR as CR LF.
inline std::string Streamed(std::string_view editorText) {
    std::string out;
    for (char c : editorText) {
        out.push_back(c);
        if (c == '\r') {
            out.push_back('\n');
        }
    }
    return out;
}

inline bool IsLineEnd(char c) { return c == '\0' || c == '\r' || c == '\n'; }

// The line rules written out byte by byte: LF, CR LF, CR and NUL end a line;
// a last line without an end counts; nothing follows a final line end.
inline std::vector<std::string> ModelLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::string line;
        while (i < bytes.size()) {
            const char c = bytes[i++];
            if (c == '\n' || c == '\0') {
                break;
            }
            if (c == '\r') {
                if (i < bytes.size() && bytes[i] == '\n') {
                    ++i;
                }
                break;
            }
            line.push_back(c);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

inline bool HasLineEnd(std::string_view text) {
    for (char c : text) {
        if (IsLineEnd(c)) {
            return true;
        }
    }
    return false;
}

}  // namespace fuzz
