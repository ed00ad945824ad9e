#include "document/open_document_win.h"

#include <cstdio>
#include <new>

#include "document/document_state_win.h"
#include "document/file_dialog_win.h"
#include "document/file_io_win.h"
#include "document/held_document_win.h"
#include "document/path_rules.h"
#include "document/text_transfer.h"
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

// The control took only part of the file, and the previous document could
// not go back whole either: what the editor holds must pass neither for the
// file nor for the previous document's file. Its whole text is saved aside
// and named, also when there is no memory left to name it with.
void ReportPartlyPutBack(const CommandContext& context, const std::string& path, const HeldDocument& held,
                         const std::string& untitledTitle) {
    ::SetWindowTextA(context.mainWindow, untitledTitle.c_str());
    char aside[MAX_PATH] = {};
    DWORD error = 0;
    const bool saved = SaveAside(held, aside, error);
    try {
        ReportNotOpened(path, kTooLarge,
                        "The editor could not take the previous document back whole either: it holds part of it, "
                        "untitled. " +
                            (saved ? "Its whole text is saved in " + std::string(aside) + "."
                                   : "Its whole text could not be saved anywhere: " + SystemErrorText(error)));
    } catch (const std::bad_alloc&) {
        // No memory even for the message: it is put together on the stack.
        char text[MAX_PATH + 160] = "Not enough memory to open the file. The editor holds part of the previous "
                                    "document, untitled.";
        if (saved) {
            (void)std::snprintf(text, sizeof text,
                                "Not enough memory to open the file. The editor holds part of the previous "
                                "document, untitled; its whole text is saved in %s.",
                                aside);
        }
        ::MessageBoxA(ProgramOwnerWindow(), text, "Open", MB_OK | MB_ICONWARNING);
    }
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
    // Everything needed once the previous document has left the editor is
    // made now: from there on nothing may fail for want of memory, or that
    // document would be lost with the file not in.
    const std::string title = TitleForPath(path);
    const std::string untitledTitle = TitleForPath(kUntitledPath);
    const std::string folder = FolderPart(path);
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
            ReportPartlyPutBack(context, path, held, untitledTitle);
        }
        return false;
    }
    held = HeldDocument{};
    SetSelection(context.editor, 0, 0);
    ::SetWindowTextA(context.mainWindow, title.c_str());
    WriteSetting(context.settingsPath, section::kLastAccessed, key::kOpen, folder);
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
