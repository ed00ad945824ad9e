#include "document/document_state_win.h"

#include <vector>

#include "document/path_rules.h"
#include "platform/editor_control_win.h"

namespace quillet {

std::string CurrentPath(HWND mainWindow) {
    const int length = ::GetWindowTextLengthA(mainWindow);
    std::vector<char> title(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(mainWindow, title.data(), length + 1);
    return PathFromTitle(std::string_view(title.data(), copied > 0 ? copied : 0));
}

void SetDocumentTitle(HWND mainWindow, const std::string& path) {
    ::SetWindowTextA(mainWindow, TitleForPath(path).c_str());
}

bool OfferToSaveChanges(const CommandContext& context) {
    // Saving arrives with the document commands; until then nothing is asked.
    (void)context;
    return true;
}

}  // namespace quillet
