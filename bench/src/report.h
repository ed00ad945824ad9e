// The measured figures of one benchmark run, and their CSV form.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Figure {
    std::string section;  // open, memory, save, typing, startup, naive
    std::string input;    // an input's key, or "none"
    std::string subject;  // quillet, limit, notepad, wordpad, writefile, ...
    std::string unit;     // s, ms, MB
    std::vector<double> values;
};

class Report {
public:
    void Add(const std::string& section, const std::string& input, const std::string& subject,
             const std::string& unit, double value);
    // nullptr when nothing was measured under these names.
    const Figure* Find(const std::string& section, const std::string& input,
                       const std::string& subject) const;
    // The median, or a negative value when nothing was measured.
    double MedianOf(const std::string& section, const std::string& input, const std::string& subject) const;

    // Things a reader must know: a failed run, a size that did not match.
    void Note(const std::string& text);
    const std::vector<std::string>& Notes() const { return notes_; }

    // One row per figure: its names, the number of values, median, smallest,
    // largest, and the values themselves when there are few.
    std::string Csv() const;

private:
    std::vector<Figure> figures_;
    std::vector<std::string> notes_;
};

// A number with a fixed count of decimals; "n/a" for negative values.
std::string Format(double value, int decimals);

}  // namespace bench
