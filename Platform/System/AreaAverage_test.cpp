#include "AreaAverage.h"

#include "../TestSupport/TestPictures.h"

#include <QPainter>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace platform;
using platform::test::exactAreaAverage;
using platform::test::largestChannelDifference;

namespace {

// Every pixel drawn at random: the hardest content for the weights, with an edge at each pixel.
QImage noise(QSize size, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = 0xFF000000u | (random.generate() & 0x00FFFFFFu);
    }
    return image;
}

struct Shrink
{
    QSize source, size;
};

class AreaAverageShrink : public testing::TestWithParam<Shrink>
{
};

TEST_P(AreaAverageShrink, IsWithinOneLevelOfTheExactAverage)
{
    const Shrink c = GetParam();
    for (const quint32 seed : {1u, 2u}) {
        const QImage source = noise(c.source, seed);
        const QImage shrunk = shrinkByAreaAverage(source, c.size);
        ASSERT_EQ(shrunk.size(), c.size);
        EXPECT_EQ(shrunk.format(), QImage::Format_RGB32);
        EXPECT_LE(largestChannelDifference(shrunk, exactAreaAverage(source, c.size)), 1)
            << c.source.width() << "x" << c.source.height() << " to " << c.size.width() << "x"
            << c.size.height();
    }
}

INSTANTIATE_TEST_SUITE_P(AreaAverage, AreaAverageShrink,
    testing::Values(Shrink {{64, 48}, {32, 24}}, // halved exactly
        Shrink {{65, 47}, {33, 24}}, // halved, odd sizes rounded up
        Shrink {{3, 3}, {2, 2}}, Shrink {{2, 1}, {1, 1}}, Shrink {{1, 1}, {1, 1}},
        Shrink {{100, 60}, {73, 31}}, // unequal ratios, neither a halving
        Shrink {{1000, 3}, {999, 2}}, // a hair narrower, a third lower
        Shrink {{5, 700}, {3, 351}}, Shrink {{64, 64}, {64, 32}}, // one direction only
        Shrink {{300, 200}, {299, 199}}, Shrink {{64, 48}, {7, 5}}, // more than a half at once
        Shrink {{1000, 3}, {10, 1}}, Shrink {{640, 480}, {1, 1}}, Shrink {{97, 515}, {13, 2}}));

TEST(AreaAverage, HalvingAnEvenSizeRoundsTiesToEven)
{
    // Each 2 x 2 block averages to a whole level or a half; halves go to the even neighbour so
    // that halving repeatedly neither darkens nor brightens.
    struct Block
    {
        int values[4];
        int average;
    };
    const Block blocks[] = {{{0, 0, 1, 1}, 0}, {{1, 1, 2, 2}, 2}, {{2, 2, 3, 3}, 2},
        {{3, 3, 4, 4}, 4}, {{0, 0, 0, 1}, 0}, {{0, 0, 0, 3}, 1}, {{0, 1, 1, 1}, 1},
        {{254, 255, 255, 255}, 255}, {{10, 20, 30, 40}, 25}, {{255, 255, 255, 255}, 255}};
    const int count = int(std::size(blocks));
    QImage picture(2 * count, 2, QImage::Format_RGB32);
    for (int i = 0; i < count; ++i) {
        for (int k = 0; k < 4; ++k) {
            const int v = blocks[i].values[k];
            picture.setPixel(2 * i + k % 2, k / 2, qRgb(v, v, 255 - v));
        }
    }
    const QImage halved = shrinkByAreaAverage(picture, {count, 1});
    ASSERT_EQ(halved.size(), QSize(count, 1));
    for (int i = 0; i < count; ++i) {
        const int a = blocks[i].average;
        EXPECT_EQ(qRed(halved.pixel(i, 0)), a) << i;
        EXPECT_EQ(qGreen(halved.pixel(i, 0)), a) << i;
        // 255 - v has its ties on the other side of an even number.
        int mirrored = 0;
        for (const int v : blocks[i].values)
            mirrored += 255 - v;
        const int whole = mirrored / 4;
        const int remainder = mirrored % 4;
        const int expected = whole + (remainder > 2 || (remainder == 2 && whole % 2 == 1));
        EXPECT_EQ(qBlue(halved.pixel(i, 0)), expected) << i;
    }
}

TEST(AreaAverage, HalvingRepeatedlyKeepsTheMeanLevel)
{
    // Grain around a mid grey, halved ten times down to one pixel: rounding every step the same
    // way would move the mean by several levels.
    QImage picture(1024, 1024, QImage::Format_RGB32);
    QRandomGenerator random(7);
    double sum = 0;
    for (int y = 0; y < picture.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const int v = 126 + int(random.bounded(5));
            sum += v;
            line[x] = qRgb(v, v, v);
        }
    }
    QImage step = picture;
    while (step.width() > 1)
        step = shrinkByAreaAverage(step, step.size() / 2);
    EXPECT_NEAR(qRed(step.pixel(0, 0)), sum / (1024.0 * 1024.0), 0.5 + 1e-9);
}

