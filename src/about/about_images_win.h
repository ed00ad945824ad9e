// The About window's pictures, painted anew for each opening. Each is a
// bitmap that the caller owns; one that cannot be drawn on stays unpainted.
#pragma once

#include <string>

#include "platform/win_handles.h"

namespace quillet {

// 420 by 70: the gradient, the program's icon, the caption and the title on
// the left, the note at the right.
ScopedGdiObject PaintBanner(const std::string& caption, const std::string& title, const std::string& note);

// 32 by 32: the system's information picture on the dialog colour.
ScopedGdiObject PaintIconImage();

// 410 by 2: a grey line over a white one.
ScopedGdiObject PaintSeparator();

}  // namespace quillet
