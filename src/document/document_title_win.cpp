#include "document/document_title_win.h"

#include <vector>

#include "document/path_rules.h"

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

}  // namespace quillet
