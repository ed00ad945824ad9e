// The line rules of loading and inserting a file. The whole input is a
// file's bytes. Checked against a straightforward model of the rules
// (fuzz::ModelLines):
//   - EditorTextFromFileBytes gives the model's lines joined by CR, never
//     longer than the bytes, with the mark that adding the lines one by one
//     leaves;
//   - InsertedBlockFromFileBytes gives the same lines, each followed by CR;
//   - what the control streams out for that text (CR as CR LF) comes back
//     as the same text through CrTextFromStreamedText, and saving it and
//     loading the saved bytes again gives the same lines.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/inserted_block.h"
#include "document/text_transfer.h"
#include "fuzz_support.h"

namespace {

using quillet::LineMark;

// The mark that adding the lines one by one to a cleared editor leaves.
LineMark ModelMark(const std::vector<std::string>& lines) {
    if (lines.empty() || !lines.front().empty()) {
        return LineMark::None;
    }
    return lines.size() == 1 ? LineMark::Pending : LineMark::Done;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    const std::vector<std::string> lines = fuzz::ModelLines(bytes);
    std::size_t kept = 0;
    for (const std::string& line : lines) {
        FUZZ_CHECK(!fuzz::HasLineEnd(line));
        kept += line.size();
    }
    // Only line ends are dropped, and every line has at most one (CR LF).
    FUZZ_CHECK(kept == static_cast<std::size_t>(std::count_if(bytes.begin(), bytes.end(),
                                                               [](char c) { return !fuzz::IsLineEnd(c); })));
    FUZZ_CHECK(size <= kept + 2 * lines.size());

    // The bulk conversion agrees with adding the lines one by one.
    const quillet::EditorText editor = quillet::EditorTextFromFileBytes(std::string(bytes));
    FUZZ_CHECK(editor.text.size() <= size);
    FUZZ_CHECK(editor.text == fuzz::Join(lines, "\r"));
    FUZZ_CHECK(editor.mark == ModelMark(lines));

    // Inserted, every line gets its break, the last one too.
    FUZZ_CHECK(quillet::InsertedBlockFromFileBytes(std::string(bytes)) == fuzz::JoinAfterEach(lines, "\r"));

    // The text streamed out comes back whole when a document is put back.
    const std::string streamed = fuzz::Streamed(editor.text);
    FUZZ_CHECK(quillet::CrTextFromStreamedText(streamed) == editor.text);

    // Saving what was loaded and loading it again changes nothing.
    const bool hasLines = !editor.text.empty() || editor.mark != LineMark::None;
    const std::string saved = quillet::FileBytesFromStreamedText(streamed, hasLines);
    FUZZ_CHECK(saved == fuzz::JoinAfterEach(lines, "\r\n"));
    FUZZ_CHECK(fuzz::ModelLines(saved) == lines);
    return 0;
}
