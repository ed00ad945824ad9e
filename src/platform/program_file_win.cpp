#include "platform/program_file_win.h"

#include <windows.h>

#include <vector>

namespace quillet {

std::string ProgramFilePath() {
    // A fixed buffer would cut a long path short into some other file's
    // name; grow until the whole path fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::string(buffer.data(), length);
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace quillet
