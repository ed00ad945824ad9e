#include "document/print_document_win.h"

#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "document/document_title_win.h"
#include "document/path_rules.h"
#include "document/print_command.h"
#include "platform/modal_win.h"
#include "platform/system_calls_win.h"

namespace quillet {
namespace {

// Starts the editor on path, hidden and detached; nothing is reported when
// it cannot be started.
void StartPrinting(const std::string& path) {
    // The system folder, so that no other "notepad.exe" on the search path
    // (in the program's folder or the current one) is ever started instead.
    const std::string folder = SystemCallsInUse().systemFolder();
    if (folder.empty()) return;
    const std::string program = PrintProgramPath(folder);
    const std::string commandLine = PrintCommandLine(program, path);
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');  // CreateProcessA may write into its command line

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started{};
    if (::CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, FALSE,
                         NORMAL_PRIORITY_CLASS | DETACHED_PROCESS, nullptr, nullptr, &startup, &started)) {
        ::CloseHandle(started.hThread);
        ::CloseHandle(started.hProcess);
        return;
    }
    const std::string parameters = PrintParameters(path);
    SHELLEXECUTEINFOA shell{};
    shell.cbSize = sizeof shell;
    // No error dialog of the shell's own: a failure is not reported.
    shell.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    shell.lpVerb = "Open";
    shell.lpFile = program.c_str();
    shell.lpParameters = parameters.c_str();
    shell.nShow = SW_HIDE;
    if (::ShellExecuteExA(&shell) && shell.hProcess) ::CloseHandle(shell.hProcess);
}

}  // namespace

void OnPrint(const CommandContext& context) {
    const std::string path = CurrentPath(context.mainWindow);
    if (IsUntitled(path)) {
        ShowMessage("This file has not been saved", "Notice", MB_OK);
    } else {
        StartPrinting(path);
    }
    ::SetFocus(context.editor);
}

}  // namespace quillet
