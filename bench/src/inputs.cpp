#include "inputs.h"

#include <windows.h>

#include <cstdio>

namespace bench {
namespace {

constexpr std::size_t kMegabyte = 1 << 20;

// splitmix64: small, fast and the same on every compiler.
class Random {
public:
    explicit Random(unsigned long long seed) : state_(seed) {}
    unsigned long long Next() {
        unsigned long long z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t limit) { return static_cast<std::size_t>(Next() % limit); }

private:
    unsigned long long state_;
};

const char* const kWords[] = {
    "the",    "of",     "and",     "to",      "in",     "is",      "that",   "for",
    "it",     "as",     "was",     "with",    "be",     "by",      "on",     "not",
    "he",     "this",   "are",     "or",      "his",    "from",    "at",     "which",
    "but",    "have",   "an",      "had",     "they",   "you",     "were",   "their",
    "one",    "all",    "we",      "can",     "her",    "has",     "there",  "been",
    "if",     "more",   "when",    "will",    "would",  "who",     "so",     "no",
    "editor", "window", "letter",  "garden",  "river",  "morning", "number", "paper",
    "Monday", "London", "quietly", "between", "should", "always",  "house",  "table,",
    "end.",   "again.", "however", "written", "simple", "reason",  "12",     "2026",
};
constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];

// Words and spaces to exactly `length` characters, never ending in a space.
std::string Words(Random& random, std::size_t length) {
    std::string line;
    line.reserve(length + 16);
    while (line.size() < length) {
        line += kWords[random.Below(kWordCount)];
        line += ' ';
    }
    line.resize(length);
    if (line.back() == ' ') line.back() = '.';
    return line;
}

std::string Line(Random& random) { return Words(random, 40 + random.Below(61)); }

// A web address over part of the line; the line keeps its length.
void PutAddress(Random& random, std::string& line) {
    char address[64];
    std::snprintf(address, sizeof address, " http://www.example.org/p/%05u ",
                  static_cast<unsigned>(random.Below(100000)));
    const std::string text(address);
    // Never at either end, so the line keeps a word before and after it.
    const std::size_t place = 1 + random.Below(line.size() - text.size() - 1);
    line.replace(place, text.size(), text);
}

std::string Lines(unsigned long long seed, std::size_t size, long count, bool addresses) {
    Random random(seed);
    std::string text;
    text.reserve(size + 128);
    for (long n = 0; (count < 0 && text.size() < size) || n < count; ++n) {
        std::string line = Line(random);
        if (addresses) PutAddress(random, line);
        text += line;
        text += "\r\n";
    }
    return text;
}

long CountLineEnds(const std::string& bytes) {
    long count = 0;
    for (char c : bytes) count += c == '\n';
    return count;
}

}  // namespace

std::string PlainText(unsigned long long seed, std::size_t size) { return Lines(seed, size, -1, false); }

std::string TextWithAddresses(unsigned long long seed, std::size_t size) {
    return Lines(seed, size, -1, true);
}

std::string OneLongLine(unsigned long long seed, std::size_t size) {
    Random random(seed);
    return Words(random, size) + "\r\n";
}

std::string PlainLines(unsigned long long seed, long count) { return Lines(seed, 0, count, false); }

bool WriteWholeFile(const std::string& path, const std::string& bytes, bool flush) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    if (ok && flush) ok = ::FlushFileBuffers(file) != FALSE;
    return ::CloseHandle(file) && ok;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = ::GetFileSizeEx(file, &size) != FALSE && size.QuadPart < 0x7FFFFFFF;
    if (ok) {
        bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
        DWORD read = 0;
        ok = ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
             read == bytes.size();
    }
    return ::CloseHandle(file) && ok;
}

bool MakeInputs(const std::string& folder, std::vector<Input>& inputs) {
    inputs = {
        {"plain-1MB", "1 MB of ordinary text, lines of 40 to 100 characters, CR LF", "",
         PlainText(1, kMegabyte)},
        {"plain-10MB", "10 MB of the same kind of text", "", PlainText(2, 10 * kMegabyte)},
        {"urls-1MB", "plain-1MB with a web address written into every line", "",
         TextWithAddresses(1, kMegabyte)},
        {"one-line-2MB", "a single line of 2 MB (words and spaces), then CR LF", "",
         OneLongLine(3, 2 * kMegabyte)},
        {kNaiveInputKey, "2,000 lines of ordinary text, for the line-by-line reference", "",
         PlainLines(4, 2000)},
    };
    for (Input& input : inputs) {
        input.path = folder + "\\" + input.key + ".txt";
        input.lines = CountLineEnds(input.bytes);
        if (!WriteWholeFile(input.path, input.bytes, false)) {
            std::fprintf(stderr, "bench: cannot write %s (error %lu)\n", input.path.c_str(),
                         ::GetLastError());
            return false;
        }
    }
    return true;
}

bool StoreTables(const std::string& out, bool append, const std::string& markdown, const std::string& csv) {
    const std::string tables = out + "\\table.md";
    const std::string values = out + "\\table.csv";
    std::string oldMarkdown;
    std::string oldCsv;
    if (append && ReadWholeFile(tables, oldMarkdown) && ReadWholeFile(values, oldCsv)) {
        return WriteWholeFile(tables, oldMarkdown + "\n" + markdown, false) &&
               WriteWholeFile(values, oldCsv + csv.substr(csv.find('\n') + 1), false);
    }
    return WriteWholeFile(tables, markdown, false) && WriteWholeFile(values, csv, false);
}

}  // namespace bench
