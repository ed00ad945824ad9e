#include "ui/links_win.h"

#include <richedit.h>

#include "platform/editor_text_win.h"
#include "platform/link_opener_win.h"
#include "platform/link_rules.h"

namespace quillet {

void OnEditorLinkNotice(HWND editor, const NMHDR& notice) {
    if (notice.code != EN_LINK) return;
    const auto& link = reinterpret_cast<const ENLINK&>(notice);
    if (link.msg != WM_LBUTTONDBLCLK) return;
    // Only the first kMaxLinkLength characters are read, into a buffer sized
    // for them in the ANSI code page.
    const LinkRange range = ClampLinkRange(link.chrg.cpMin, link.chrg.cpMax);
    OpenLink(TextRange(editor, range.start, range.end));
}

}  // namespace quillet
