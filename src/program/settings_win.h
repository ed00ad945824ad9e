// The settings file: its location and the profile calls that read and write it.
#pragma once

#include <string>

namespace quillet {

// The settings file beside the running executable, fixed at start-up.
const std::string& SettingsFilePath();
void SetSettingsFilePath(std::string path);  // start-up, and tests
std::string LocateSettingsFile();            // from the executable's own path

// Missing file, section or key read as "". Values are cut to 511 characters.
std::string ReadSetting(const std::string& file, const char* section, const char* key);

// Creates the file, section and key as needed; false when the write failed.
bool WriteSetting(const std::string& file, const char* section, const char* key,
                  const std::string& value);

// Writes every default row when the file does not exist yet. An existing
// file (or a folder of that name) is left exactly as it is.
void CreateDefaultSettings(const std::string& file);

}  // namespace quillet
