#include "Units.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace platform;

namespace {

struct PixelCase
{
    const char *name;
    double twips;
    int pixels;
};

class TwipsToPixels : public testing::TestWithParam<PixelCase>
{
};

// Whatever length reaches the conversion, the window system gets a length it takes: NaN as 0,
// anything beyond the toolkit's limit held to it, never an undefined conversion.
TEST_P(TwipsToPixels, GivesALengthWindowsTake)
{
    EXPECT_EQ(twipsToPixels(GetParam().twips), GetParam().pixels);
}

constexpr int MaxPixelsInt = static_cast<int>(MaxPixels);

INSTANTIATE_TEST_SUITE_P(Lengths, TwipsToPixels,
    testing::Values(PixelCase {"zero", 0, 0}, PixelCase {"onePixel", 15, 1},
        PixelCase {"halfDown", 22.5, 2}, // 1.5 rounds to even
        PixelCase {"halfUp", 37.5, 2}, // 2.5 rounds to even
        PixelCase {"negative", -150, -10}, PixelCase {"limit", MaxTwips, MaxPixelsInt},
        PixelCase {"pastLimit", MaxTwips * 2, MaxPixelsInt},
        PixelCase {"pastNegativeLimit", -MaxTwips * 2, -MaxPixelsInt},
        PixelCase {"huge", 1e300, MaxPixelsInt}, PixelCase {"hugeNegative", -1e300, -MaxPixelsInt},
        PixelCase {"infinity", HUGE_VAL, MaxPixelsInt},
        PixelCase {"negativeInfinity", -HUGE_VAL, -MaxPixelsInt},
        PixelCase {"nan", std::numeric_limits<double>::quiet_NaN(), 0}),
    [](const testing::TestParamInfo<PixelCase> &info) { return std::string(info.param.name); });

} // namespace
