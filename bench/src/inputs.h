// The benchmark's input files, made afresh by each run from fixed seeds so
// that every run measures the same bytes.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Input {
    std::string key;          // short name used in the tables, e.g. "plain-10MB"
    std::string description;  // one line for bench/README.md
    std::string path;         // full Windows path of the file written
    std::string bytes;        // the file's exact contents
    long lines = 0;           // line ends (CR LF) in the file
};

// Ordinary text, lines of 40 to 100 characters ended by CR LF, until the
// text reaches `size` bytes.
std::string PlainText(unsigned long long seed, std::size_t size);
// The same lines as PlainText with the same seed, each with a web address
// written over part of it (so the size and the line count stay the same).
std::string TextWithAddresses(unsigned long long seed, std::size_t size);
// Words and spaces on one line of `size` characters, then CR LF.
std::string OneLongLine(unsigned long long seed, std::size_t size);
// Exactly `count` lines of ordinary text.
std::string PlainLines(unsigned long long seed, long count);

// Writes every input into folder (which must exist); false with a message
// on stderr when a file cannot be written.
bool MakeInputs(const std::string& folder, std::vector<Input>& inputs);

// Writes bytes to path with one WriteFile; false when any call fails.
bool WriteWholeFile(const std::string& path, const std::string& bytes, bool flush);

// Reads a whole file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes a part's tables as the run's table.md and table.csv in folder out,
// or, with append, adds them to those that a full run has written already.
bool StoreTables(const std::string& out, bool append, const std::string& markdown, const std::string& csv);

// The key of the file used for the line-by-line reference row.
inline constexpr char kNaiveInputKey[] = "lines-2000";

}  // namespace bench
