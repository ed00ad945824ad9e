// A real full disk for the tests: the test run mounts a small file system
// of a few megabytes and names it in QUILLET_SMALL_DISK (a Windows path).
// Each test makes a folder of its own there, fills the disk itself, and
// cleans up; where the variable is not set, tests inject the failure.
#pragma once

#include <string>

namespace quillet::test {

// The small disk's folder, or "" when the run has none.
std::string SmallDiskPath();

// A fresh folder on the small disk, removed with everything in it at the end.
class SmallDiskFolder {
public:
    SmallDiskFolder();
    ~SmallDiskFolder();
    SmallDiskFolder(const SmallDiskFolder&) = delete;
    SmallDiskFolder& operator=(const SmallDiskFolder&) = delete;

    // False when there is no small disk (or the folder could not be made).
    bool Available() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

    // Fills the disk to its last byte with a file of this folder; false when
    // the file could not be made.
    bool Fill();
    // Takes the filling away again.
    void Free();

private:
    std::string path_;
};

}  // namespace quillet::test
