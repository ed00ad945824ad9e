// The thread that writes recovery copies, so that the GUI thread only takes
// the text out of the editor. The one place where the program runs a second
// thread; it touches no window and no state of the GUI thread's, only the
// copy handed to it and the file it names.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "document/recovery_copy.h"
#include "platform/win_handles.h"

namespace quillet {

class RecoveryWriter {
public:
    RecoveryWriter() = default;
    ~RecoveryWriter() { Stop(); }
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // Starts the thread; false when the system would not make it.
    bool Start();
    // Drops a copy still waiting, lets a write in flight complete, and ends
    // the thread.
    void Stop();

    // Writes copy to path (a temporary file beside it, then a replace) as
    // soon as the thread is free. A copy still waiting is dropped for it: only
    // the newest text is worth writing.
    void Submit(std::string path, RecoveryCopy copy);
    // Returns once no copy waits and none is being written.
    void WaitUntilIdle();
    // Drops a copy still waiting, waits for a write in flight, then deletes
    // path: nothing written earlier can bring it back afterwards.
    void Discard(const std::string& path);

private:
    struct Job {
        std::string path;
        RecoveryCopy copy;
    };
    static DWORD WINAPI ThreadMain(void* writer);
    void Run();

    SRWLOCK lock_ = SRWLOCK_INIT;
    std::optional<Job> pending_;  // under lock_
    bool stopping_ = false;       // under lock_
    UniqueKernelHandle wake_;     // auto-reset: a job or the stop is there
    UniqueKernelHandle idle_;     // manual-reset: set while nothing waits and nothing is written
    UniqueKernelHandle thread_;
};

}  // namespace quillet
