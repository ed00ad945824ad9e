#include "ui/dropped_files_win.h"

#include <shellapi.h>

#include "document/open_document_win.h"

namespace quillet {

std::string TakeFirstDroppedFile(HDROP drop) {
    if (!drop) return {};
    char name[1000] = {};
    const UINT length = ::DragQueryFileA(drop, 0, name, sizeof name);
    ::DragFinish(drop);
    return std::string(name, length < sizeof name ? length : 0);
}

void OnDroppedFiles(const CommandContext& context, HDROP drop) {
    const std::string path = TakeFirstDroppedFile(drop);
    if (!path.empty()) LoadDocument(context, path);
}

}  // namespace quillet
