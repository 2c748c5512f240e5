#include "Random.h"

#include <gtest/gtest.h>

namespace {

TEST(Random, DrawsTheRuntimesUnseededSequence)
{
    platform::resetRandomSequence();
    // The first values every unseeded program of the runtime sees.
    const float expected[] = {0.7055475f, 0.5334240f, 0.5795186f, 0.2895625f, 0.3019480f};
    for (float value : expected)
        EXPECT_FLOAT_EQ(platform::nextRandom(), value);
}

TEST(Random, StaysInTheUnitIntervalAndRepeatsAfterTwoToThe24)
{
    platform::resetRandomSequence();
    const float first = platform::nextRandom();
    float lowest = 1, highest = 0;
    for (int i = 1; i < (1 << 24); ++i) {
        const float r = platform::nextRandom();
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_EQ(platform::nextRandom(), first);
    EXPECT_GE(lowest, 0.0f);
    EXPECT_LT(highest, 1.0f);
}

} // namespace
