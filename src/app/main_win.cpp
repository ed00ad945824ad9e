// Quillet's entry point.
#include <windows.h>

#include "app/startup_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ::ExitProcess(static_cast<UINT>(quillet::RunQuillet()));
}
