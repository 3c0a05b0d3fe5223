#include "settings/blowfish.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "settings/settings_cipher.h"

namespace {

std::uint32_t LoadBigEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i)
        word = word << 8 | static_cast<unsigned char>(bytes[at + i]);
    return word;
}

std::uint32_t ByteSwapped(std::uint32_t word) {
    return (word >> 24) | ((word >> 8) & 0xFF00) | ((word << 8) & 0xFF0000) | (word << 24);
}

struct PublishedVector {
    const char* key;
    const char* plain;
    const char* cipher;
};

// Published vectors, read big-endian as published.
TEST(Blowfish, BlockFunctionsMatchPublishedVectors) {
    const PublishedVector vectors[] = {
        {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
        {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
        {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
        {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    };
    for (const auto& v : vectors) {
        SCOPED_TRACE(v.key);
        BlowfishContext context;
        BlowfishKeySchedule(context, HexToBytes(v.key));
        std::string plain = HexToBytes(v.plain), cipher = HexToBytes(v.cipher);
        std::uint32_t left = LoadBigEndian(plain, 0), right = LoadBigEndian(plain, 4);
        BlowfishEncryptBlock(context, left, right);
        EXPECT_EQ(left, LoadBigEndian(cipher, 0));
        EXPECT_EQ(right, LoadBigEndian(cipher, 4));
        BlowfishDecryptBlock(context, left, right);
        EXPECT_EQ(left, LoadBigEndian(plain, 0));
        EXPECT_EQ(right, LoadBigEndian(plain, 4));
    }
}

// The settings cipher reads each half little-endian. A big-endian routine fed
// the decoded bytes as they are gets another plain block; with every half
// reversed before and after it agrees with the settings cipher.
TEST(Blowfish, SettingsCipherIsTheBigEndianRoutineWithSwappedHalves) {
    const std::string cipher = HexToBytes("18D48A6D1679B7D8");
    const std::string expected("geheim\0\0", 8);
    BlowfishContext context;
    BlowfishKeySchedule(context, kSettingsKey);

    std::uint32_t left = LoadBigEndian(cipher, 0), right = LoadBigEndian(cipher, 4);
    BlowfishDecryptBlock(context, left, right);
    EXPECT_FALSE(left == LoadBigEndian(expected, 0) && right == LoadBigEndian(expected, 4));

    left = ByteSwapped(LoadBigEndian(cipher, 0));
    right = ByteSwapped(LoadBigEndian(cipher, 4));
    BlowfishDecryptBlock(context, left, right);
    EXPECT_EQ(ByteSwapped(left), LoadBigEndian(expected, 0));
    EXPECT_EQ(ByteSwapped(right), LoadBigEndian(expected, 4));
    EXPECT_EQ(DecryptSettingBytes("18D48A6D1679B7D8", kSettingsKey), expected + '\0');
}

TEST(Blowfish, WipeClearsEveryWord) {
    BlowfishContext context;
    BlowfishKeySchedule(context, "key");
    WipeBlowfishContext(context);
    for (auto word : context.P) EXPECT_EQ(word, 0u);
    for (const auto& box : context.S) {
        for (auto word : box) ASSERT_EQ(word, 0u);
    }
}

}  // namespace
