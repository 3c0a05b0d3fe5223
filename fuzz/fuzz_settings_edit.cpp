// The operator tool's edit of a settings file over any file content: it must
// neither crash nor read out of bounds, and an edit it accepts must leave the
// file so that the installer's reader finds the new value for the key, with
// the rest of the file kept byte for byte around one changed place.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/settings_cipher.h"
#include "settings/settings_file.h"
#include "settings_edit.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// Bytes the two texts share at their start, and then at their end.
std::size_t CommonPrefix(std::string_view a, std::string_view b) {
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first -
                                    a.begin());
}

std::size_t CommonSuffix(std::string_view a, std::string_view b, std::size_t limit) {
    std::size_t n = 0;
    while (n < limit && n < a.size() && n < b.size() && a[a.size() - 1 - n] == b[b.size() - 1 - n])
        ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the key, the next up to 24 bytes the value (as
    // many as the second byte says), the rest is the file.
    if (size < 2) return 0;
    static const char* const kKeys[] = {"LOGIN", "PASS", "DB_SYSTEM", "DATABASE", "K"};
    const std::string key = kKeys[data[0] % 5];
    const std::size_t valueLength = std::min<std::size_t>(data[1] % 25, size - 2);
    const std::string value(reinterpret_cast<const char*>(data) + 2, valueLength);
    const std::string_view content(reinterpret_cast<const char*>(data) + 2 + valueLength,
                                   size - 2 - valueLength);
    const std::string hex = EncryptSetting(value, kSettingsKey);

    const SetSettingResult result = SetSettingInText(content, key, hex);
    if (result.Outcome != SetSettingOutcome::Replaced &&
        result.Outcome != SetSettingOutcome::Appended) {
        Check(result.Content.empty());
        return 0;
    }

    SettingRecord found;
    Check(FindSettingInText(result.Content, "", key, 0, found));
    Check(found.Key == key);
    Check(found.Value == value.substr(0, value.find('\0')));

    // One place changed: what the edit kept before and after it is the
    // whole old file, but for the replaced entry line at most.
    const std::size_t prefix = CommonPrefix(content, result.Content);
    const std::size_t suffix = CommonSuffix(
        content, result.Content, std::min(content.size(), result.Content.size()) - prefix);
    if (result.Outcome == SetSettingOutcome::Appended) {
        Check(prefix + suffix == content.size());
    } else {
        Check(prefix + suffix + 1 + 399 + 1 >= content.size());
    }
    return 0;
}
