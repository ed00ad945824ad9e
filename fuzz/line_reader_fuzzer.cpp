// The line reader and the one-transfer load. The whole input is a file's
// bytes. Checked against a straightforward model of the line rules:
//   - SplitLines gives the model's lines, none holding NUL, CR or LF;
//   - EditorTextFromFileBytes gives those lines joined by CR, never longer
//     than the bytes, with the mark that adding the lines one by one leaves;
//   - writing the lines back (CR LF after each) and reading again gives the
//     same lines, so load/save cycles are stable;
//   - LineReader fed in small, uneven chunks gives the same lines, and one
//     whose read fails part-way gives exactly the lines of the bytes before
//     the failure, with Failed() set.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "document/line_reader.h"
#include "document/text_transfer.h"
#include "fuzz_support.h"

namespace {

using quillet::LineMark;
using quillet::LineReader;

// The line rules written out byte by byte: LF, CR LF, CR and NUL end a line;
// a last line without an end counts; nothing follows a final line end.
std::vector<std::string> ModelLines(std::string_view bytes) {
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

// The mark that adding the lines one by one to a cleared editor leaves.
LineMark ModelMark(const std::vector<std::string>& lines) {
    if (lines.empty() || !lines.front().empty()) {
        return LineMark::None;
    }
    return lines.size() == 1 ? LineMark::Pending : LineMark::Done;
}

// A read callback over bytes. Chunk sizes come from the input read backwards
// (its top two bits pick 1 to 8 bytes, 16 to 256, nearly or exactly as much
// as asked for); from failAt on every read fails.
class ChunkedSource {
public:
    ChunkedSource(std::string_view bytes, std::size_t failAt) : bytes_(bytes), failAt_(failAt) {}

    long Read(char* buffer, std::size_t size) {
        FUZZ_CHECK(buffer != nullptr);
        FUZZ_CHECK(size > 0);
        // The reader promises size writable bytes: touching the last one lets
        // AddressSanitizer hold it to that (the copy below checks the rest).
        buffer[size - 1] = '\xA5';
        ++calls_;
        FUZZ_CHECK(calls_ <= 4 * bytes_.size() + 16);  // no endless polling
        if (failed_ || pos_ >= failAt_) {
            failed_ = true;
            return -1;
        }
        if (pos_ == bytes_.size()) {
            return 0;
        }
        std::size_t n = NextChunk(size);
        n = std::min({n, size, bytes_.size() - pos_, failAt_ - pos_});
        std::memcpy(buffer, bytes_.data() + pos_, n);
        pos_ += n;
        return static_cast<long>(n);
    }

private:
    std::size_t NextChunk(std::size_t asked) {
        const auto b = static_cast<unsigned char>(bytes_[bytes_.size() - 1 - chunk_ % bytes_.size()]);
        ++chunk_;
        switch (b >> 6) {
        case 0:
            return 1 + (b & 7u);  // a byte or a few: line ends split across reads
        case 1:
            return std::size_t{16} * (1 + (b & 15u));
        case 2:
            return asked - std::min<std::size_t>(asked - 1, b & 63u);  // nearly full
        default:
            return asked;
        }
    }

    std::string_view bytes_;
    std::size_t failAt_;
    std::size_t pos_ = 0;
    std::size_t chunk_ = 0;
    std::size_t calls_ = 0;
    bool failed_ = false;
};

// The load loop: the end test before every line.
std::vector<std::string> ReadAllLines(std::string_view bytes, std::size_t failAt, bool* failed) {
    ChunkedSource source(bytes, failAt);
    LineReader reader([&source](char* buffer, std::size_t size) { return source.Read(buffer, size); });
    std::vector<std::string> lines;
    while (!reader.AtEnd()) {
        lines.push_back(reader.ReadLine());
        // Not at the end means at least one byte is there to take.
        FUZZ_CHECK(lines.size() <= bytes.size());
    }
    FUZZ_CHECK(reader.AtEnd());  // the end stays the end
    *failed = reader.Failed();
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);

    const std::vector<std::string> lines = quillet::SplitLines(bytes);
    FUZZ_CHECK(lines == ModelLines(bytes));
    std::size_t kept = 0;
    for (const std::string& line : lines) {
        FUZZ_CHECK(!fuzz::HasLineEnd(line));
        kept += line.size();
    }
    // Only line ends are dropped, and every line has at most one (CR LF).
    FUZZ_CHECK(kept == static_cast<std::size_t>(std::count_if(bytes.begin(), bytes.end(),
                                                               [](char c) { return !fuzz::IsLineEnd(c); })));
    FUZZ_CHECK(size <= kept + 2 * lines.size());
    FUZZ_CHECK(lines.size() <= size);

    // The bulk conversion agrees with adding the lines one by one.
    const quillet::EditorText editor = quillet::EditorTextFromFileBytes(std::string(bytes));
    FUZZ_CHECK(editor.text.size() <= size);
    FUZZ_CHECK(editor.text == fuzz::Join(lines, "\r"));
    FUZZ_CHECK(editor.mark == ModelMark(lines));

    // Saving what was loaded and loading it again changes nothing.
    const std::string saved = fuzz::JoinAfterEach(lines, "\r\n");
    FUZZ_CHECK(quillet::SplitLines(saved) == lines);
    FUZZ_CHECK(quillet::FileBytesFromLines(lines.data(), lines.size()) == saved);

    // The streaming reader, in uneven chunks, reaching the end.
    bool failed = true;
    FUZZ_CHECK(ReadAllLines(bytes, std::string_view::npos, &failed) == lines);
    FUZZ_CHECK(!failed);

    // The same with a read that fails after failAt bytes (failAt == size
    // fails the read that would have reported the end).
    const std::size_t failAt =
        size == 0 ? 0 : (std::size_t{data[0]} * 131 + std::size_t{data[size - 1]} * 7 + size) % (size + 1);
    failed = false;
    const std::vector<std::string> partial = ReadAllLines(bytes, failAt, &failed);
    FUZZ_CHECK(failed);
    FUZZ_CHECK(partial == quillet::SplitLines(bytes.substr(0, failAt)));
    // What was read before the failure agrees with the full read: whole lines
    // equal, and the line cut by the failure is the start of its full line.
    FUZZ_CHECK(partial.size() <= lines.size());
    for (std::size_t i = 0; i < partial.size(); ++i) {
        if (i + 1 < partial.size()) {
            FUZZ_CHECK(partial[i] == lines[i]);
        } else {
            FUZZ_CHECK(lines[i].compare(0, partial[i].size(), partial[i]) == 0);
        }
    }
    return 0;
}
