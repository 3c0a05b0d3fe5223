// The settings cipher over any text and key: the decoder and the decryption
// keep their output sizes, never read past the text, always wipe the key
// schedule, and encryption followed by decryption gives the value back.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/blowfish.h"
#include "settings/settings_cipher.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool ContextIsWiped() {
    const BlowfishContext& context = SettingCipherContext();
    for (std::uint32_t word : context.P)
        if (word != 0) return false;
    for (const auto& box : context.S)
        for (std::uint32_t word : box)
            if (word != 0) return false;
    return true;
}

unsigned DigitValue(unsigned char c) {
    return (c >= 'A' && c <= 'F' ? c - 55u : c - 48u) & 0xFF;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte splits the input into key and text; with its top bit
    // set the key is the one the installer uses.
    if (size == 0) return 0;
    const std::size_t keyLength = std::min<std::size_t>(data[0] % 64, size - 1);
    const std::string_view key =
        data[0] & 0x80 ? kSettingsKey
                       : std::string_view(reinterpret_cast<const char*>(data) + 1, keyLength);
    const std::string_view text(reinterpret_cast<const char*>(data) + 1 + keyLength,
                                size - 1 - keyLength);

    const std::string bytes = HexToBytes(text);
    Check(bytes.size() == text.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned expected =
            (16 * DigitValue(text[2 * i]) + DigitValue(text[2 * i + 1])) & 0xFF;
        Check(static_cast<unsigned char>(bytes[i]) == expected);
    }

    const std::string plain = DecryptSettingBytes(text, key);
    Check(plain.size() == (text.size() + 15) / 16 * 8 + 1 && plain.back() == '\0');
    Check(ContextIsWiped());
    // A missing character of a short last group counts as "0".
    if (text.size() % 16 != 0) {
        std::string padded(text);
        padded.resize((text.size() + 15) / 16 * 16, '0');
        Check(DecryptSettingBytes(padded, key) == plain);
    }

    // A value round-trips up to its first zero byte, which ends it as text.
    const std::string hex = EncryptSetting(text, key);
    Check(ContextIsWiped());
    Check(hex.size() == (text.size() + 7) / 8 * 16);
    Check(hex.find_first_not_of("0123456789ABCDEF") == std::string::npos);
    Check(DecryptSetting(hex, key) == text.substr(0, text.find('\0')));
    return 0;
}
