#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_file.h"

// How the product reads its settings file: records of two lines counted from
// the first line of the file, no line skipped, a last line without a partner
// ignored. The reader and the operator tool share these rules, so the tool
// edits the very records the installer will see.

// One read takes at most this many characters, the LF counting as one; the
// rest of a longer line is the next line of the file. Kept as the product's
// Windows reader has them, because they decide how lines pair into records.
inline constexpr std::size_t kHeadingReadLimit = 199;
inline constexpr std::size_t kEntryReadLimit = 399;

// One line as one read sees it.
struct SettingsLine {
    std::string Text;          // a CR right before the LF dropped; ends with LF unless cut or last
    std::size_t RawBegin = 0;  // the bytes of the file it was read from
    std::size_t RawEnd = 0;
};

// Reads the next line of content from position on, at most limit characters,
// and moves position behind it. False at the end of the content.
bool ReadSettingsLine(std::string_view content, std::size_t& position, std::size_t limit,
                      SettingsLine& line);

struct SettingsFileRecord {
    SettingsLine Heading;
    SettingsLine Entry;
};

// The records of a whole file, and the line without a partner at its end.
struct SettingsFileLayout {
    std::vector<SettingsFileRecord> Records;
    bool HasUnpairedLine = false;
    SettingsLine UnpairedLine;
};

SettingsFileLayout SplitSettingsFile(std::string_view content);

// Position of the n-th ";" (n from 1), counted from 0; the last ";" when the
// line holds fewer; -1 when it holds none.
std::ptrdiff_t SeparatorPosition(std::string_view line, int n);

// The number field as a signed decimal: leading white space skipped, an
// optional sign, digits up to the first other character; 0 without digits.
// Beyond the 32-bit range it stays at the nearest limit.
std::int32_t ParseSettingNumber(std::string_view field);

// A record is taken as soon as any one of section, key or number equals the
// request; the three need not agree.
bool SettingRecordMatches(const SettingRecord& record, std::string_view section,
                          std::string_view key, std::int32_t number);

// Section, number, key and the value as it stands in the file (still the
// hexadecimal text), cut from a record's two lines.
SettingRecord CutSettingRecord(std::string_view heading, std::string_view entry);
