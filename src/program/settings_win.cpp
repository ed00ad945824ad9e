#include "program/settings_win.h"

#include <windows.h>

#include "platform/program_file_win.h"
#include "platform/win_handles.h"
#include "program/settings_rules.h"

namespace quillet {
namespace {

std::string& SettingsPathStorage() {
    static std::string path;
    return path;
}

enum class PathKind { Missing, File, Folder, Unknown };

PathKind QueryPath(const std::string& path) {
    WIN32_FIND_DATAA found{};
    UniqueFind find(::FindFirstFileA(path.c_str(), &found));
    if (!find) {
        const DWORD error = ::GetLastError();
        return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? PathKind::Missing
                                                                                : PathKind::Unknown;
    }
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

}  // namespace

const std::string& SettingsFilePath() { return SettingsPathStorage(); }

void SetSettingsFilePath(std::string path) { SettingsPathStorage() = std::move(path); }

std::string LocateSettingsFile() {
    const std::string program = ProgramFilePath();
    return program.empty() ? kSettingsFileName : SettingsPathFor(program);
}

std::string ReadSetting(const std::string& file, const char* section, const char* key) {
    char value[kMaxSettingLength + 1] = {};
    ::GetPrivateProfileStringA(section, key, "", value, sizeof value, file.c_str());
    return value;
}

bool WriteSetting(const std::string& file, const char* section, const char* key,
                  const std::string& value) {
    return ::WritePrivateProfileStringA(section, key, value.c_str(), file.c_str()) != FALSE;
}

void CreateDefaultSettings(const std::string& file) {
    if (QueryPath(file) != PathKind::Missing) return;
    for (const SettingRow& row : kDefaultSettings) {
        WriteSetting(file, row.section, row.key, row.defaultValue);
    }
}

}  // namespace quillet
