#include "settings/settings_layout.h"

#include <limits>

namespace {

// A positive length takes that many characters, a length of 0 the whole rest
// of the line with its LF, a negative length nothing. Two adjacent
// separators therefore give the second separator and all behind it, not an
// empty field: the product's files rely on the same cut.
std::string CutField(std::string_view line, std::ptrdiff_t start, std::ptrdiff_t length) {
    if (length < 0 || start < 0 || static_cast<std::size_t>(start) > line.size()) return {};
    if (length == 0) return std::string(line.substr(start));
    return std::string(line.substr(start, length));
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool ReadSettingsLine(std::string_view content, std::size_t& position, std::size_t limit,
                      SettingsLine& line) {
    if (position >= content.size()) return false;
    line.Text.clear();
    line.RawBegin = position;
    while (position < content.size() && line.Text.size() < limit) {
        char c = content[position++];
        if (c == '\r' && position < content.size() && content[position] == '\n') continue;
        line.Text += c;
        if (c == '\n') break;
    }
    line.RawEnd = position;
    return true;
}

SettingsFileLayout SplitSettingsFile(std::string_view content) {
    SettingsFileLayout layout;
    std::size_t position = 0;
    SettingsFileRecord record;
    while (ReadSettingsLine(content, position, kHeadingReadLimit, record.Heading)) {
        if (!ReadSettingsLine(content, position, kEntryReadLimit, record.Entry)) {
            layout.HasUnpairedLine = true;
            layout.UnpairedLine = record.Heading;
            break;
        }
        layout.Records.push_back(record);
    }
    return layout;
}

std::ptrdiff_t SeparatorPosition(std::string_view line, int n) {
    std::ptrdiff_t position = -1;
    int found = 0;
    for (std::size_t i = 0; i < line.size() && found < n; ++i) {
        if (line[i] == ';') {
            position = static_cast<std::ptrdiff_t>(i);
            ++found;
        }
    }
    return position;
}

std::int32_t ParseSettingNumber(std::string_view field) {
    std::size_t i = 0;
    while (i < field.size() && IsSpace(field[i])) ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::int64_t magnitude = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        // Once past the range further digits change nothing, so the sum stays small.
        if (magnitude <= kMax + 1) magnitude = magnitude * 10 + (field[i] - '0');
    }
    if (negative) return static_cast<std::int32_t>(-magnitude < kMin ? kMin : -magnitude);
    return static_cast<std::int32_t>(magnitude > kMax ? kMax : magnitude);
}

bool SettingRecordMatches(const SettingRecord& record, std::string_view section,
                          std::string_view key, std::int32_t number) {
    // The product's reader works so, and its files are written for it.
    return record.Section == section || record.Key == key || record.Number == number;
}

SettingRecord CutSettingRecord(std::string_view heading, std::string_view entry) {
    SettingRecord record;
    std::ptrdiff_t p1 = SeparatorPosition(heading, 1), p2 = SeparatorPosition(heading, 2);
    std::ptrdiff_t b1 = SeparatorPosition(entry, 1), b2 = SeparatorPosition(entry, 2);
    std::size_t lineEnd = entry.find('\n');

    record.Section = CutField(heading, p1 + 1, p2 - p1 - 1);
    // Without any ";" there is no number field; the number is 0. A line that
    // starts with ";" cuts the whole line, which reads as 0 as well.
    record.Number = b1 < 0 ? 0 : ParseSettingNumber(CutField(entry, 0, b1));
    record.Key = CutField(entry, b1 + 1, b2 - b1 - 1);
    if (lineEnd == std::string_view::npos) {
        // A line without its line end (the last line, or one cut at the read
        // limit) has no value: its end is what delimits it.
        record.Value.clear();
    } else if (b1 < 0) {
        record.Value = std::string(entry);
    } else {
        // An empty value (the second ";" right before the line end) stays
        // empty instead of being the LF.
        std::ptrdiff_t length = static_cast<std::ptrdiff_t>(lineEnd) - b2 - 1;
        record.Value = length > 0 ? std::string(entry.substr(b2 + 1, length)) : std::string();
    }
    return record;
}
