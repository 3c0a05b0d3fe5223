#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One setting of the product's settings file: a heading line naming the
// section and an entry line "number;key;value", the value stored as
// Blowfish cipher text in upper-case hexadecimal.
struct SettingRecord {
    std::int32_t Number = 0;
    std::string Section;
    std::string Key;
    std::string Value;  // the decrypted value after a lookup that found a record
};

// Looks up a setting in the settings file named by the Windows path. A record
// is taken as soon as its section, its key or its number equals the request;
// its value is decrypted under the settings key. The result is the one
// process-wide record, overwritten by the next lookup: callers copy the value
// at once. A missing file or no matching record gives the cleared record
// (number 0, empty texts), silently.
const SettingRecord& ReadSetting(std::string_view section, std::string_view key,
                                 std::int32_t number, std::string_view path);

// The same lookup into the caller's record; true when a record was taken.
// Lets a caller tell "no record" from "a record with an empty value".
bool FindSetting(std::string_view section, std::string_view key, std::int32_t number,
                 std::string_view path, SettingRecord& record);

// The lookup over the file's bytes already in memory.
bool FindSettingInText(std::string_view content, std::string_view section, std::string_view key,
                       std::int32_t number, SettingRecord& record);

// The whole settings file named by the Windows path, byte for byte; false
// when it cannot be opened or read.
bool ReadSettingsFileBytes(std::string_view path, std::string& content);
