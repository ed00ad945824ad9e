#include "document/save_document_win.h"

#include "document/code_page_question_win.h"
#include "document/document_bytes_win.h"
#include "document/document_title_win.h"
#include "document/file_dialog_win.h"
#include "document/file_io_win.h"
#include "document/file_replace_win.h"
#include "document/path_rules.h"
#include "platform/editor_text_win.h"
#include "platform/modal_win.h"
#include "platform/same_file_win.h"
#include "program/settings_rules.h"
#include "program/settings_win.h"

namespace quillet {
namespace {

constexpr char kSaveAsTitle[] = "Save File As";

std::string ReasonText(DWORD error) {
    if (error == ERROR_FILE_READ_ONLY) return "The file is read-only.";
    if (error == kReadBackDiffers) return "The file did not read back as it was written.";
    if (error == kSourceFailed) return "The text could not be taken from the editor.";
    return SystemErrorText(error);
}

void ReportNotSaved(const std::string& path, const std::string& reason) {
    ShowMessage("Quillet could not save " + path + "\r\n\r\n" + reason +
                    "\r\n\r\nThe document has not been saved.",
                "Save", MB_OK | MB_ICONWARNING);
}

// What is where after a save that failed part-way, or that succeeded but
// could not clear away a copy of ours.
std::string WhereTheTextIs(const std::string& path, const ReplaceOutcome& outcome) {
    std::string where;
    if (!outcome.newBytesCopy.empty()) {
        where += outcome.written ? "A copy of the saved text is also in " : "The document's text is saved in full in ";
        where += outcome.newBytesCopy + ".\r\n";
    }
    if (!outcome.oldFileCopy.empty()) {
        where += "The file as it was before is in " + outcome.oldFileCopy + ".\r\n";
    }
    if (outcome.fileChanged) {
        where += ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES
                     ? path + " no longer exists.\r\n"
                     : path + " may be incomplete.\r\n";
    }
    if (!where.empty()) where.resize(where.size() - 2);  // the last line's CR LF
    return where;
}

void ReportOutcome(const std::string& path, const ReplaceOutcome& outcome) {
    const std::string where = WhereTheTextIs(path, outcome);
    if (!outcome.written) {
        ReportNotSaved(path, ReasonText(outcome.error) + (where.empty() ? "" : "\r\n\r\n" + where));
    } else if (!where.empty()) {
        ShowMessage("Quillet saved " + path + ", but could not remove its temporary files.\r\n\r\n" + where,
                    "Save", MB_OK | MB_ICONINFORMATION);
    }
}

// Replacing some other file that already exists takes the user's word. An
// untitled document has no file of its own, whatever the folder holds.
bool MayWriteTo(const CommandContext& context, const std::string& path) {
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    const std::string current = CurrentPath(context.mainWindow);
    if (!IsUntitled(current) && NameSameFile(path, current)) return true;
    return ShowMessage(path + " already exists. Do you want to replace it?", kSaveAsTitle,
                       MB_YESNO | MB_ICONWARNING) == IDYES;
}

}  // namespace

bool WriteDocument(const CommandContext& context, const std::string& path) {
    const CodePageWrite write = AskBeforeWriting(context.editor);
    if (write == CodePageWrite::Refused) return false;
    // What a saved document shows is made first: once the file is written,
    // running out of memory must not leave the document looking unsaved.
    const std::string title = TitleForPath(path);
    const std::string folder = FolderPart(path);
    const DocumentBytes document = DocumentBytesOf(context.editor, write);
    const ReplaceOutcome outcome = ReplaceFileContents(path, SourceOf(document));
    if (outcome.written) {
        ::SetWindowTextA(context.mainWindow, title.c_str());
        WriteSetting(context.settingsPath, section::kLastAccessed, key::kSave, folder);
        SetModified(context.editor, false);
    }
    ReportOutcome(path, outcome);
    return outcome.written;
}

bool SaveDocument(const CommandContext& context) {
    const std::string path = CurrentPath(context.mainWindow);
    if (IsUntitled(path)) return SaveDocumentAs(context);
    return WriteDocument(context, path);
}

bool SaveDocumentAs(const CommandContext& context) {
    const std::string chosen = AskForPath(context.settingsPath, key::kSave, FileDialogKind::Save, kSaveAsTitle);
    if (chosen.empty()) return false;
    const std::string path = WithDefaultExtension(chosen);
    if (!MayWriteTo(context, path)) return false;
    return WriteDocument(context, path);
}

void OnSave(const CommandContext& context) { SaveDocument(context); }

void OnSaveAs(const CommandContext& context) { SaveDocumentAs(context); }

}  // namespace quillet
