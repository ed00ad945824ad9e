// Functions looked up by name at run time, for those that some systems the
// program runs on lack.
#pragma once

#include <windows.h>

namespace quillet {

// The function called name in library, as Function; nullptr when the library
// is nullptr or has no such function.
template <typename Function>
Function FunctionByName(HMODULE library, const char* name) {
    if (!library) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(library, name)));
}

}  // namespace quillet
