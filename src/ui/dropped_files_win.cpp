#include "ui/dropped_files_win.h"

#include <shellapi.h>

#include "document/document_state_win.h"
#include "document/open_document_win.h"
#include "platform/win_handles.h"
#include "program/command_guard_win.h"

namespace quillet {
namespace {

// Longer than any path the system can open.
constexpr UINT kMaxDroppedNameLength = 32767;

std::string FirstDroppedName(HDROP drop) {
    const UINT length = ::DragQueryFileA(drop, 0, nullptr, 0);
    if (length == 0 || length > kMaxDroppedNameLength) return {};
    std::string name(length + 1, '\0');
    // A name that does not come back at the length asked for is refused:
    // cut short, it could name another file.
    if (::DragQueryFileA(drop, 0, name.data(), length + 1) != length) return {};
    name.resize(length);
    return name;
}

bool OpensForReading(const std::string& path) {
    const UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid();
}

}  // namespace

std::string TakeFirstDroppedFile(HDROP drop) {
    if (!drop) return {};
    // Released however the name is read, running out of memory included.
    struct Finish {
        HDROP drop;
        ~Finish() { ::DragFinish(drop); }
    } finish{drop};
    return FirstDroppedName(drop);
}

void OnDroppedFiles(const CommandContext& context, HDROP drop) {
    // A drop loads a file as Open does: inside the commands' guard.
    RunGuarded([&] {
        const std::string path = TakeFirstDroppedFile(drop);
        // Asking about the document is pointless when the drop cannot replace it.
        if (path.empty() || !OpensForReading(path)) return;
        if (!OfferToSaveChanges(context)) return;
        LoadDocument(context, path);
    });
}

}  // namespace quillet
