#include "document/open_document_win.h"

#include "document/document_state_win.h"
#include "document/file_dialog_win.h"
#include "document/file_io_win.h"
#include "document/file_replace_win.h"
#include "document/path_rules.h"
#include "document/text_transfer.h"
#include "platform/code_page_win.h"
#include "platform/editor_control_win.h"
#include "platform/editor_text_win.h"
#include "platform/file_attributes_win.h"
#include "platform/modal_win.h"
#include "program/command_line.h"
#include "program/settings_rules.h"
#include "program/settings_win.h"

namespace quillet {
namespace {

constexpr char kOpenTitle[] = "Please choose file to load";
constexpr char kOpenFilter[] = "Text (*.txt)|*.txt;*.txt|All files (*.*)|*.*";

void ReportNotOpened(const std::string& path, const std::string& reason, const std::string& afterwards) {
    ShowMessage("Quillet could not read " + path + "\r\n\r\n" + reason + "\r\n\r\n" + afterwards, "Open",
                MB_OK | MB_ICONWARNING);
}

constexpr char kLeftAsItWas[] = "The document was left as it was.";
constexpr char kTooLarge[] = "The file is too large to open.";

// The document the editor holds, kept while a load replaces it: in Unicode,
// so that it comes back exactly, whatever the code page lacks. It costs one
// copy of the text (line breaks as CR LF) for as long as the load runs.
struct HeldDocument {
    std::wstring streamed;
    LineMark mark = LineMark::None;
    bool modified = false;
    Selection selection{0, 0};
};

bool Hold(HWND editor, HeldDocument& held) {
    held.mark = GetLineMark(editor);
    held.modified = IsModified(editor);
    held.selection = GetSelection(editor);
    return SaveEditorTextW(editor, held.streamed);
}

bool PutBack(HWND editor, const HeldDocument& held) {
    const bool whole = LoadEditorTextW(editor, CrTextFromStreamedText(held.streamed), held.mark);
    SetModified(editor, held.modified || !whole);
    SetSelection(editor, held.selection.start, held.selection.end);
    return whole;
}

// Writes the held document to a new file in the system's temporary folder:
// as the file writer would, or, when the code page cannot hold the text, in
// UTF-16 with its byte-order mark, so that nothing is lost. Its name, or ""
// with error set.
std::string SaveAside(const HeldDocument& held, DWORD& error) {
    const bool hasLines = !held.streamed.empty() || held.mark != LineMark::None;
    if (FitsCodePage(held.streamed)) {
        return SaveInTemporaryFile(FileBytesFromStreamedText(ToCodePage(held.streamed), hasLines), error);
    }
    std::wstring text = L"\xFEFF" + held.streamed;
    if (hasLines) text += L"\r\n";
    return SaveInTemporaryFile(std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)),
                               error);
}

// The control took only part of the file, and the previous document could
// not go back whole either: what the editor holds must pass neither for the
// file nor for the previous document's file.
void ReportPartlyPutBack(const CommandContext& context, const std::string& path, const HeldDocument& held) {
    SetDocumentTitle(context.mainWindow, kUntitledPath);
    DWORD error = 0;
    const std::string aside = SaveAside(held, error);
    ReportNotOpened(path, kTooLarge,
                    "The editor could not take the previous document back whole either: it holds part of it, "
                    "untitled. " +
                        (aside.empty() ? "Its whole text could not be saved anywhere: " + SystemErrorText(error)
                                       : "Its whole text is saved in " + aside + "."));
}

}  // namespace

bool LoadDocument(const CommandContext& context, const std::string& path) {
    std::string bytes;
    DWORD error = 0;
    const ReadResult result = ReadWholeFile(path, bytes, error);
    if (result == ReadResult::CannotOpen) return false;
    if (result != ReadResult::Ok) {
        ReportNotOpened(path, result == ReadResult::TooLarge ? kTooLarge : SystemErrorText(error), kLeftAsItWas);
        return false;
    }
    EditorText text = EditorTextFromFileBytes(std::move(bytes));
    HeldDocument held;
    if (!Hold(context.editor, held)) {
        ReportNotOpened(path, "There is not enough memory to keep the document while the file loads.",
                        kLeftAsItWas);
        return false;
    }
    // The file goes into a fresh control: emptying the old one would cost
    // far more than loading, on a large document.
    context.editor = RecreateEditor(context.editor);
    if (!LoadEditorText(context.editor, text.text, text.mark)) {
        // A cut-short file must not pass for the file: the previous
        // document goes back instead, into a fresh control again.
        text = EditorText{};
        context.editor = RecreateEditor(context.editor);
        if (PutBack(context.editor, held)) {
            ReportNotOpened(path, kTooLarge, kLeftAsItWas);
        } else {
            ReportPartlyPutBack(context, path, held);
        }
        return false;
    }
    held = HeldDocument{};
    SetSelection(context.editor, 0, 0);
    SetDocumentTitle(context.mainWindow, path);
    WriteSetting(context.settingsPath, section::kLastAccessed, key::kOpen, FolderPart(path));
    SetModified(context.editor, false);
    return true;
}

void OnOpen(const CommandContext& context) {
    if (!OfferToSaveChanges(context)) return;
    const std::string path = AskForPath(context.settingsPath, key::kOpen, FileDialogKind::Open, kOpenTitle, kOpenFilter);
    if (path.empty()) return;
    LoadDocument(context, path);
}

void LoadCommandLineFile(const CommandContext& context, const std::string& commandLine) {
    const std::optional<std::string> path = FirstArgument(commandLine);
    if (path && IsNonEmptyFile(*path)) LoadDocument(context, *path);
}

}  // namespace quillet
