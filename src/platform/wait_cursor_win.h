// The wait cursor for the length of a scope: for work that keeps the
// program from answering for a noticeable time, such as the editor laying
// out a large document again.
#pragma once

#include <windows.h>

namespace quillet {

class WaitCursor {
public:
    WaitCursor() : before_(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(before_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR before_;
};

}  // namespace quillet
