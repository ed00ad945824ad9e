#include "document/open_document_win.h"

#include "app/command_line.h"
#include "app/settings_rules.h"
#include "app/settings_win.h"
#include "document/document_state_win.h"
#include "document/file_dialog_win.h"
#include "document/file_io_win.h"
#include "document/path_rules.h"
#include "document/text_transfer.h"
#include "platform/editor_control_win.h"
#include "platform/modal_win.h"

namespace quillet {
namespace {

constexpr char kOpenTitle[] = "Please choose file to load";
constexpr char kOpenFilter[] = "Text (*.txt)|*.txt;*.txt|All files (*.*)|*.*";

void ReportUnreadable(const std::string& path, ReadResult result, DWORD error) {
    const std::string reason = result == ReadResult::TooLarge
                                   ? "The file is too large to open."
                                   : SystemErrorText(error);
    ShowMessage("Quillet could not read " + path + "\r\n\r\n" + reason +
                    "\r\n\r\nThe document was left as it was.",
                "Open", MB_OK | MB_ICONWARNING);
}

bool IsNonEmptyFile(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    return data.nFileSizeHigh != 0 || data.nFileSizeLow != 0;
}

}  // namespace

bool LoadDocument(const CommandContext& context, const std::string& path) {
    std::string bytes;
    DWORD error = 0;
    const ReadResult result = ReadWholeFile(path, bytes, error);
    if (result == ReadResult::CannotOpen) return false;
    if (result != ReadResult::Ok) {
        ReportUnreadable(path, result, error);
        return false;
    }
    const EditorText text = EditorTextFromFileBytes(std::move(bytes));
    if (!LoadEditorText(context.editor, text.text, text.mark)) {
        // The control could not hold it all; a cut-short document must not
        // pass for the file, so nothing of it is kept.
        ClearEditor(context.editor);
        SetDocumentTitle(context.mainWindow, kUntitledPath);
        ReportUnreadable(path, ReadResult::TooLarge, ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    SetSelection(context.editor, 0, 0);
    SetDocumentTitle(context.mainWindow, path);
    WriteSetting(context.settingsPath, section::kLastAccessed, key::kOpen, FolderPart(path));
    SetModified(context.editor, false);
    return true;
}

void OnOpen(const CommandContext& context) {
    if (!OfferToSaveChanges(context)) return;
    const std::string folder = ReadSetting(context.settingsPath, section::kLastAccessed, key::kOpen);
    const std::string path = ShowFileDialog(FileDialogKind::Open, kOpenTitle, folder, kOpenFilter);
    if (path.empty()) return;
    LoadDocument(context, path);
}

void LoadCommandLineFile(const CommandContext& context, const std::string& commandLine) {
    const std::optional<std::string> path = FirstArgument(commandLine);
    if (path && IsNonEmptyFile(*path)) LoadDocument(context, *path);
}

}  // namespace quillet
