#include "ui/links_win.h"

#include <richedit.h>

#include <vector>

#include "ui/link_opener_win.h"
#include "ui/link_rules.h"

namespace quillet {

void OnEditorLinkNotice(HWND editor, const NMHDR& notice) {
    if (notice.code != EN_LINK) return;
    const auto& link = reinterpret_cast<const ENLINK&>(notice);
    if (link.msg != WM_LBUTTONDBLCLK) return;
    // The range is clamped first, so the control never writes past the buffer.
    const LinkRange range = ClampLinkRange(link.chrg.cpMin, link.chrg.cpMax);
    std::vector<char> buffer(kMaxLinkLength + 1, '\0');
    TEXTRANGEA request{{range.start, range.end}, buffer.data()};
    ::SendMessageA(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request));
    buffer.back() = '\0';
    OpenLink(buffer.data());
}

}  // namespace quillet
