// slidepub-settings: writes and reads the product's settings file on a
// machine without the product's Windows tools. FILE arguments are taken like
// the installer's own paths (a backslash separates folders).

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"
#include "settings/settings_cipher.h"
#include "settings/settings_file.h"
#include "settings/settings_layout.h"
#include "settings_edit.h"
#include "settings_tool_messages.h"

namespace {

// Exit codes of the tool.
constexpr int kExitOk = 0;
constexpr int kExitNoRecord = 1;
constexpr int kExitBadInput = 2;
constexpr int kExitFileError = 3;
constexpr int kExitRecordsInTheWay = 4;

// The longest value whose padded blocks fit the record's value field.
constexpr std::size_t kMaxValueBytes = kMaxHexValueLength / 16 * 8;

namespace fs = std::filesystem;

void PrintLine(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

int BadHex(std::string_view hex) {
    if (hex.size() % 2 != 0) {
        std::fprintf(stderr, kHexOddLength, hex.size());
        return kExitBadInput;
    }
    for (std::size_t i = 0; i < hex.size(); ++i) {
        char c = hex[i];
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) {
            std::fprintf(stderr, kHexBadCharacter, i + 1, static_cast<unsigned char>(c));
            return kExitBadInput;
        }
    }
    return kExitOk;
}

int BadKey(std::string_view key) {
    if (key.empty()) {
        std::fputs(kKeyEmpty, stderr);
        return kExitBadInput;
    }
    if (key.find_first_of(";\r\n") != std::string_view::npos) {
        std::fputs(kKeyBadCharacter, stderr);
        return kExitBadInput;
    }
    if (key.size() > kMaxKeyLength) {
        std::fprintf(stderr, kKeyTooLong, kMaxKeyLength);
        return kExitBadInput;
    }
    return kExitOk;
}

int Encrypt(std::string_view value) {
    PrintLine(EncryptSetting(value, kSettingsKey));
    return kExitOk;
}

int Decrypt(std::string_view hex) {
    if (int bad = BadHex(hex)) return bad;
    PrintLine(DecryptSetting(hex, kSettingsKey));
    return kExitOk;
}

int Get(const std::string& file, const std::string& key) {
    std::string content;
    if (!ReadSettingsFileBytes(file, content)) {
        std::fprintf(stderr, kCannotRead, file.c_str());
        return kExitFileError;
    }
    // Exactly the installer's lookup: empty section, number 0.
    SettingRecord record;
    if (!FindSetting("", key, 0, file, record)) {
        std::fprintf(stderr, kNoRecord, file.c_str(), key.c_str());
        return kExitNoRecord;
    }
    PrintLine(record.Value);
    return kExitOk;
}

// Writes the content to a new file beside the target and renames it over the
// target, so an interrupted run leaves the old file or the new one, never a
// half-written file.
bool ReplaceFile(const fs::path& target, const std::string& content, bool keepPermissions) {
    std::random_device random;
    fs::path temporary;
    FileHandle out;
    for (int attempt = 0; attempt < 10 && !out; ++attempt) {
        temporary = target;
        temporary += ".new-" + std::to_string(random());
        out.reset(std::fopen(temporary.c_str(), "wbx"));
    }
    if (!out) return false;
    bool written = std::fwrite(content.data(), 1, content.size(), out.get()) == content.size();
    written = std::fflush(out.get()) == 0 && written;
    written = std::fclose(out.release()) == 0 && written;
    std::error_code error;
    if (written && keepPermissions) {
        fs::perms permissions = fs::status(target, error).permissions();
        if (!error) fs::permissions(temporary, permissions, error);
    }
    if (written && !error) fs::rename(temporary, target, error);
    if (!written || error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

int Set(const std::string& file, const std::string& key, const std::string& value) {
    if (int bad = BadKey(key)) return bad;
    if (value.size() > kMaxValueBytes) {
        std::fprintf(stderr, kValueTooLong, kMaxValueBytes, kMaxHexValueLength);
        return kExitBadInput;
    }

    // A link keeps pointing at the file: the new file replaces its target.
    std::error_code error;
    fs::path target = NativePath(file);
    if (fs::is_symlink(target, error)) {
        target = fs::canonical(target, error);
        if (error) {
            std::fprintf(stderr, kCannotRead, file.c_str());
            return kExitFileError;
        }
    }
    bool exists = fs::exists(fs::symlink_status(target, error));
    std::string content;
    if (exists && !ReadSettingsFileBytes(target.string(), content)) {
        std::fprintf(stderr, kCannotRead, file.c_str());
        return kExitFileError;
    }

    SetSettingResult result = SetSettingInText(content, key, EncryptSetting(value, kSettingsKey));
    switch (result.Outcome) {
        case SetSettingOutcome::Replaced:
        case SetSettingOutcome::Appended:
            break;
        case SetSettingOutcome::Shadowed:
            std::fprintf(stderr, kShadowed, result.Line, file.c_str(), key.c_str(), file.c_str());
            return kExitRecordsInTheWay;
        case SetSettingOutcome::NoLineEnd:
            std::fprintf(stderr, kNoLineEnd, file.c_str(), result.Line, file.c_str());
            return kExitRecordsInTheWay;
        case SetSettingOutcome::EntryTooLong:
            std::fprintf(stderr, kEntryTooLong, key.c_str(), kEntryReadLimit - 1, file.c_str());
            return kExitBadInput;
        case SetSettingOutcome::OtherValueChanged:
            std::fprintf(stderr, kOtherValueChanged, result.OtherKey.c_str(), file.c_str());
            return kExitRecordsInTheWay;
        case SetSettingOutcome::NotReadBack:
            std::fprintf(stderr, kNotReadBack, key.c_str(), file.c_str());
            return kExitRecordsInTheWay;
    }
    if (!ReplaceFile(target, result.Content, exists)) {
        std::fprintf(stderr, kCannotWrite, file.c_str());
        return kExitFileError;
    }
    return kExitOk;
}

struct Command {
    std::string_view name;
    std::size_t arguments;
};

constexpr Command kCommands[] = {{"encrypt", 1}, {"decrypt", 1}, {"get", 2}, {"set", 3}};

int Run(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fputs(kUsage, stderr);
        return kExitBadInput;
    }
    const std::string& name = args[0];
    if (name == "help" || name == "--help" || name == "-h") {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    const Command* command = nullptr;
    for (const auto& c : kCommands) {
        if (c.name == name) command = &c;
    }
    if (!command) {
        std::fprintf(stderr, kUnknownCommand, name.c_str());
        std::fputs(kUsage, stderr);
        return kExitBadInput;
    }
    if (args.size() - 1 != command->arguments) {
        std::fprintf(stderr, kWrongArgumentCount, name.c_str());
        std::fputs(kUsage, stderr);
        return kExitBadInput;
    }
    if (name == "encrypt") return Encrypt(args[1]);
    if (name == "decrypt") return Decrypt(args[1]);
    if (name == "get") return Get(args[1], args[2]);
    return Set(args[1], args[2], args[3]);
}

}  // namespace

int main(int argc, char* argv[]) {
    int status = Run(std::vector<std::string>(argv + 1, argv + argc));
    std::fflush(stdout);
    return status;
}
