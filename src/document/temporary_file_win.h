// Files of ours that hold a copy of the text for a while: beside the user's
// file while a save replaces it, or in the system's temporary folder.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "document/file_io_win.h"

namespace quillet {

// A new, empty file of ours with a unique name in folder; "" when the folder
// takes none (the reason is then the last error). The name's memory is taken
// before the file is made, so that running out of it leaves no file behind.
std::string NewTemporaryFile(const std::string& folder);

// The system's temporary folder, with its final backslash; "" when unknown.
std::string SystemTemporaryFolder();

// Removes a file of ours that holds nothing the user needs.
void RemoveOurs(const std::string& path);

// Writes one pass of source into a file of ours, flushes and closes it,
// checking every step; size receives the number of bytes written.
bool WriteCopy(const std::string& copy, const ContentSource& source, unsigned long long& size, DWORD& error);

// A file of ours, removed when the owner goes unless it was kept: however a
// save ends, also when memory runs out part-way, nothing of ours that holds
// nothing needed is left behind.
class OurFile {
public:
    explicit OurFile(std::string name) : name_(std::move(name)) {}
    ~OurFile() {
        if (!name_.empty()) RemoveOurs(name_);
    }
    OurFile(const OurFile&) = delete;
    OurFile& operator=(const OurFile&) = delete;

    const std::string& Name() const { return name_; }
    // The file stays (it holds text that is nowhere else, or it has already
    // moved under another name); its name goes to the caller.
    std::string Keep() { return std::exchange(name_, std::string()); }

private:
    std::string name_;
};

// One pass of source in a new file of ours in the system's temporary folder,
// written, flushed and closed; asks for no memory, so that it can keep a
// text when nothing else can. The name goes into name; false with error set
// and no file left behind.
bool SaveInTemporaryFile(const ContentSource& source, char (&name)[MAX_PATH], DWORD& error);

}  // namespace quillet
