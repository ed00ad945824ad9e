// The file writer's two forms. The input is cut into a document's lines at
// each LF, with CR and NUL bytes left out (a line cannot hold them); an empty
// input is a document without lines. Checked:
//   - the streamed form (lines joined by CR LF, plus CR LF when there is a
//     line) gives each line followed by CR LF, and reading those bytes
//     gives the lines back;
//   - the whole save path: the editor text a load of those bytes gives, as
//     the control streams it out (CR as CR LF), writes the same bytes again.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/text_transfer.h"
#include "fuzz_support.h"

namespace {

std::vector<std::string> LinesFromInput(std::string_view input) {
    std::vector<std::string> lines;
    if (input.empty()) {
        return lines;
    }
    lines.emplace_back();
    for (char c : input) {
        if (c == '\n') {
            lines.emplace_back();
        } else if (c != '\r' && c != '\0') {
            lines.back().push_back(c);
        }
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = LinesFromInput(fuzz::AsText(data, size));
    const bool hasLines = !lines.empty();

    const std::string bytes = quillet::FileBytesFromStreamedText(fuzz::Join(lines, "\r\n"), hasLines);
    FUZZ_CHECK(bytes == fuzz::JoinAfterEach(lines, "\r\n"));
    FUZZ_CHECK(fuzz::ModelLines(bytes) == lines);

    // Load the written bytes into the editor's form and save them again.
    const quillet::EditorText editor = quillet::EditorTextFromFileBytes(bytes);
    FUZZ_CHECK(editor.text == fuzz::Join(lines, "\r"));
    // The control has lines when it shows text or holds the pending empty line.
    const bool editorHasLines = !editor.text.empty() || editor.mark != quillet::LineMark::None;
    FUZZ_CHECK(editorHasLines == hasLines);
    FUZZ_CHECK(quillet::FileBytesFromStreamedText(fuzz::Streamed(editor.text), editorHasLines) == bytes);
    return 0;
}
