#include "document/recovery_writer_win.h"

#include <new>

#include "document/file_io_win.h"
#include "document/file_replace_win.h"

namespace quillet {
namespace {

class Locked {
public:
    explicit Locked(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
    ~Locked() { ::ReleaseSRWLockExclusive(&lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    SRWLOCK& lock_;
};

// The safe write that Save uses. A failure says nothing: the text is still in
// the editor, and the next change brings the next try. What the write could
// not clear away is never named to anyone, so it is sorted out here: where
// the copy's name lost its whole copy, the newest whole copy left elsewhere
// goes back there; spare copies are deleted once a whole one is in place.
void WriteCopy(const std::string& path, const RecoveryCopy& copy) {
    const std::string folder = path.substr(0, path.find_last_of('\\'));
    ::CreateDirectoryA(folder.c_str(), nullptr);  // deleted while we ran? (an existing folder is fine)
    const std::string bytes = EncodeRecoveryCopy(copy);
    const ReplaceOutcome outcome = ReplaceFileContents(path, SourceOfBytes(bytes));
    bool whole = outcome.written || (!outcome.fileChanged && ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES);
    for (const std::string& spare : {outcome.newBytesCopy, outcome.oldFileCopy}) {
        if (spare.empty()) continue;
        if (whole) {
            ::DeleteFileA(spare.c_str());
        } else {
            whole = ::MoveFileExA(spare.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != FALSE;
        }
    }
}

}  // namespace

bool RecoveryWriter::Start() {
    if (thread_) return true;
    stopping_ = false;
    wake_.Reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    idle_.Reset(::CreateEventA(nullptr, TRUE, TRUE, nullptr));
    if (!wake_ || !idle_) return false;
    thread_.Reset(::CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr));
    return thread_.Valid();
}

void RecoveryWriter::Stop() {
    if (!thread_) return;
    {
        Locked locked(lock_);
        stopping_ = true;
        pending_.reset();
    }
    ::SetEvent(wake_.Get());
    ::WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Reset();
}

void RecoveryWriter::Submit(std::string path, RecoveryCopy copy) {
    if (!thread_) return;
    {
        Locked locked(lock_);
        pending_ = Job{std::move(path), std::move(copy)};
        ::ResetEvent(idle_.Get());
    }
    ::SetEvent(wake_.Get());
}

void RecoveryWriter::WaitUntilIdle() {
    if (thread_) ::WaitForSingleObject(idle_.Get(), INFINITE);
}

void RecoveryWriter::Discard(const std::string& path) {
    {
        Locked locked(lock_);
        pending_.reset();
    }
    WaitUntilIdle();
    ::DeleteFileA(path.c_str());
}

DWORD WINAPI RecoveryWriter::ThreadMain(void* writer) {
    static_cast<RecoveryWriter*>(writer)->Run();
    return 0;
}

void RecoveryWriter::Run() {
    for (;;) {
        ::WaitForSingleObject(wake_.Get(), INFINITE);
        for (;;) {
            std::optional<Job> job;
            {
                Locked locked(lock_);
                if (stopping_ || !pending_) {
                    // Set under the lock, as Submit resets it under the lock.
                    ::SetEvent(idle_.Get());
                    if (stopping_) return;
                    break;
                }
                job.swap(pending_);
            }
            try {
                WriteCopy(job->path, job->copy);
            } catch (const std::bad_alloc&) {
                // No room for the file's bytes: no copy this time.
            }
        }
    }
}

}  // namespace quillet
