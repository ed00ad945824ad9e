#include "document/inserted_block.h"

#include <utility>

#include "document/text_transfer.h"

namespace quillet {

std::string InsertedBlockFromFileBytes(std::string bytes) {
    if (bytes.empty()) return bytes;
    // The load's text drops the break after the last line; here every line,
    // the last included, is followed by one.
    std::string block = EditorTextFromFileBytes(std::move(bytes)).text;
    block.push_back('\r');
    return block;
}

}  // namespace quillet
