#include "document/inserted_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "document/line_reader.h"

namespace quillet {
namespace {

// Each of the file's lines by the line reader, then one CR: what adding the
// lines one by one above a line puts there.
TEST(InsertedBlock, IsEveryLineOfTheFileFollowedByOneBreak) {
    uint32_t state = 0x9E3779B9u;  // xorshift: a failure names a reproducible case
    for (int i = 0; i < 20000 && !HasFailure(); ++i) {
        // Mostly short; some long enough for lines across the reader's buffers.
        std::string bytes(i % 97 == 0 ? 3 * LineReader::kBufferSize : i % 17, 'a');
        for (char& c : bytes) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            c = state % 8 < 5 ? "ab"[state % 2] : "\r\n"[state % 3];  // [2] is the NUL
        }
        std::string reference;
        for (const std::string& line : SplitLines(bytes)) reference += line + '\r';
        EXPECT_EQ(reference, InsertedBlockFromFileBytes(bytes)) << ::testing::PrintToString(bytes);
    }
}

}  // namespace
}  // namespace quillet
