// A user's first start of the program as unpacked from its release zip: in
// a folder that holds nothing else, its main window comes up and answers,
// and its settings file appears beside it; the close box ends it cleanly.
//
//   unpacked_start_check.exe <full path of the unpacked quillet.exe>
//
// Prints what it saw; exit code 0 when everything held, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <string>

#include "e2e/quillet_process.h"

namespace {

using quillet::e2e::QuilletProcess;

constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 15000;

// Size of a file, or -1 when there is no such file.
long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return -1;
    }
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int failures = 0;

void Expect(bool holds, const std::string& what) {
    std::printf("%s: %s\n", holds ? "ok" : "FAULT", what.c_str());
    if (!holds) ++failures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: unpacked_start_check <full path of quillet.exe>\n");
        return 2;
    }
    QuilletProcess program(QuilletProcess::InPlace{}, argv[1]);
    Expect(program.Copied(), std::string("the program is at ") + argv[1]);
    Expect(FileSize(program.SettingsPath()) < 0, "no settings file before the first start");
    if (failures) return 1;

    const DWORD start = ::GetTickCount();
    const bool started = program.Start("", kStartTimeoutMs);
    Expect(started, "its main window is shown and answers, after " +
                        std::to_string(::GetTickCount() - start) + " ms");
    if (!started) return 1;
    Expect(program.Title() == "Quillet - Untitled.txt", "its title is \"" + program.Title() + "\"");
    const long long settings = FileSize(program.SettingsPath());
    Expect(settings > 0, program.SettingsPath() + " is written (" + std::to_string(settings) + " bytes)");

    program.Close();
    DWORD exitCode = 0;
    const bool ended = program.WaitForExit(kExitTimeoutMs, exitCode);
    Expect(ended && exitCode == 0, "the close box ends it with exit code " + std::to_string(exitCode));
    return failures ? 1 : 0;
}