TEST(AreaAverage, PremultipliedChannelsAreAveragedAlike)
{
    QImage picture(4, 2, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter(&picture).fillRect(0, 0, 2, 2, QColor(0, 0, 255, 200));
    const QImage halved = shrinkByAreaAverage(picture, {2, 1});
    ASSERT_EQ(halved.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(halved.pixel(0, 0), picture.pixel(0, 0));
    EXPECT_EQ(halved.pixel(1, 0), 0u);
    // Half covered: half of every premultiplied channel, alpha included.
    const QImage half = shrinkByAreaAverage(picture.copy(1, 0, 2, 2), {1, 1});
    EXPECT_EQ(half.pixel(0, 0), qRgba(0, 0, 100, 100));
}

TEST(AreaAverage, APixelCutAtTheEndWeighsWhatItCovers)
{
    // Five picture pixels in blocks of two: the third pixel covers one. Halved into blocks of
    // four, the second pixel is that one alone, and a target of two pixels takes 2.5 each.
    QImage copy(3, 1, QImage::Format_RGB32);
    copy.setPixel(0, 0, qRgb(0, 0, 0));
    copy.setPixel(1, 0, qRgb(100, 100, 100));
    copy.setPixel(2, 0, qRgb(250, 250, 250));
    const QImage halved = averageOverArea(copy, {2, 5}, {1, 1}, {4, 5}, {1, 1});
    ASSERT_EQ(halved.size(), QSize(2, 1));
    EXPECT_EQ(qRed(halved.pixel(0, 0)), 50);
    EXPECT_EQ(qRed(halved.pixel(1, 0)), 250);
    // In tenths of a picture pixel: blocks of 20, target pixels of 25.
    const QImage target = averageOverArea(copy, {20, 50}, {1, 1}, {25, 50}, {1, 1});
    ASSERT_EQ(target.size(), QSize(2, 1));
    EXPECT_EQ(qRed(target.pixel(0, 0)), 20); // (2 * 0 + 0.5 * 100) / 2.5
    EXPECT_EQ(qRed(target.pixel(1, 0)), 160); // (1.5 * 100 + 1 * 250) / 2.5
}

TEST(AreaAverage, ACutPixelKeepsItsLevelWhenManyAreAveraged)
{
    // Nine picture pixels shrunk to blocks of four: the last block is the last pixel alone.
    QImage picture(9, 9, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    for (int i = 0; i < 9; ++i) {
        picture.setPixel(8, i, qRgb(250, 240, 230));
        picture.setPixel(i, 8, qRgb(250, 240, 230));
    }
    const QImage blocks = averageOverArea(picture, {1, 9}, {1, 9}, {4, 9}, {4, 9});
    ASSERT_EQ(blocks.size(), QSize(3, 3));
    EXPECT_EQ(blocks.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(blocks.pixel(2, 0), qRgb(250, 240, 230));
    EXPECT_EQ(blocks.pixel(0, 2), qRgb(250, 240, 230));
    EXPECT_EQ(blocks.pixel(2, 2), qRgb(250, 240, 230));
}

TEST(AreaAverage, SpansThatDoNotFitGiveNothing)
{
    const QImage picture = noise({4, 4}, 5);
    const PixelSpan four {1, 4};
    EXPECT_FALSE(averageOverArea(picture, four, four, {2, 4}, {2, 4}).isNull());
    EXPECT_FALSE(averageOverArea(picture, four, four, {4, 4}, {3, 4}).isNull());
    EXPECT_TRUE(averageOverArea(picture, {1, 5}, four, {2, 5}, four).isNull()); // pixel count
    EXPECT_TRUE(averageOverArea(picture, four, four, {2, 5}, four).isNull()); // other lengths
    EXPECT_TRUE(averageOverArea(picture, {2, 4}, four, {1, 4}, four).isNull()); // enlarging
    EXPECT_TRUE(averageOverArea(picture, {0, 4}, four, {0, 4}, four).isNull());
}

TEST(AreaAverage, TheSameSizeIsTheSamePicture)
{
    const QImage picture = noise({37, 21}, 3);
    EXPECT_EQ(shrinkByAreaAverage(picture, picture.size()), picture);
}

TEST(AreaAverage, EnlargingAndOtherFormatsGiveNothing)
{
    const QImage picture = noise({40, 30}, 4);
    for (const QSize size :
        {QSize(41, 30), QSize(40, 31), QSize(0, 20), QSize(20, 0), QSize(-20, 15)})
        EXPECT_TRUE(shrinkByAreaAverage(picture, size).isNull())
            << size.width() << "x" << size.height();
    for (const QSize size : {QSize(20, 15), QSize(1, 30), QSize(40, 1)})
        EXPECT_EQ(shrinkByAreaAverage(picture, size).size(), size);
    for (const QImage::Format format :
        {QImage::Format_ARGB32, QImage::Format_RGB888, QImage::Format_Indexed8})
        EXPECT_TRUE(shrinkByAreaAverage(picture.convertToFormat(format), {20, 15}).isNull())
            << format;
    EXPECT_TRUE(shrinkByAreaAverage(QImage(), {1, 1}).isNull());
}

} // namespace
