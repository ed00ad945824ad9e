#include "document/file_dialog_win.h"

#include <windows.h>

#include <commdlg.h>

#include "document/file_dialog_rules.h"
#include "platform/modal_win.h"
#include "program/settings_rules.h"
#include "program/settings_win.h"

namespace quillet {

std::string ShowFileDialog(FileDialogKind kind, const std::string& title,
                           const std::string& defaultPath, const std::string& filter) {
    const std::string filterList = FilterList(filter);
    const DialogStart start = SplitDialogDefault(defaultPath);
    char file[kDialogPathCapacity] = {};
    ::lstrcpynA(file, start.fileName.c_str(), sizeof file);  // the split already clips it to fit

    OPENFILENAMEA dialog{};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = ProgramOwnerWindow();
    dialog.lpstrFilter = filterList.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = start.folder.empty() ? nullptr : start.folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;

    BOOL chosen = FALSE;
    {
        ModalScope modal;
        chosen = kind == FileDialogKind::Open ? ::GetOpenFileNameA(&dialog) : ::GetSaveFileNameA(&dialog);
    }
    return chosen ? std::string(file) : std::string();
}

std::string AskForPath(const std::string& settingsPath, const char* lastFolderKey, FileDialogKind kind,
                       const char* title, const char* filter) {
    const std::string folder = ReadSetting(settingsPath, section::kLastAccessed, lastFolderKey);
    return ShowFileDialog(kind, title, folder, filter);
}

}  // namespace quillet
