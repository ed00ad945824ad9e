#include "document/recovery_offer_win.h"

#include <cstring>
#include <vector>

#include "document/document_title_win.h"
#include "document/file_io_win.h"
#include "document/path_rules.h"
#include "document/recovery_copy.h"
#include "document/recovery_rules.h"
#include "document/recovery_win.h"
#include "document/text_transfer.h"
#include "platform/code_page_win.h"
#include "platform/editor_control_win.h"
#include "platform/editor_text_win.h"
#include "platform/modal_win.h"
#include "platform/win_handles.h"

namespace quillet {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

std::uint64_t AsNumber(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Whether the Quillet that owns this id runs: its mutex exists (a mutex of
// another user's that we may not open exists too).
bool IsAlive(const std::string& id) {
    const std::string name = RecoveryMutexName(id);
    const UniqueKernelHandle mutex(::OpenMutexA(SYNCHRONIZE, FALSE, name.c_str()));
    return mutex.Valid() || ::GetLastError() != ERROR_FILE_NOT_FOUND;
}

std::vector<FoundCopy> ListCopies(const std::string& folder) {
    std::vector<FoundCopy> found;
    WIN32_FIND_DATAA entry{};
    const UniqueFind find(::FindFirstFileA((folder + "\\" + kRecoveryFilePattern).c_str(), &entry));
    if (!find) return found;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (auto id = RecoveryIdOfFile(entry.cFileName)) {
            found.push_back({*id, AsNumber(entry.ftLastWriteTime), IsAlive(*id)});
        }
    } while (::FindNextFileA(find.Get(), &entry));
    return found;
}

// Holding an orphan's mutex keeps a Quillet starting beside this one from
// offering the same copy.
UniqueKernelHandle Claim(const std::string& id) {
    const std::string name = RecoveryMutexName(id);
    ::SetLastError(ERROR_SUCCESS);
    UniqueKernelHandle mutex(::CreateMutexA(nullptr, FALSE, name.c_str()));
    if (mutex && ::GetLastError() == ERROR_ALREADY_EXISTS) mutex.Reset();
    return mutex;
}

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::string DocumentName(const RecoveryCopy& copy) {
    return copy.untitled || copy.path.empty() ? std::string(kUntitledPath) : ToCodePage(Wide(copy.path));
}

LocalTime LocalTimeOf(std::uint64_t time) {
    FILETIME file{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!::FileTimeToSystemTime(&file, &utc) || !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
        local = utc;
    }
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute};
}

enum class Choice { Open, Delete, Keep };

Choice Ask(const RecoveryCopy& copy) {
    const std::string question =
        RecoveryOfferText(DocumentName(copy), LocalTimeOf(copy.time), CountCharacters(copy.text));
    for (;;) {
        const int answer = ShowMessage(question, kRecoveryCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDYES) return Choice::Open;
        if (answer != IDNO) return Choice::Keep;
        if (ShowMessage(kRecoveryDeleteQuestion, kRecoveryCaption, MB_YESNO | MB_ICONWARNING) == IDYES) {
            return Choice::Delete;
        }
    }
}

// The copy's text as a modified document under its original title; false,
// with an empty untitled document, when the editor cannot hold it all.
bool Open(const CommandContext& context, const RecoveryCopy& copy) {
    std::wstring streamed(copy.text.size() / sizeof(wchar_t), L'\0');
    std::memcpy(streamed.data(), copy.text.data(), streamed.size() * sizeof(wchar_t));
    if (!LoadEditorTextW(context.editor, CrTextFromStreamedText(std::move(streamed)), copy.mark)) {
        context.editor = RecreateEditor(context.editor);
        return false;
    }
    SetSelection(context.editor, 0, 0);
    SetDocumentTitle(context.mainWindow, DocumentName(copy));
    SetModified(context.editor, true);
    return true;
}

void ReportUnreadable(const std::string& path) {
    ShowMessage(RecoveryUnreadableText(path), kRecoveryCaption, MB_OK | MB_ICONWARNING);
}

}  // namespace

bool OfferRecoveredText(const CommandContext& context) {
    const std::string& folder = RecoveryFolder();
    if (folder.empty()) return false;
    for (const FoundCopy& orphan : OrphansNewestFirst(ListCopies(folder), RecoveryId())) {
        const UniqueKernelHandle claim = Claim(orphan.id);
        if (!claim) continue;
        const std::string path = folder + "\\" + RecoveryFileName(orphan.id);
        std::string bytes;
        DWORD error = 0;
        if (ReadWholeFile(path, bytes, error) == ReadResult::CannotOpen &&
            ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            continue;  // taken over by a Quillet that started beside this one
        }
        const std::optional<RecoveryCopy> copy = DecodeRecoveryCopy(bytes);
        bytes = std::string();
        if (!copy) {
            ReportUnreadable(path);
            continue;
        }
        const Choice choice = Ask(*copy);
        if (choice == Choice::Keep) return false;
        if (choice == Choice::Delete) {
            ::DeleteFileA(path.c_str());
            continue;
        }
        if (Open(context, *copy)) {
            AdoptRecoveryCopy(path);
            return true;
        }
        ReportUnreadable(path);
    }
    return false;
}

}  // namespace quillet
