#include "document/recovery_rules.h"

#include <algorithm>

#include "program/settings_rules.h"

namespace quillet {
namespace {

constexpr char kFilePrefix[] = "copy-";
constexpr char kFileSuffix[] = ".txt";
constexpr std::size_t kIdLength = 16;

std::string TwoDigits(int value) {
    const std::string digits = std::to_string(value);
    return digits.size() < 2 ? "0" + digits : digits;
}

}  // namespace

std::string RecoveryFolderFor(std::string_view settingsPath) {
    return FolderPart(settingsPath) + kRecoveryFolderName;
}

std::string RecoveryIdFrom(std::uint64_t bits) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string id(kIdLength, '0');
    for (std::size_t i = kIdLength; i > 0; --i, bits >>= 4) id[i - 1] = kDigits[bits & 0xF];
    return id;
}

std::string RecoveryFileName(std::string_view id) { return kFilePrefix + std::string(id) + kFileSuffix; }

std::string RecoveryMutexName(std::string_view id) { return "Global\\Quillet_Recovery_" + std::string(id); }

std::optional<std::string> RecoveryIdOfFile(std::string_view fileName) {
    const std::size_t prefix = sizeof kFilePrefix - 1;
    const std::size_t suffix = sizeof kFileSuffix - 1;
    const auto sameLetters = [](std::string_view a, std::string_view b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
            return lower(x) == lower(y);
        });
    };
    if (fileName.size() != prefix + kIdLength + suffix || !sameLetters(fileName.substr(0, prefix), kFilePrefix) ||
        !sameLetters(fileName.substr(prefix + kIdLength), kFileSuffix)) {
        return std::nullopt;
    }
    std::string id(fileName.substr(prefix, kIdLength));
    for (char& c : id) {
        if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return std::nullopt;
    }
    return id;
}

std::vector<FoundCopy> OrphansNewestFirst(std::vector<FoundCopy> found, std::string_view ownId) {
    found.erase(std::remove_if(found.begin(), found.end(),
                               [&](const FoundCopy& copy) { return copy.alive || copy.id == ownId; }),
                found.end());
    std::sort(found.begin(), found.end(), [](const FoundCopy& a, const FoundCopy& b) {
        return a.written != b.written ? a.written > b.written : a.id < b.id;
    });
    return found;
}

void RecoverySchedule::NoteChange(std::uint64_t nowMs) {
    if (!waiting_) firstMs_ = nowMs;
    waiting_ = true;
    lastMs_ = nowMs;
}

std::uint64_t RecoverySchedule::DueAt() const { return std::min(lastMs_ + kQuietMs, firstMs_ + kLongestWaitMs); }

std::uint64_t RecoverySchedule::DelayFrom(std::uint64_t nowMs) const {
    const std::uint64_t due = DueAt();
    return due > nowMs ? due - nowMs : 0;
}

std::string FormatLocalTime(const LocalTime& time) {
    return std::to_string(time.year) + "-" + TwoDigits(time.month) + "-" + TwoDigits(time.day) + " " +
           TwoDigits(time.hour) + ":" + TwoDigits(time.minute);
}

std::string RecoveryOfferText(std::string_view name, const LocalTime& time, std::uint64_t characters) {
    return "Quillet found text that was not saved when it last ended:\r\n\r\n" + std::string(name) + ", saved " +
           FormatLocalTime(time) + ", " + std::to_string(characters) +
           " characters\r\n\r\nYes: open it now.\r\nNo: delete it.\r\nCancel: keep it for the next start.";
}

std::string RecoveryUnreadableText(std::string_view copyPath) {
    return "Quillet found text that was not saved when it last ended, but cannot read it:\r\n\r\n" +
           std::string(copyPath) + "\r\n\r\nIt is kept.";
}

}  // namespace quillet
