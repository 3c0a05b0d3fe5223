#include "settings/settings_cipher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

bool ContextIsAllZero() {
    const BlowfishContext& context = SettingCipherContext();
    std::size_t words = 0;
    for (auto word : context.P) {
        if (word != 0) return false;
        ++words;
    }
    for (const auto& box : context.S) {
        for (auto word : box) {
            if (word != 0) return false;
            ++words;
        }
    }
    return words == 1042;
}

TEST(HexToBytes, DecodesByTheProductsDigitRule) {
    struct Case {
        std::string text, bytes;
    } cases[] = {
        {"", ""},
        {"0", ""},  // an odd character is not decoded
        {"00FF7A", std::string("\x00\xFF\x7A", 3)},
        {"0123456789ABCDEF", "\x01\x23\x45\x67\x89\xAB\xCD\xEF"},
        // Lower case counts its code minus 48: 'a' is 49, so "aa" is 16*49+49 mod 256.
        {"aa", "\x41"},
        {"ab", "\x42"},
        {"fF", std::string(1, static_cast<char>((16 * 54 + 15) % 256))},
        // Any other byte as well: 'G' is 23, LF is 10-48 mod 256.
        {"G0", std::string(1, static_cast<char>((16 * 23) % 256))},
        {"0\n", std::string(1, static_cast<char>(218))},
    };
    for (const auto& c : cases) EXPECT_EQ(HexToBytes(c.text), c.bytes) << c.text;
}

TEST(DecryptSetting, KnownAnswerUnderTheSettingsKey) {
    EXPECT_EQ(DecryptSetting("18D48A6D1679B7D8", kSettingsKey), "geheim");
    EXPECT_EQ(EncryptSetting("geheim", kSettingsKey), "18D48A6D1679B7D8");
    EXPECT_TRUE(ContextIsAllZero());
}

TEST(DecryptSetting, OutputLengthAndTermination) {
    EXPECT_EQ(DecryptSettingBytes("", kSettingsKey), std::string(1, '\0'));
    EXPECT_EQ(DecryptSetting("", kSettingsKey), "");

    const std::string sixteen = "0123456789abcdef";  // no zero byte, no padding
    const std::string hex = EncryptSetting(sixteen, kSettingsKey);
    ASSERT_EQ(hex.size(), 32u);
    EXPECT_EQ(DecryptSettingBytes(hex, kSettingsKey), sixteen + '\0');
    EXPECT_EQ(DecryptSetting(hex, kSettingsKey), sixteen);

    // A zero byte among the plain bytes ends the value.
    const std::string withZero("abc\0defghijk", 12);
    const std::string zeroHex = EncryptSetting(withZero, kSettingsKey);
    EXPECT_EQ(DecryptSettingBytes(zeroHex, kSettingsKey), withZero + std::string(5, '\0'));
    EXPECT_EQ(DecryptSetting(zeroHex, kSettingsKey), "abc");
}

TEST(DecryptSetting, LowerCaseHexDecodesToOtherBytes) {
    EXPECT_NE(DecryptSettingBytes("18d48a6d1679b7d8", kSettingsKey),
              DecryptSettingBytes("18D48A6D1679B7D8", kSettingsKey));
}

// A group shorter than 16 characters counts its missing characters as "0"
// and reads nothing past the text (the sanitizer build shows the latter).
TEST(DecryptSetting, ShortLastGroupIsFilledWithZeroDigits) {
    const std::string full = EncryptSetting("abcdefghijklmnop", kSettingsKey);
    const std::string twenty = full.substr(0, 20);
    const std::string filled = twenty + std::string(12, '0');
    std::string bytes = DecryptSettingBytes(twenty, kSettingsKey);
    EXPECT_EQ(bytes.size(), 17u);
    EXPECT_EQ(bytes, DecryptSettingBytes(filled, kSettingsKey));
    EXPECT_EQ(bytes.substr(0, 8), "abcdefgh");

    // Exactly the characters of the text, in a buffer of their own.
    auto heap = std::make_unique<char[]>(20);
    std::copy(twenty.begin(), twenty.end(), heap.get());
    EXPECT_EQ(DecryptSettingBytes(std::string_view(heap.get(), 20), kSettingsKey), bytes);
}

TEST(DecryptSetting, ContextIsWipedAfterEveryCall) {
    EXPECT_TRUE(ContextIsAllZero());
    DecryptSetting("18D48A6D1679B7D8", kSettingsKey);
    EXPECT_TRUE(ContextIsAllZero());
    DecryptSetting("", kSettingsKey);
    EXPECT_TRUE(ContextIsAllZero());
    EncryptSetting("value", kSettingsKey);
    EXPECT_TRUE(ContextIsAllZero());
}

TEST(EncryptSetting, PadsToWholeBlocksAndRoundTrips) {
    struct Case {
        std::string value;
        std::size_t hexLength;
    } cases[] = {
        {"", 0},
        {"a", 16},
        {"12345678", 16},
        {"123456789", 32},
        {std::string(23, 'x'), 48},
        {"Pr\xE4sentation", 32},
    };
    for (const auto& c : cases) {
        std::string hex = EncryptSetting(c.value, kSettingsKey);
        EXPECT_EQ(hex.size(), c.hexLength) << c.value;
        EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos) << hex;
        EXPECT_EQ(DecryptSetting(hex, kSettingsKey), c.value);
    }
    // Padding is zero bytes.
    EXPECT_EQ(DecryptSettingBytes(EncryptSetting("a", kSettingsKey), kSettingsKey),
              std::string("a\0\0\0\0\0\0\0\0", 9));
}

}  // namespace
