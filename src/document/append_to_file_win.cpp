#include "document/append_to_file_win.h"

#include <windows.h>

#include "document/code_page_question_win.h"
#include "document/document_bytes_win.h"
#include "document/document_title_win.h"
#include "document/file_dialog_win.h"
#include "document/file_io_win.h"
#include "document/path_rules.h"
#include "platform/modal_win.h"
#include "platform/same_file_win.h"
#include "platform/system_calls_win.h"
#include "platform/win_handles.h"
#include "program/settings_rules.h"
#include "program/settings_win.h"

namespace quillet {
namespace {

constexpr char kAppendTitle[] = "Save to the end of file";
constexpr char kLeftAsItWas[] = "The file was left as it was.";
constexpr char kTextNotTaken[] = "The text could not be taken from the editor.";

// Whether path names the file the document was loaded from or saved to. An
// untitled document has none, whatever files lie in the current folder.
bool IsDocumentsOwnFile(const std::string& documentPath, const std::string& path) {
    return !IsUntitled(documentPath) && NameSameFile(documentPath, path);
}

void ReportNotAppended(const std::string& path, const std::string& reason, const char* outcome) {
    ShowMessage("Quillet could not append the document to " + path + "\r\n\r\n" + reason + "\r\n\r\n" +
                    outcome,
                "Append To", MB_OK | MB_ICONWARNING);
}

// Puts the file back to the length it had; true when that worked.
bool CutBack(HANDLE file, LARGE_INTEGER length) {
    return ::SetFilePointerEx(file, length, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
}

// Writes the document after the file's last byte. On failure the file is cut
// back to its old length (or removed when this call created it) where the
// system allows, and the user is told. A file whose length cannot be read is
// not written at all: it could not be cut back to it.
bool AppendDocument(const std::string& path, const ContentSource& document) {
    // Windows refuses to write a read-only file; not every file system
    // under Wine does, so the attribute is checked here too.
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ReportNotAppended(path, SystemErrorText(ERROR_ACCESS_DENIED), kLeftAsItWas);
        return false;
    }
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        ReportNotAppended(path, SystemErrorText(::GetLastError()), kLeftAsItWas);
        return false;
    }
    const bool created = ::GetLastError() != ERROR_ALREADY_EXISTS;
    LARGE_INTEGER oldLength{};
    DWORD error = 0;
    if (!SystemCallsInUse().fileSize(file.Get(), &oldLength) ||
        !::SetFilePointerEx(file.Get(), oldLength, nullptr, FILE_BEGIN)) {
        error = ::GetLastError();
        file.Reset();
        if (created) ::DeleteFileA(path.c_str());
        ReportNotAppended(path, SystemErrorText(error), kLeftAsItWas);
        return false;
    }
    bool appended = false;
    try {
        unsigned long long written = 0;
        appended = WriteAll(file.Get(), document, written, error);
    } catch (...) {
        // Cut short by the editor's side (out of memory): what was written goes again.
        CutBack(file.Get(), oldLength);
        file.Reset();
        if (created) ::DeleteFileA(path.c_str());
        throw;
    }
    if (appended && !FlushFile(file.Get())) {
        error = ::GetLastError();
        appended = false;
    }
    bool restored = !appended && CutBack(file.Get(), oldLength);
    if (!::CloseHandle(file.Release()) && appended) {
        error = ::GetLastError();
        appended = false;
    }
    if (appended) return true;
    if (created) restored = ::DeleteFileA(path.c_str()) != FALSE;
    ReportNotAppended(path, error == kSourceFailed ? kTextNotTaken : SystemErrorText(error),
                      restored ? kLeftAsItWas : "The file may now end with part of the document.");
    return false;
}

}  // namespace

bool AppendDocumentTo(const CommandContext& context, const std::string& path) {
    if (IsDocumentsOwnFile(CurrentPath(context.mainWindow), path)) {
        ShowMessage("Can not save to the end of an open file", "Warning", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const CodePageWrite write = AskBeforeWriting(context.editor);
    if (write == CodePageWrite::Refused) return false;
    const std::string folder = FolderPart(path);  // made before the file changes
    const DocumentBytes document = DocumentBytesOf(context.editor, write);
    if (!AppendDocument(path, SourceOf(document))) return false;
    WriteSetting(context.settingsPath, section::kLastAccessed, key::kAppendTo, folder);
    return true;
}

void OnAppendTo(const CommandContext& context) {
    const std::string path = AskForPath(context.settingsPath, key::kAppendTo, FileDialogKind::Save, kAppendTitle);
    if (path.empty()) return;
    AppendDocumentTo(context, path);
}

}  // namespace quillet
