#include "settings_edit.h"

#include <algorithm>
#include <set>

#include "settings/settings_cipher.h"
#include "settings/settings_file.h"
#include "settings/settings_layout.h"

namespace {

// The installer asks with an empty section and number 0.
constexpr std::string_view kInstallerSection = "";
constexpr std::int32_t kInstallerNumber = 0;

std::size_t LineNumberAt(std::string_view content, std::size_t position) {
    return 1 +
           static_cast<std::size_t>(std::count(content.begin(), content.begin() + position, '\n'));
}

std::string_view FileLineEnd(std::string_view content) {
    std::size_t lf = content.find('\n');
    if (lf == std::string_view::npos) return kDefaultLineEnd;
    return lf > 0 && content[lf - 1] == '\r' ? "\r\n" : "\n";
}

bool SameLookup(std::string_view before, std::string_view after, std::string_view key) {
    SettingRecord old, now;
    bool foundBefore = FindSettingInText(before, kInstallerSection, key, kInstallerNumber, old);
    bool foundAfter = FindSettingInText(after, kInstallerSection, key, kInstallerNumber, now);
    return foundBefore == foundAfter && old.Number == now.Number && old.Section == now.Section &&
           old.Key == now.Key && old.Value == now.Value;
}

}  // namespace

SetSettingResult SetSettingInText(std::string_view content, std::string_view key,
                                  std::string_view hexValue) {
    SetSettingResult result;
    const SettingsFileLayout layout = SplitSettingsFile(content);

    const SettingsFileRecord* taken = nullptr;
    for (const auto& record : layout.Records) {
        SettingRecord cut = CutSettingRecord(record.Heading.Text, record.Entry.Text);
        if (SettingRecordMatches(cut, kInstallerSection, key, kInstallerNumber)) {
            if (cut.Key != key) {
                result.Outcome = SetSettingOutcome::Shadowed;
                result.Line = LineNumberAt(content, record.Heading.RawBegin);
                return result;
            }
            taken = &record;
            break;
        }
    }

    std::string entry;
    std::size_t replaceBegin, replaceEnd;
    if (taken) {
        const SettingsLine& line = taken->Entry;
        // The key is not empty and holds no ";", so the line has two separators.
        std::size_t valueStart = static_cast<std::size_t>(SeparatorPosition(line.Text, 2)) + 1;
        std::size_t lf = line.Text.find('\n');
        // Text and file bytes agree up to the line end; only a CR before the LF differs.
        std::string_view lineEnd =
            lf == std::string::npos
                ? FileLineEnd(content)
                : content.substr(line.RawBegin + lf, line.RawEnd - line.RawBegin - lf);
        entry = line.Text.substr(0, valueStart);
        entry += hexValue;
        if (entry.size() + 1 > kEntryReadLimit) {
            result.Outcome = SetSettingOutcome::EntryTooLong;
            return result;
        }
        entry += lineEnd;
        replaceBegin = line.RawBegin;
        replaceEnd = line.RawEnd;
        result.Outcome = SetSettingOutcome::Replaced;
    } else {
        std::size_t end = layout.Records.empty() ? 0 : layout.Records.back().Entry.RawEnd;
        if (end > 0 && content[end - 1] != '\n') {
            result.Outcome = SetSettingOutcome::NoLineEnd;
            result.Line = LineNumberAt(content, layout.Records.back().Heading.RawBegin);
            return result;
        }
        std::string_view lineEnd = FileLineEnd(content);
        std::string line =
            std::string(kNewRecordNumber) + ";" + std::string(key) + ";" + std::string(hexValue);
        if (line.size() + 1 > kEntryReadLimit) {
            result.Outcome = SetSettingOutcome::EntryTooLong;
            return result;
        }
        entry = ";" + std::string(kNewRecordSection) + ";" + std::string(lineEnd) + line +
                std::string(lineEnd);
        // A line without a partner at the end stays the last line, unexamined as before.
        replaceBegin = replaceEnd = end;
        result.Outcome = SetSettingOutcome::Appended;
    }

    std::string edited(content.substr(0, replaceBegin));
    edited += entry;
    edited += content.substr(replaceEnd);

    // What the installer will read, checked with its own reader: the new value
    // for the key, and for every other key what it read before.
    std::set<std::string> keys;
    for (const auto& record : layout.Records) {
        keys.insert(CutSettingRecord(record.Heading.Text, record.Entry.Text).Key);
    }
    keys.erase(std::string(key));
    for (const auto& other : keys) {
        if (!SameLookup(content, edited, other)) {
            result.Outcome = SetSettingOutcome::OtherValueChanged;
            result.OtherKey = other;
            return result;
        }
    }
    SettingRecord check;
    if (!FindSettingInText(edited, kInstallerSection, key, kInstallerNumber, check) ||
        check.Key != key || check.Value != DecryptSetting(hexValue, kSettingsKey)) {
        result.Outcome = SetSettingOutcome::NotReadBack;
        return result;
    }
    result.Content = std::move(edited);
    return result;
}
