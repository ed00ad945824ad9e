// A stand-in for a program that Quillet starts: it writes the command line it
// was given, and how it was asked to show its window, to command_line.txt
// beside itself, then ends. Tests copy it under the name Quillet starts.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char self[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, self, sizeof self);
    if (length == 0 || length >= sizeof self) return 1;
    std::string folder(self, length);
    folder.erase(folder.find_last_of('\\') + 1);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoA(&startup);
    const bool hidden = (startup.dwFlags & STARTF_USESHOWWINDOW) && startup.wShowWindow == SW_HIDE;
    const std::string record = std::string(::GetCommandLineA()) + "\n" + (hidden ? "hidden" : "shown") + "\n";

    // Written under another name and renamed, so that a reader never sees
    // half of it.
    const std::string partial = folder + "command_line.part";
    HANDLE file = ::CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    ::CloseHandle(file);
    if (!ok || written != record.size()) return 1;
    return ::MoveFileA(partial.c_str(), (folder + "command_line.txt").c_str()) ? 0 : 1;
}
