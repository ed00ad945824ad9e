// The recovery copy's rules apart from the system: where the copies live and
// what they are called, whose copy is orphaned and which is newest, when a
// copy is due, and what the user is told. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// --- Where and what.
inline constexpr char kRecoveryFolderName[] = "Quillet_Recovery";

// The folder beside the settings file (and so beside the program).
std::string RecoveryFolderFor(std::string_view settingsPath);

// A running Quillet's copy id: 16 lowercase hexadecimal digits, made from
// 64 bits that should differ between any two processes.
std::string RecoveryIdFrom(std::uint64_t bits);
// The file of the copy with this id, and the name of the mutex its Quillet
// holds while it runs.
std::string RecoveryFileName(std::string_view id);
std::string RecoveryMutexName(std::string_view id);
// The id a file name names (upper-case digits read as lower-case), or nothing
// for any other file in the folder (a temporary file of a write, say).
std::optional<std::string> RecoveryIdOfFile(std::string_view fileName);
// The pattern FindFirstFile lists candidates with.
inline constexpr char kRecoveryFilePattern[] = "copy-*.txt";

// --- Whose copy, and which first.
struct FoundCopy {
    std::string id;
    std::uint64_t written = 0;  // the file's last write (FILETIME, UTC)
    bool alive = false;         // the mutex of its id exists: its Quillet runs
};

// The copies whose Quillet is gone, other than ours: newest first (by the
// last write, then by id so that the order never depends on the listing's).
std::vector<FoundCopy> OrphansNewestFirst(std::vector<FoundCopy> found, std::string_view ownId);

// --- When. Times in milliseconds of any steady clock.
class RecoverySchedule {
public:
    static constexpr std::uint64_t kQuietMs = 2000;       // after the last change
    static constexpr std::uint64_t kLongestWaitMs = 30000;  // after the first change not in a copy

    // A change that the copy on disk does not hold yet.
    void NoteChange(std::uint64_t nowMs);
    // The text was taken for a copy: every change noted so far is in it.
    void NoteTaken() { waiting_ = false; }
    // Nothing left to write (the copy was deleted, the document is saved).
    void Clear() { waiting_ = false; }

    bool Waiting() const { return waiting_; }
    // When the copy is due: 2 s after the last change, and never later than
    // 30 s after the first change it lacks. Meaningful while Waiting().
    std::uint64_t DueAt() const;
    // Milliseconds from now until due, 0 when due already.
    std::uint64_t DelayFrom(std::uint64_t nowMs) const;

private:
    bool waiting_ = false;
    std::uint64_t firstMs_ = 0;
    std::uint64_t lastMs_ = 0;
};

// --- What the user is told (caption "Quillet").
inline constexpr char kRecoveryCaption[] = "Quillet";
inline constexpr char kRecoveryDeleteQuestion[] = "Delete this text for good?";

struct LocalTime {
    int year;
    int month;
    int day;
    int hour;
    int minute;
};

// "2026-12-08 09:05".
std::string FormatLocalTime(const LocalTime& time);

// The question that offers a copy; name is the document's path or
// "Untitled.txt".
std::string RecoveryOfferText(std::string_view name, const LocalTime& time, std::uint64_t characters);

// What a copy that cannot be read is reported with.
std::string RecoveryUnreadableText(std::string_view copyPath);

}  // namespace quillet
