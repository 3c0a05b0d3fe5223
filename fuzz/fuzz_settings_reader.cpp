// The settings reader over any file content: it must neither crash nor read
// out of bounds, the lines it pairs into records must cover the file exactly,
// and a lookup must take the first record that the record rule accepts.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/settings_cipher.h"
#include "settings/settings_file.h"
#include "settings/settings_layout.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckLayoutCoversContent(std::string_view content, const SettingsFileLayout& layout) {
    std::size_t position = 0;
    auto follow = [&](const SettingsLine& line, std::size_t limit) {
        Check(line.RawBegin == position && line.RawEnd > line.RawBegin);
        Check(line.Text.size() <= limit && line.Text.size() <= line.RawEnd - line.RawBegin);
        position = line.RawEnd;
    };
    for (const auto& record : layout.Records) {
        follow(record.Heading, kHeadingReadLimit);
        follow(record.Entry, kEntryReadLimit);
    }
    if (layout.HasUnpairedLine) follow(layout.UnpairedLine, kHeadingReadLimit);
    Check(position == content.size());
}

// The lookup compared with a walk over the split records.
void CheckLookup(std::string_view content, const SettingsFileLayout& layout,
                 std::string_view section, std::string_view key, std::int32_t number) {
    SettingRecord found;
    const bool taken = FindSettingInText(content, section, key, number, found);
    for (const auto& record : layout.Records) {
        SettingRecord cut = CutSettingRecord(record.Heading.Text, record.Entry.Text);
        if (!SettingRecordMatches(cut, section, key, number)) continue;
        Check(taken);
        Check(found.Number == cut.Number && found.Section == cut.Section && found.Key == cut.Key);
        Check(found.Value == DecryptSetting(cut.Value, kSettingsKey));
        Check(found.Value.find('\0') == std::string::npos);
        return;
    }
    Check(!taken);
    Check(found.Number == 0 && found.Section.empty() && found.Key.empty() && found.Value.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const SettingsFileLayout layout = SplitSettingsFile(content);
    CheckLayoutCoversContent(content, layout);

    // What the installer asks for, then requests taken from the file itself,
    // so the section and number comparisons are reached as well.
    for (std::string_view key : {"LOGIN", "PASS", "DB_SYSTEM", "DATABASE"})
        CheckLookup(content, layout, "", key, 0);
    if (!layout.Records.empty()) {
        const auto& last = layout.Records.back();
        SettingRecord cut = CutSettingRecord(last.Heading.Text, last.Entry.Text);
        CheckLookup(content, layout, cut.Section, cut.Key, cut.Number);
        CheckLookup(content, layout, "\x01", "\x01", cut.Number == 1 ? 2 : 1);
    }
    return 0;
}
