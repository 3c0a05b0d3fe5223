#include "settings/settings_file.h"

#include <cstdio>

#include "platform/files.h"
#include "settings/settings_cipher.h"
#include "settings/settings_layout.h"

namespace {

SettingRecord& ProcessSettingRecord() {
    static SettingRecord record;
    return record;
}

}  // namespace

bool ReadSettingsFileBytes(std::string_view path, std::string& content) {
    content.clear();
    FileHandle file = OpenFile(path, "rb");
    if (!file) return false;
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        content.append(buffer, count);
    }
    return !std::ferror(file.get());
}

bool FindSettingInText(std::string_view content, std::string_view section, std::string_view key,
                       std::int32_t number, SettingRecord& record) {
    record = SettingRecord{};
    std::size_t position = 0;
    SettingsLine heading, entry;
    while (true) {
        // A heading line that cannot be read leaves nothing for the entry line either.
        ReadSettingsLine(content, position, kHeadingReadLimit, heading);
        if (!ReadSettingsLine(content, position, kEntryReadLimit, entry)) break;
        record = CutSettingRecord(heading.Text, entry.Text);
        if (SettingRecordMatches(record, section, key, number)) {
            record.Value = DecryptSetting(record.Value, kSettingsKey);
            return true;
        }
        record = SettingRecord{};
    }
    record = SettingRecord{};
    return false;
}

bool FindSetting(std::string_view section, std::string_view key, std::int32_t number,
                 std::string_view path, SettingRecord& record) {
    std::string content;
    if (!ReadSettingsFileBytes(path, content)) {
        record = SettingRecord{};
        return false;
    }
    return FindSettingInText(content, section, key, number, record);
}

const SettingRecord& ReadSetting(std::string_view section, std::string_view key,
                                 std::int32_t number, std::string_view path) {
    SettingRecord& record = ProcessSettingRecord();
    FindSetting(section, key, number, path, record);
    return record;
}
