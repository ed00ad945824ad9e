// A line of text that works as a link: underlined, in blue at rest and under
// the pointer, with the hand cursor. Releasing the left button over it tells
// the parent with WM_COMMAND(id, BN_CLICKED), as a button would.
#pragma once

#include <windows.h>

#include <string>

#include "about/about_layout.h"

namespace quillet {

inline constexpr char kLinkLabelClass[] = "QuilletLinkLabel";

// Shows text in font (which stays the caller's); nullptr when it cannot be made.
HWND CreateLinkLabel(HWND parent, int id, const AboutRect& place, const std::string& text, HFONT font);

}  // namespace quillet
