// Where text goes piece by piece as it is produced, so that no one holds all
// of it: a stream out of the editor, a conversion, a file writer.
#pragma once

#include <cstddef>

namespace quillet {

// Takes the next piece; false stops whatever hands the pieces over.
using PieceSink = bool (*)(void* context, const char* bytes, std::size_t count);

}  // namespace quillet
