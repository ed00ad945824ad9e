// The line rules written out line by line, the reference that the program's
// whole-file transfers (document/text_transfer.h) must agree with: a reader
// that turns a file's bytes into lines read by read, and a writer that puts
// CR LF after each line. Line ends are CR LF, LF, CR and NUL; a last line
// without an end still counts; a file whose last byte ends a line has no extra
// empty line after it. Portable: the unit tests and the Wine-run tests use it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

class LineReader {
public:
    // Fills the buffer with up to size bytes; returns how many, 0 at the end
    // of the file, or a negative number for a failed read.
    using ReadFn = std::function<long(char* buffer, std::size_t size)>;

    explicit LineReader(ReadFn read);

    // True when no further byte can be read (a failed read counts as the end).
    bool AtEnd();

    // One line without its line end.
    std::string ReadLine();

    // Whether a read failed (as opposed to the file simply ending).
    bool Failed() const { return failed_; }

    static constexpr std::size_t kBufferSize = 4096;

private:
    bool Fill();
    int Peek();

    ReadFn read_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    bool failed_ = false;
};

// All lines of a byte string, by the reader's rules.
std::vector<std::string> SplitLines(std::string_view bytes);

// What writing lines one by one gives: each line followed by CR LF.
std::string FileBytesFromLines(const std::string* lines, std::size_t count);

}  // namespace quillet
