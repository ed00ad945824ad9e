// The settings' integer and boolean value rules. The whole input is a stored
// value. Checked:
//   - ParseInteger equals a model that accumulates in 64 bits modulo 2^32
//     (blanks and tabs skipped, one optional sign, digits up to the first
//     non-digit, no digits giving 0);
//   - FormatInteger writes plain decimal (as std::to_string does) and
//     ParseInteger reads it back, also behind blanks and before other text;
//   - IsOn is exactly a comparison with "true".
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "program/settings_rules.h"

namespace {

int32_t ModelParse(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = (value * 10 + static_cast<uint64_t>(text[i] - '0')) % (uint64_t{1} << 32);
    }
    if (negative) {
        value = ((uint64_t{1} << 32) - value) % (uint64_t{1} << 32);
    }
    // Two's complement without leaning on implementation-defined narrowing.
    return value < 0x80000000u ? static_cast<int32_t>(value)
                               : static_cast<int32_t>(static_cast<int64_t>(value) - (int64_t{1} << 32));
}

void CheckFormat(int32_t value) {
    const std::string text = quillet::FormatInteger(value);
    FUZZ_CHECK(text == std::to_string(value));
    FUZZ_CHECK(quillet::ParseInteger(text) == value);
    FUZZ_CHECK(quillet::ParseInteger(" \t " + text + "px") == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // A view of exactly the input, so a read past its end is caught.
    const std::string_view text = fuzz::AsText(data, size);

    const int32_t parsed = quillet::ParseInteger(text);
    FUZZ_CHECK(parsed == ModelParse(text));
    CheckFormat(parsed);

    if (size >= sizeof(int32_t)) {
        int32_t raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        CheckFormat(raw);
    }

    const bool on = quillet::IsOn(text);
    FUZZ_CHECK(on == (text == "true"));
    FUZZ_CHECK(std::string_view(quillet::BoolText(on)) == (on ? "true" : "false"));
    FUZZ_CHECK(quillet::IsOn(quillet::BoolText(on)) == on);
    return 0;
}
