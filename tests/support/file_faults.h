// Faults in the program's file calls: writes that stop part-way or
// take less than they are given, flushes that fail, replaces and moves that
// fail the ways the system's can. A FileFaults object undoes every fault
// installed while it lives.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/swapped_system_calls.h"

namespace quillet::test {

class FileFaults {
public:
    FileFaults() = default;
    ~FileFaults();
    FileFaults(const FileFaults&) = delete;
    FileFaults& operator=(const FileFaults&) = delete;

    // Writes go through until a file holds `offset` bytes; the write that
    // would pass it writes up to there and fails with error. With a path,
    // only writes to the file now at that path fail (copies of it still
    // write).
    void FailWritesAt(unsigned long long offset, DWORD error = ERROR_DISK_FULL);
    void FailWritesToFileAt(const std::string& path, unsigned long long offset);
    // Every write takes at most `most` bytes of what it is given, succeeds,
    // and says how many it took.
    void ShortenWrites(DWORD most);
    // Every flush fails with error; with a path, only the file now there.
    void FailFlushes(DWORD error = ERROR_IO_DEVICE);
    void FailFlushesToFileAt(const std::string& path);

    // The replace touches nothing and fails with error.
    void RefuseReplaces(DWORD error);
    // The replace moves the old file to the backup name, then fails as the
    // system's can: the new file stays under its temporary name.
    void StopReplacesAfterTheBackup();
    // The replace deletes the old file, then fails: what the system's does
    // when given no backup name.
    void LoseTheOldFileInReplaces();
    // The next `count` moves fail with ERROR_ACCESS_DENIED.
    void FailMoves(int count);
    // The replace works, then another program opens the old file (now under
    // the backup name) without delete sharing, until CloseKeptFiles.
    void KeepBackupsOpen();
    void CloseKeptFiles();
    // Reads of the file now at path give its first byte changed.
    void CorruptReadsOfFileAt(const std::string& path);
    // No size can be read (ERROR_IO_DEVICE).
    void FailFileSizes();
    // What the system says of links, for cases a test cannot make: the file
    // now at path has two names, or was reached in another folder; every
    // file and folder was reached under another drive (alike: no link); no
    // file's information can be read.
    void GiveFileAtTwoNames(const std::string& path);
    void ReachFileAtElsewhere(const std::string& path);
    void ReachEverythingElsewhere();
    void FailFileInformation();

private:
    SwappedSystemCalls calls_;
};

// A read hook that reads the first megabyte, then fails with ERROR_CRC as a
// failing disk would.
BOOL FailReadsAfterOneMegabyte(HANDLE file, void* data, DWORD size, DWORD* read);

// The identity (volume and file index) of the file now at path: what a
// rewrite in place keeps and a replace changes. "" when it cannot be read.
std::string FileIdentityOf(const std::string& path);

// Makes link a symbolic link to target (both names in folder) on the Unix
// side under Wine, with "ln -s"; false where there is none.
bool MakeUnixSymbolicLink(const std::string& folder, const std::string& target, const std::string& link);

// The names of the files Quillet makes for its temporary copies ("qlt*.tmp")
// in a folder.
std::vector<std::string> TemporaryCopies(const std::string& folder);

// The system's temporary folder, with its final backslash.
std::string SystemTemporaryFolder();

}  // namespace quillet::test
