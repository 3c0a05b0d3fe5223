#include "platform/md5_digest.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string Hex(const Md5Value& value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char byte : value) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

std::string DigestInRuns(const std::string& bytes, const std::vector<std::size_t>& runs) {
    Md5Digest digest;
    std::size_t at = 0;
    for (std::size_t i = 0; at < bytes.size(); ++i) {
        std::size_t length = std::min(runs[i % runs.size()], bytes.size() - at);
        EXPECT_TRUE(digest.Add(bytes.data() + at, length));
        at += length;
    }
    Md5Value value{};
    EXPECT_TRUE(digest.Finish(value));
    return Hex(value);
}

TEST(Md5Digest, MatchesTheReferenceSuite) {
    const struct {
        std::string input;
        const char* md5;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"1234567890123456789012345678901234567890123456789012345678901234567890123456789"
         "0",
         "57edf4a22be3c955ac49da2e2107b67a"},
        // The fingerprint's own examples: lower-cased name, then content.
        {"demo.excabc", "ad81807c8c9a5386ca508cded3564dc0"},
        {"demo.exc", "4430e8d353726b1fcd59d80db226db32"},
        {std::string("\xC4\x00\xFF", 3), "2fbca89b98b6d9da6966ddcce8b69767"},
    };
    for (const auto& c : cases) EXPECT_EQ(DigestInRuns(c.input, {c.input.size() + 1}), c.md5);
}

TEST(Md5Digest, ValueDependsOnlyOnTheBytesNotOnTheRuns) {
    EXPECT_EQ(DigestInRuns(std::string(1000000, 'a'), {1000}), "7707d6ae4e027c70eea2a935c2296f21");

    std::string bytes(70000, '\0');
    std::uint32_t state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    const std::string whole = DigestInRuns(bytes, {bytes.size()});
    // Around the 64-byte block of MD5 and the fingerprint's read block.
    for (const auto& runs : std::vector<std::vector<std::size_t>>{
             {1}, {63}, {64}, {65}, {10232, 10240}, {0, 7, 0, 129}})
        EXPECT_EQ(DigestInRuns(bytes, runs), whole);
}

TEST(Md5Digest, NothingGoesInOrComesOutAfterFinish) {
    Md5Digest digest;
    Md5Value value{};
    ASSERT_TRUE(digest.Finish(value));
    EXPECT_EQ(Hex(value), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_FALSE(digest.Add("a", 1));
    EXPECT_FALSE(digest.Finish(value));
}

}  // namespace
