#include "platform/exit_status.h"

#include <gtest/gtest.h>

namespace {

TEST(ExitStatus, EightBitStatusNeverTurnsAFailureIntoSuccess) {
    const struct {
        std::int32_t result;
        int status;
    } cases[] = {
        {0, 0},    {12, 12},   {90, 90}, {91, 91}, {95, 95}, {98, 98},   {255, 255},
        {-1, 255}, {-99, 157}, {256, 1}, {512, 1}, {-2, 1},  {18456, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(ExitStatusFor(c.result), c.status) << c.result;
}

}  // namespace
