#include "document/save_document_win.h"

#include "app/settings_rules.h"
#include "app/settings_win.h"
#include "document/document_title_win.h"
#include "document/file_dialog_win.h"
#include "document/file_io_win.h"
#include "document/path_rules.h"
#include "document/text_transfer.h"
#include "platform/editor_control_win.h"
#include "platform/modal_win.h"

namespace quillet {
namespace {

constexpr char kSaveAsTitle[] = "Save File As";
constexpr char kTextFilter[] = "Text files (*.txt)|*.txt|All files (*.*)|*.*";

void ReportNotSaved(const std::string& path, const std::string& reason) {
    ShowMessage("Quillet could not save " + path + "\r\n\r\n" + reason +
                    "\r\n\r\nThe document has not been saved.",
                "Save", MB_OK | MB_ICONWARNING);
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH * 4] = {};
    const DWORD length = ::GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length && length < sizeof full ? std::string(full, length) : path;
}

bool SameFile(const std::string& a, const std::string& b) {
    return ::lstrcmpiA(FullPath(a).c_str(), FullPath(b).c_str()) == 0;
}

// Replacing some other file that already exists takes the user's word.
bool MayWriteTo(const CommandContext& context, const std::string& path) {
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    if (SameFile(path, CurrentPath(context.mainWindow))) return true;
    return ShowMessage(path + " already exists. Do you want to replace it?", kSaveAsTitle,
                       MB_YESNO | MB_ICONWARNING) == IDYES;
}

}  // namespace

bool WriteDocument(const CommandContext& context, const std::string& path) {
    std::string streamed;
    if (!SaveEditorText(context.editor, streamed)) {
        ReportNotSaved(path, "The text could not be taken from the editor.");
        return false;
    }
    const std::string bytes = FileBytesFromStreamedText(streamed, LineCount(context.editor) > 0);
    streamed = std::string();
    DWORD error = 0;
    if (!ReplaceFileContents(path, bytes, error)) {
        ReportNotSaved(path, SystemErrorText(error));
        return false;
    }
    SetDocumentTitle(context.mainWindow, path);
    WriteSetting(context.settingsPath, section::kLastAccessed, key::kSave, FolderPart(path));
    SetModified(context.editor, false);
    return true;
}

bool SaveDocument(const CommandContext& context) {
    const std::string path = CurrentPath(context.mainWindow);
    if (IsUntitled(path)) return SaveDocumentAs(context);
    return WriteDocument(context, path);
}

bool SaveDocumentAs(const CommandContext& context) {
    const std::string folder = ReadSetting(context.settingsPath, section::kLastAccessed, key::kSave);
    const std::string chosen = ShowFileDialog(FileDialogKind::Save, kSaveAsTitle, folder, kTextFilter);
    if (chosen.empty()) return false;
    const std::string path = WithDefaultExtension(chosen);
    if (!MayWriteTo(context, path)) return false;
    return WriteDocument(context, path);
}

void OnSave(const CommandContext& context) { SaveDocument(context); }

void OnSaveAs(const CommandContext& context) { SaveDocumentAs(context); }

}  // namespace quillet
