// Opening link texts: the editor's links and the About window's link.
#pragma once

#include <string>

namespace quillet {

// Hands a web or mail address to the shell's handler for it (a browser, a
// mail program), with a normal window and without waiting. Any other text is
// refused, so that a link never starts a program. The outcome is not
// reported; true when the text was handed over and the shell took it.
bool OpenLink(const std::string& text);

}  // namespace quillet
