#include "text/text_case.h"

#include <gtest/gtest.h>

namespace {

struct CaseCase {
    std::string input, upper, lower;
};

TEST(TextCase, ChangesOnlyAsciiLetters) {
    const CaseCase cases[] = {
        {"", "", ""},
        {"Demo.exc", "DEMO.EXC", "demo.exc"},
        {"/d", "/D", "/d"},
        // Windows-1252 umlauts stay as they are in both directions.
        {"\xC4rger \xE4", "\xC4RGER \xE4", "\xC4rger \xE4"},
        {"@[`{ 09", "@[`{ 09", "@[`{ 09"},
        {std::string("a\0Z", 3), std::string("A\0Z", 3), std::string("a\0z", 3)},
    };
    for (const auto& c : cases) {
        std::string upper = c.input, lower = c.input;
        EXPECT_EQ(UpperCaseText(upper), c.upper);
        EXPECT_EQ(LowerCaseText(lower), c.lower);
    }
}

}  // namespace
