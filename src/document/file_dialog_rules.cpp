#include "document/file_dialog_rules.h"

#include <cstring>

namespace quillet {

namespace {

bool IsValidFileName(std::string_view name) {
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("\"\\/:*?<>|", c) != nullptr) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string FilterList(std::string_view pipeSeparated) {
    std::string list(pipeSeparated);
    for (char& c : list) {
        if (c == '|') {
            c = '\0';
        }
    }
    list.append(2, '\0');
    return list;
}

DialogStart SplitDialogDefault(std::string_view defaultPath) {
    DialogStart start;
    const std::size_t lastBackslash = defaultPath.rfind('\\');
    std::string_view name = defaultPath;
    if (lastBackslash != std::string_view::npos && lastBackslash != 0) {
        start.folder.assign(defaultPath.substr(0, lastBackslash));
        name = defaultPath.substr(lastBackslash + 1);
    }
    // The name goes into the dialog's fixed path buffer, which must keep room
    // for its terminating NUL; a name that does not fit is dropped rather
    // than cut.
    if (IsValidFileName(name) && name.size() < kDialogPathCapacity) {
        start.fileName.assign(name);
    }
    return start;
}

}  // namespace quillet
