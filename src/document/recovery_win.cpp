#include "document/recovery_win.h"

#include <richedit.h>

#include <algorithm>
#include <memory>
#include <new>

#include "document/document_title_win.h"
#include "document/path_rules.h"
#include "document/recovery_rules.h"
#include "document/recovery_writer_win.h"
#include "platform/code_page_win.h"
#include "platform/editor_change_note.h"
#include "platform/editor_control_win.h"
#include "platform/editor_stream_out_win.h"
#include "platform/editor_text_win.h"
#include "platform/win_handles.h"

namespace quillet {
namespace {

constexpr UINT_PTR kRecoveryTimer = 0x5152;  // on the main window, whose other timers have other ids

enum class FolderState { Unknown, Ready, Off };

struct Session {
    HWND mainWindow = nullptr;
    HWND* editor = nullptr;  // the main window's record: a load puts a fresh editor there
    std::string folder;
    std::string id;
    std::string copyPath;
    std::string strayCopy;  // another's copy taken over where it lay (it could not be renamed)
    UniqueKernelHandle mutex;
    RecoveryWriter writer;
    RecoverySchedule schedule;
    FolderState folderState = FolderState::Unknown;
    bool copyMade = false;  // a copy was handed to the writer (or taken over) and not deleted since
    bool timerSet = false;
    std::uint64_t timerDueMs = 0;
};

std::unique_ptr<Session>& TheSession() {
    static std::unique_ptr<Session> session;
    return session;
}

std::uint64_t NowMs() { return ::GetTickCount64(); }

std::uint64_t FileTimeNow() {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

std::uint64_t Mixed(std::uint64_t x) {  // splitmix64's finaliser
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// An id no running Quillet holds and no copy on disk has, and its mutex.
bool TakeOwnId(Session& session) {
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    const std::uint64_t seed = FileTimeNow() ^ (static_cast<std::uint64_t>(counter.QuadPart) << 7) ^
                               (static_cast<std::uint64_t>(::GetCurrentProcessId()) << 40);
    for (std::uint64_t attempt = 1; attempt <= 16; ++attempt) {
        const std::string id = RecoveryIdFrom(Mixed(seed + attempt * 0x9E3779B97F4A7C15ull));
        const std::string name = RecoveryMutexName(id);
        ::SetLastError(ERROR_SUCCESS);
        UniqueKernelHandle mutex(::CreateMutexA(nullptr, FALSE, name.c_str()));
        const DWORD error = ::GetLastError();
        if (!mutex) return false;
        const std::string path = session.folder + "\\" + RecoveryFileName(id);
        if (error == ERROR_ALREADY_EXISTS || ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        session.id = id;
        session.copyPath = path;
        session.mutex = std::move(mutex);
        return true;
    }
    return false;
}

// Made and tried once, when the first copy is due. A folder that takes no
// file turns recovery off for the run; a full disk only skips this copy.
bool FolderReady(Session& session) {
    if (session.folderState != FolderState::Unknown) return session.folderState == FolderState::Ready;
    const char* folder = session.folder.c_str();
    char probe[MAX_PATH] = {};
    DWORD error = ERROR_SUCCESS;
    if (!::CreateDirectoryA(folder, nullptr)) error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS) {
        const DWORD attributes = ::GetFileAttributesA(folder);
        error = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ERROR_SUCCESS
                                                                                               : ERROR_DIRECTORY;
    }
    if (error == ERROR_SUCCESS && session.folder.size() >= MAX_PATH - 14) error = ERROR_FILENAME_EXCED_RANGE;
    if (error == ERROR_SUCCESS && !::GetTempFileNameA(folder, "qlt", 0, probe)) error = ::GetLastError();
    if (error == ERROR_SUCCESS) {
        ::DeleteFileA(probe);
        session.folderState = FolderState::Ready;
        return true;
    }
    if (error != ERROR_DISK_FULL && error != ERROR_HANDLE_DISK_FULL) {
        session.folderState = FolderState::Off;
        session.schedule.Clear();
    }
    return false;
}

void DeleteCopy(Session& session) {
    session.schedule.Clear();
    if (!session.copyMade) return;
    session.writer.Discard(session.copyPath);
    if (!session.strayCopy.empty()) ::DeleteFileA(session.strayCopy.c_str());
    session.strayCopy.clear();
    session.copyMade = false;
}

bool AppendPiece(void* text, const char* bytes, std::size_t count) {
    try {
        static_cast<std::string*>(text)->append(bytes, count);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// The whole text in UTF-16, lines joined by CR LF exactly as the editor
// streams it out, but in one message: under Wine a quarter of the stream's
// time (0.1 s against 0.4 s at 10 MB), and this is the part of a copy that
// holds up typing. The 1.0 control lacks the message and streams.
bool TakeText(HWND editor, std::string& bytes) {
    if (IsRichEdit10(editor)) return StreamEditorTextOut(editor, StreamText::Unicode, AppendPiece, &bytes);
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_USECRLF | GTL_PRECISE, 1200};
    const LRESULT units = ::SendMessageA(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    if (units < 0 || static_cast<unsigned long long>(units) >= MAXDWORD / sizeof(wchar_t) - 1) return false;
    GETTEXTEX take{};
    take.cb = static_cast<DWORD>((units + 1) * sizeof(wchar_t));
    take.flags = GT_USECRLF;
    take.codepage = 1200;
    try {
        bytes.assign(take.cb, '\0');
    } catch (const std::bad_alloc&) {
        return false;
    }
    const LRESULT taken = ::SendMessageA(editor, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&take),
                                         reinterpret_cast<LPARAM>(bytes.data()));
    if (taken < 0 || taken > units) return false;
    bytes.resize(static_cast<std::size_t>(taken) * sizeof(wchar_t));
    return true;
}

std::u16string Utf16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

// Takes the document for a copy and hands it to the writer. Whatever comes
// of it, the changes so far count as tried: the next change brings the next
// try, never a loop of them.
void TakeCopy(Session& session) {
    HWND editor = *session.editor;
    if (!IsModified(editor)) {
        DeleteCopy(session);
        return;
    }
    session.schedule.NoteTaken();
    if (!FolderReady(session)) return;
    RecoveryCopy copy;
    const std::string path = CurrentPath(session.mainWindow);
    copy.untitled = IsUntitled(path);
    if (!copy.untitled) copy.path = Utf16(FromCodePage(path));
    copy.time = FileTimeNow();
    copy.mark = GetLineMark(editor);
    if (!TakeText(editor, copy.text)) return;
    session.writer.Submit(session.copyPath, std::move(copy));
    session.copyMade = true;
}

VOID CALLBACK OnRecoveryTimer(HWND, UINT, UINT_PTR, DWORD);

// The timer goes off when the copy is due; a later change only moves the due
// time on, and the timer, going off early, sets itself again.
void ArmTimer(Session& session) {
    if (!session.schedule.Waiting()) return;
    const std::uint64_t due = session.schedule.DueAt();
    if (session.timerSet && session.timerDueMs <= due) return;
    const std::uint64_t delay = std::max<std::uint64_t>(session.schedule.DelayFrom(NowMs()), USER_TIMER_MINIMUM);
    session.timerSet = ::SetTimer(session.mainWindow, kRecoveryTimer, static_cast<UINT>(delay), OnRecoveryTimer) != 0;
    session.timerDueMs = due;
}

VOID CALLBACK OnRecoveryTimer(HWND, UINT, UINT_PTR, DWORD) {
    Session* session = TheSession().get();
    if (!session) return;
    ::KillTimer(session->mainWindow, kRecoveryTimer);
    session->timerSet = false;
    if (!session->schedule.Waiting()) return;
    if (session->schedule.DelayFrom(NowMs()) > 0) {
        ArmTimer(*session);
        return;
    }
    TakeCopy(*session);
}

void NoteRecoveryChange() {
    Session* session = TheSession().get();
    if (!session || session->folderState == FolderState::Off) return;
    session->schedule.NoteChange(NowMs());
    ArmTimer(*session);
}

}  // namespace

bool StartRecovery(const CommandContext& context) {
    StopRecovery();
    auto session = std::make_unique<Session>();
    session->mainWindow = context.mainWindow;
    session->editor = &context.editor;
    session->folder = RecoveryFolderFor(context.settingsPath);
    if (!TakeOwnId(*session) || !session->writer.Start()) return false;
    TheSession() = std::move(session);
    SetEditorChangeListener(NoteRecoveryChange);
    return true;
}

void StopRecovery() {
    std::unique_ptr<Session>& session = TheSession();
    if (!session) return;
    SetEditorChangeListener(nullptr);
    if (session->timerSet) ::KillTimer(session->mainWindow, kRecoveryTimer);
    session->writer.Stop();
    session.reset();
}

void EndRecovery() {
    if (Session* session = TheSession().get()) DeleteCopy(*session);
    StopRecovery();
}

void WatchRecovery(const CommandContext& context) {
    Session* session = TheSession().get();
    if (!session) return;
    if (!IsModified(context.editor)) {
        DeleteCopy(*session);
    } else if (!session->copyMade && !session->schedule.Waiting()) {
        NoteRecoveryChange();
    }
}

void WriteRecoveryCopyNow(const CommandContext& context) {
    Session* session = TheSession().get();
    if (!session) return;
    if (session->schedule.Waiting() || !session->copyMade || !IsModified(context.editor)) TakeCopy(*session);
    session->writer.WaitUntilIdle();
}

const std::string& RecoveryFolder() {
    static const std::string none;
    return TheSession() ? TheSession()->folder : none;
}

const std::string& RecoveryId() {
    static const std::string none;
    return TheSession() ? TheSession()->id : none;
}

bool AdoptRecoveryCopy(const std::string& path) {
    Session* session = TheSession().get();
    if (!session) return false;
    session->copyMade = true;
    if (::MoveFileExA(path.c_str(), session->copyPath.c_str(), MOVEFILE_WRITE_THROUGH)) {
        session->folderState = FolderState::Ready;
        return true;
    }
    session->strayCopy = path;
    NoteRecoveryChange();
    return false;
}

}  // namespace quillet
