#include "document/insert_file_win.h"

#include <utility>

#include "document/file_dialog_win.h"
#include "document/file_io_win.h"
#include "document/inserted_block.h"
#include "platform/editor_text_win.h"
#include "platform/modal_win.h"
#include "program/settings_rules.h"
#include "program/settings_win.h"

namespace quillet {
namespace {

constexpr char kInsertTitle[] = "Insert into open file";

void ReportUnreadable(const std::string& path, ReadResult result, DWORD error) {
    const std::string reason =
        result == ReadResult::TooLarge ? "The file is too large to insert." : SystemErrorText(error);
    ShowMessage("Quillet could not read " + path + "\r\n\r\n" + reason + "\r\n\r\nNothing was inserted.",
                "Insert", MB_OK | MB_ICONWARNING);
}

}  // namespace

void InsertBlockAtCaretLine(HWND editor, const std::string& block) {
    if (block.empty()) return;
    // With text selected the caret's line is the first selected one. Lines
    // are counted between breaks, so a wrapped line is never split.
    const Selection before = GetSelection(editor);
    const long at = LineStartOf(editor, before.start);
    SetSelection(editor, at, at);
    // One replacement: one undo step, and the control leaves the caret
    // right after the block. Without memory for it the selection goes back.
    try {
        ReplaceSelection(editor, block);
    } catch (...) {
        SetSelection(editor, before.start, before.end);
        throw;
    }
}

bool InsertFile(const CommandContext& context, const std::string& path) {
    std::string bytes;
    DWORD error = 0;
    const ReadResult result = ReadWholeFile(path, bytes, error);
    if (result == ReadResult::CannotOpen) return false;
    if (result != ReadResult::Ok) {
        ReportUnreadable(path, result, error);
        return false;
    }
    const std::string block = InsertedBlockFromFileBytes(std::move(bytes));
    const std::string folder = FolderPart(path);  // made before the document changes
    InsertBlockAtCaretLine(context.editor, block);
    WriteSetting(context.settingsPath, section::kLastAccessed, key::kInsert, folder);
    return true;
}

void OnInsert(const CommandContext& context) {
    const std::string path = AskForPath(context.settingsPath, key::kInsert, FileDialogKind::Open, kInsertTitle);
    if (path.empty()) return;
    InsertFile(context, path);
}

}  // namespace quillet
