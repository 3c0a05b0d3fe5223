#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Editing a settings file in memory so that the installer reads a new value
// for one key, and every other record stays byte for byte as it was.

// Section and number of a record that the tool adds. Both must be non-empty
// and non-zero: a record with an empty section or number 0 would be taken by
// the installer for every key it asks for.
inline constexpr std::string_view kNewRecordSection = "DB";
inline constexpr std::string_view kNewRecordNumber = "1";

// A new line's end when the file has none to copy: the product's own files
// come from Windows.
inline constexpr std::string_view kDefaultLineEnd = "\r\n";

// The product's record holds keys and values of at most 200 characters; its
// Windows reader would overflow on longer ones, so the tool writes none.
inline constexpr std::size_t kMaxKeyLength = 200;
inline constexpr std::size_t kMaxHexValueLength = 200;

enum class SetSettingOutcome {
    Replaced,           // the value of the first record with the key was replaced
    Appended,           // a new record was added after the last record
    Shadowed,           // an earlier record is taken for the key: see Line
    NoLineEnd,          // the last record has no line end to add a record behind
    EntryTooLong,       // the entry line would not fit into one read of the installer
    OtherValueChanged,  // the edit would change what the installer reads for OtherKey
    NotReadBack,        // the installer would still not read the new value
};

struct SetSettingResult {
    SetSettingOutcome Outcome = SetSettingOutcome::Replaced;
    std::string Content;   // the new file when replaced or appended
    std::size_t Line = 0;  // the heading line of the record the message is about
    std::string OtherKey;
};

// The file's content with the value of key set to the hexadecimal text.
SetSettingResult SetSettingInText(std::string_view content, std::string_view key,
                                  std::string_view hexValue);
