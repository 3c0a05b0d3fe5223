#include "platform/paths.h"

#include <gtest/gtest.h>

namespace {

TEST(NativePath, BackslashesBecomeSlashesAndNamesKeepTheirCase) {
    EXPECT_EQ(NativePath("..\\..\\Transfer\\Vidazara Dirodav\\Rundgang-Dateien\\script.js"),
              "../../Transfer/Vidazara Dirodav/Rundgang-Dateien/script.js");
    EXPECT_EQ(NativePath("start.html"), "start.html");
    EXPECT_EQ(NativePath(""), "");
}

}  // namespace
