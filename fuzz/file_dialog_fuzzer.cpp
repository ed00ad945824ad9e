// The file dialog's inputs. The whole input is used both as a "|"-separated
// filter and as a dialog default (a last-used folder or a path). Checked:
//   - FilterList turns every "|" into a NUL and ends the list with two NULs:
//     no "|" is left, and there are exactly two NULs more than the input's
//     NULs and pipes together;
//   - SplitDialogDefault splits at the last backslash (none, or only one at
//     the very first character, makes it all the file name); the file name
//     is either that text or "" and never holds a character below space or
//     one of " \ / : * ? < > |, and it fits the dialog's 260-byte buffer
//     with its terminating NUL.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/file_dialog_rules.h"
#include "fuzz_support.h"

namespace {

bool IsForbiddenInName(char c) {
    return static_cast<unsigned char>(c) < 0x20 || std::string_view("\"\\/:*?<>|").find(c) != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::AsText(data, size);

    const std::string filter = quillet::FilterList(input);
    std::string expected(input);
    std::replace(expected.begin(), expected.end(), '|', '\0');
    expected.append(2, '\0');
    FUZZ_CHECK(filter == expected);
    FUZZ_CHECK(filter.find('|') == std::string::npos);
    FUZZ_CHECK(filter.size() >= 2 && filter[filter.size() - 1] == '\0' && filter[filter.size() - 2] == '\0');
    const auto count = [](std::string_view text, char c) {
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
    };
    FUZZ_CHECK(count(filter, '\0') == count(input, '\0') + count(input, '|') + 2);

    const quillet::DialogStart start = quillet::SplitDialogDefault(input);
    const std::size_t slash = input.rfind('\\');
    const bool split = slash != std::string_view::npos && slash != 0;
    const std::string_view folder = split ? input.substr(0, slash) : std::string_view();
    const std::string_view name = split ? input.substr(slash + 1) : input;
    FUZZ_CHECK(start.folder == folder);
    FUZZ_CHECK(start.fileName.empty() || start.fileName == name);
    FUZZ_CHECK(std::none_of(start.fileName.begin(), start.fileName.end(), IsForbiddenInName));
    FUZZ_CHECK(start.fileName.size() < quillet::kDialogPathCapacity);
    // A name that is valid and fits is kept.
    if (!name.empty() && name.size() < quillet::kDialogPathCapacity &&
        std::none_of(name.begin(), name.end(), IsForbiddenInName)) {
        FUZZ_CHECK(start.fileName == name);
    }
    return 0;
}
