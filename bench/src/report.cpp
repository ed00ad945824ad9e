#include "report.h"

#include <cstdio>

#include "clock.h"

namespace bench {
namespace {

constexpr std::size_t kMostValuesListed = 12;

std::string Number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

}  // namespace

void Report::Add(const std::string& section, const std::string& input, const std::string& subject,
                 const std::string& unit, double value) {
    for (Figure& figure : figures_) {
        if (figure.section == section && figure.input == input && figure.subject == subject) {
            figure.values.push_back(value);
            return;
        }
    }
    figures_.push_back({section, input, subject, unit, {value}});
}

const Figure* Report::Find(const std::string& section, const std::string& input,
                           const std::string& subject) const {
    for (const Figure& figure : figures_) {
        if (figure.section == section && figure.input == input && figure.subject == subject) return &figure;
    }
    return nullptr;
}

double Report::MedianOf(const std::string& section, const std::string& input,
                        const std::string& subject) const {
    const Figure* figure = Find(section, input, subject);
    return figure && !figure->values.empty() ? Median(figure->values) : -1.0;
}

void Report::Note(const std::string& text) {
    std::fprintf(stderr, "bench: note: %s\n", text.c_str());
    notes_.push_back(text);
}

std::string Report::Csv() const {
    std::string csv = "section,input,subject,unit,count,median,min,max,values\n";
    for (const Figure& f : figures_) {
        std::string values;
        if (f.values.size() <= kMostValuesListed) {
            for (double v : f.values) values += (values.empty() ? "" : ";") + Number(v);
        }
        csv += f.section + "," + f.input + "," + f.subject + "," + f.unit + "," +
               std::to_string(f.values.size()) + "," + Number(Median(f.values)) + "," +
               Number(Smallest(f.values)) + "," + Number(Largest(f.values)) + "," + values + "\n";
    }
    return csv;
}

std::string Format(double value, int decimals) {
    if (value < 0) return "n/a";
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace bench
