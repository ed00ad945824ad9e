// The recovery copy's file, read back at start-up from whatever the folder
// holds. The whole input is a file's bytes. Checked:
//   - reading takes any input without harm, and whatever it reads writes back
//     to bytes that read as the same copy and write the same bytes again;
//   - the same input taken as a copy's parts (path and text) writes a file
//     that reads back as exactly that copy;
//   - the characters counted never exceed the text's UTF-16 units.
#include <cstdint>
#include <optional>
#include <string>

#include "document/recovery_copy.h"
#include "fuzz_support.h"

namespace {

bool Same(const quillet::RecoveryCopy& a, const quillet::RecoveryCopy& b) {
    return a.untitled == b.untitled && a.path == b.path && a.time == b.time && a.mark == b.mark && a.text == b.text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    if (const std::optional<quillet::RecoveryCopy> copy = quillet::DecodeRecoveryCopy(bytes)) {
        const std::string again = quillet::EncodeRecoveryCopy(*copy);
        const std::optional<quillet::RecoveryCopy> back = quillet::DecodeRecoveryCopy(again);
        FUZZ_CHECK(back.has_value() && Same(*back, *copy));
        FUZZ_CHECK(quillet::EncodeRecoveryCopy(*back) == again);
        FUZZ_CHECK(quillet::CountCharacters(copy->text) <= copy->text.size() / 2);
    }

    quillet::RecoveryCopy made;
    made.untitled = size % 3 == 0;
    made.mark = static_cast<quillet::LineMark>(size % 3);
    made.time = size * 0x9E3779B97F4A7C15ull;
    const std::size_t split = size / 3;
    for (std::size_t i = 0; !made.untitled && i + 1 < split; i += 2) {
        made.path.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    made.text.assign(bytes.substr(split, (size - split) & ~std::size_t{1}));
    const std::optional<quillet::RecoveryCopy> read = quillet::DecodeRecoveryCopy(quillet::EncodeRecoveryCopy(made));
    FUZZ_CHECK(read.has_value() && Same(*read, made));
    return 0;
}
