#include "packaging/fingerprint.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "packaging/reference_md5.h"
#include "support/test_files.h"

namespace {

using packaging_testing::ReferenceMd5;
using testing_support::ScopedCurrentDirectory;
using testing_support::TempFolder;
using testing_support::WriteBytes;

class FingerprintTest : public testing::Test {
  protected:
    FingerprintTest() : cwd_(temp_.Path()) {}

    TempFolder temp_;
    ScopedCurrentDirectory cwd_;
};

struct NameCase {
    const char* label;
    const char* file;  // created in the temporary folder with the content
    const char* content;
    const char* path;  // handed to FileFingerprint
    const char* fingerprint;
};

void PrintTo(const NameCase& c, std::ostream* out) {
    *out << c.label;
}

class KnownFingerprints : public FingerprintTest, public testing::WithParamInterface<NameCase> {};

TEST_P(KnownFingerprints, DigestTheLowerCasedNameThenTheContent) {
    WriteBytes(temp_.Path() / GetParam().file, GetParam().content);
    EXPECT_EQ(FileFingerprint(GetParam().path), GetParam().fingerprint) << GetParam().path;
}

// MD5 of "demo.excabc" and of "demo.exc".
constexpr char kDemoAbc[] = "AD81807C8C9A5386CA508CDED3564DC0";
constexpr char kDemoEmpty[] = "4430E8D353726B1FCD59D80DB226DB32";

INSTANTIATE_TEST_SUITE_P(
    Cases, KnownFingerprints,
    testing::Values(NameCase{"Content", "Demo.exc", "abc", "Demo.exc", kDemoAbc},
                    NameCase{"Empty", "Demo.exc", "", "Demo.exc", kDemoEmpty},
                    NameCase{"UpperCaseName", "DEMO.EXC", "abc", "DEMO.EXC", kDemoAbc},
                    NameCase{"LowerCaseName", "demo.exc", "abc", "demo.exc", kDemoAbc},
                    // The folder does not count, in either path form.
                    NameCase{"WindowsPath", "sub/Demo.exc", "abc", "sub\\Demo.exc", kDemoAbc},
                    NameCase{"NativePath", "sub/Demo.exc", "abc", "./sub/Demo.exc", kDemoAbc},
                    NameCase{"MixedSeparators", "sub/x/Demo.exc", "abc", "sub/x\\Demo.exc",
                             kDemoAbc},
                    // A drive in front is dropped before the name is taken.
                    NameCase{"Drive", "C:Demo.exc", "abc", "C:Demo.exc", kDemoAbc}),
    [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.label); });

TEST_F(FingerprintTest, KeepsBytesBeyondAsciiInTheName) {
    // A capital A-umlaut (0xC4) is not lowered to 0xE4.
    WriteBytes(temp_.Path() / "\xC4rger.exc", "abc");
    EXPECT_EQ(FileFingerprint("\xC4rger.exc"), ReferenceMd5("\xC4rger.excabc"));
    EXPECT_NE(FileFingerprint("\xC4rger.exc"), ReferenceMd5("\xE4rger.excabc"));
}

TEST_F(FingerprintTest, CoversEveryByteAcrossTheBlockBoundaries) {
    const std::string name = "Rundgang.exc";  // 12 bytes share the first block
    for (std::size_t length :
         {std::size_t{10240 - 12 - 1}, std::size_t{10240 - 12}, std::size_t{10240 - 12 + 1},
          std::size_t{10240}, std::size_t{3 * 10240 + 4321}}) {
        std::string content(length, '\0');
        for (std::size_t i = 0; i < length; ++i)
            content[i] = static_cast<char>((i * 7919 + i / 251) & 0xFF);
        WriteBytes(temp_.Path() / name, content);
        std::string fingerprint = FileFingerprint(name);
        EXPECT_EQ(fingerprint, ReferenceMd5("rundgang.exc" + content)) << length << " bytes";
        EXPECT_EQ(fingerprint.find_first_not_of("0123456789ABCDEF"), std::string::npos);
        EXPECT_EQ(fingerprint.size(), 32u);
    }
}

TEST_F(FingerprintTest, DependsOnNameAndContentOnly) {
    WriteBytes(temp_.Path() / "one" / "Demo.exc", "same");
    WriteBytes(temp_.Path() / "two" / "Demo.exc", "same");
    WriteBytes(temp_.Path() / "two" / "Other.exc", "same");
    EXPECT_EQ(FileFingerprint("one\\Demo.exc"), FileFingerprint("two\\Demo.exc"));
    EXPECT_NE(FileFingerprint("two\\Demo.exc"), FileFingerprint("two\\Other.exc"));
    // An absolute path gives the same value as a relative one.
    EXPECT_EQ(FileFingerprint((temp_.Path() / "one" / "Demo.exc").string()),
              FileFingerprint("one\\Demo.exc"));
}

TEST_F(FingerprintTest, AFileThatCannotBeReadGivesTheEmptyText) {
    std::filesystem::create_directories(temp_.Path() / "Folder.exc");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(FileFingerprint("Missing.exc"), "");
    EXPECT_EQ(FileFingerprint("no-such-folder\\Demo.exc"), "");
    EXPECT_EQ(FileFingerprint("Folder.exc"), "");
    EXPECT_EQ(FileFingerprint(""), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
