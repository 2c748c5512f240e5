#include "ReducedCopies.h"

#include "../TestSupport/TestPictures.h"

#include <QPainter>
#include <QSet>
#include <cmath>
#include <gtest/gtest.h>

using namespace platform;
using platform::test::largestChannelDifference;
using platform::test::photoLike;

namespace {

// Just over the size that gets copies: each copy of a small target is a quarter of it.
const QSize Large(1280, 820);

const QImage &largePicture()
{
    static_assert(ReducedCopies::LargePictureSize <= 1280 * 820);
    static const QImage picture = photoLike(Large);
    return picture;
}

// The power of two that cuts `length` into `count` blocks.
int blockFor(int length, int count)
{
    int block = 1;
    while ((length + block - 1) / block > count)
        block *= 2;
    return block;
}

// The average of each block of `block` picture pixels, from the top left, the last ones cut.
QImage blockAverage(const QImage &picture, QSize block)
{
    const int width = (picture.width() + block.width() - 1) / block.width();
    const int height = (picture.height() + block.height() - 1) / block.height();
    QImage result(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRect area = QRect(QPoint(x * block.width(), y * block.height()), block)
                                   .intersected(picture.rect());
            double sum[3] = {0, 0, 0};
            for (int v = area.top(); v <= area.bottom(); ++v) {
                for (int u = area.left(); u <= area.right(); ++u) {
                    const QRgb p = picture.pixel(u, v);
                    sum[0] += qRed(p);
                    sum[1] += qGreen(p);
                    sum[2] += qBlue(p);
                }
            }
            const double n = double(area.width()) * area.height();
            result.setPixel(x, y,
                qRgb(int(std::lround(sum[0] / n)), int(std::lround(sum[1] / n)),
                    int(std::lround(sum[2] / n))));
        }
    }
    return result;
}

struct Choice
{
    QSize picture, target;
    QSize copy; // empty when no copy serves
};

class ReducedCopiesChoice : public testing::TestWithParam<Choice>
{
};

TEST_P(ReducedCopiesChoice, TheSmallestCopyWhosePixelsAreNoLargerThanTheTargets)
{
    const Choice c = GetParam();
    const QSize copy = ReducedCopies::copySize(c.picture, c.target);
    EXPECT_EQ(copy, c.copy) << c.picture.width() << "x" << c.picture.height() << " to "
                            << c.target.width() << "x" << c.target.height();
    if (copy.isEmpty())
        return;
    // Never smaller than the target, and one halving less fine would be coarser than it in
    // one direction or below the smallest copy.
    EXPECT_GE(copy.width(), c.target.width());
    EXPECT_GE(copy.height(), c.target.height());
    const QSize coarser((copy.width() + 1) / 2, (copy.height() + 1) / 2);
    EXPECT_TRUE(coarser.width() < c.target.width() || coarser.height() < c.target.height()
        || int64_t(copy.width()) * copy.height() < 4 * ReducedCopies::SmallestCopySize);
}

// 8000 x 8000 in blocks of 4 x 8 is 2000 x 1000, of 8 x 16 1000 x 500, ...
INSTANTIATE_TEST_SUITE_P(ReducedCopies, ReducedCopiesChoice,
    testing::Values(Choice {{8000, 8000}, {1200, 900}, {2000, 1000}},
        Choice {{8000, 8000}, {2000, 1000}, {2000, 1000}}, // exactly a copy
        Choice {{8000, 8000}, {2001, 1000}, {4000, 1000}}, // a pixel more than a halving
        Choice {{8000, 8000}, {2001, 1001}, {4000, 2000}}, // in both directions
        Choice {{8000, 8000}, {1999, 999}, {2000, 1000}}, // a pixel less
        // Small targets read a copy of at least SmallestCopySize pixels.
        Choice {{8000, 8000}, {300, 225}, {1000, 500}}, Choice {{8000, 8000}, {1, 1}, {1000, 500}},
        Choice {{8000, 8000}, {4001, 10}, {8000, 63}}, // only one direction halves
        Choice {{8000, 8000}, {3999, 3999}, {4000, 4000}},
        Choice {{8000, 8000}, {4000, 4000}, {4000, 4000}}, // a quarter
        Choice {{8000, 8000}, {4001, 4000}, {}}, // more than a quarter: no copy
        Choice {{2048, 1536}, {300, 225}, {1024, 384}},
        Choice {{2048, 1536}, {1000, 10}, {2048, 192}},
        Choice {{1280, 820}, {300, 200}, {640, 410}}, Choice {{1280, 820}, {641, 410}, {}},
        Choice {{1024, 1024}, {1, 1}, {512, 512}}, Choice {{1024, 1023}, {1, 1}, {}}, // small
        Choice {{8000, 8000}, {8001, 10}, {}}, Choice {{8000, 8000}, {10, 8001}, {}}, // larger
        Choice {{8000, 8000}, {0, 10}, {}}, Choice {{8000, 8000}, {8000, 8000}, {}}));

TEST(ReducedCopies, ACopyIsTheAverageOfItsBlocks)
{
    const QImage picture = photoLike({2048, 1536}, 1);
    ReducedCopies copies;
    const QSize targets[] = {{300, 225}, {1000, 10}, {2, 700}, {1, 1}, {1024, 768}};
    for (const QSize target : targets) {
        const QImage *copy = copies.copyFor(picture, target);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->size(), ReducedCopies::copySize(picture.size(), target));
        const QSize block(
            blockFor(picture.width(), copy->width()), blockFor(picture.height(), copy->height()));
        EXPECT_LE(largestChannelDifference(*copy, blockAverage(picture, block)), 1)
            << target.width() << "x" << target.height();
    }
}

TEST(ReducedCopies, ACopyIsMadeOnceAndKept)
{
    const QImage &picture = largePicture();
    ReducedCopies copies;
    const qint64 made = copies.copyFor(picture, {300, 200})->cacheKey();
    const int count = copies.count();
    EXPECT_EQ(copies.copyFor(picture, {310, 190})->cacheKey(), made);
    EXPECT_EQ(copies.copyFor(QImage(picture), {300, 200})->cacheKey(), made);
    copies.shrink(picture, {305, 201});
    EXPECT_EQ(copies.copyFor(picture, {300, 200})->cacheKey(), made);
    EXPECT_EQ(copies.count(), count);
}

TEST(ReducedCopies, SmallPicturesAndOtherFormatsGetNoCopies)
{
    ReducedCopies copies;
    EXPECT_EQ(copies.copyFor(photoLike({1024, 1023}), {100, 100}), nullptr);
    EXPECT_EQ(
        copies.copyFor(largePicture().convertToFormat(QImage::Format_RGB888), {100, 100}), nullptr);
    EXPECT_EQ(
        copies.copyFor(largePicture().convertToFormat(QImage::Format_ARGB32), {100, 100}), nullptr);
    EXPECT_EQ(copies.copyFor(QImage(), {100, 100}), nullptr);
    EXPECT_TRUE(copies.shrink(photoLike({1024, 1023}), {100, 100}).isNull());
    EXPECT_EQ(copies.count(), 0);
    const QImage premultiplied
        = largePicture().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_NE(copies.copyFor(premultiplied, {100, 100}), nullptr);
    EXPECT_EQ(
        copies.shrink(premultiplied, {100, 100}).format(), QImage::Format_ARGB32_Premultiplied);
}

// Whatever changes the picture, the next copy shows the change.
struct Change
{
    const char *name;
    void (*apply)(QImage &picture);
};

class ReducedCopiesChange : public testing::TestWithParam<Change>
{
};

TEST_P(ReducedCopiesChange, DropsTheCopiesOfTheOldPixels)
{
    QImage picture = largePicture();
    ReducedCopies copies;
    const QSize target(300, 200);
    const QImage before = *copies.copyFor(picture, target);
    const QImage shrunkBefore = copies.shrink(picture, target);
    GetParam().apply(picture);
    const QImage after = *copies.copyFor(picture, target);
    EXPECT_EQ(after, *ReducedCopies().copyFor(picture, target)) << GetParam().name;
    EXPECT_NE(after, before) << GetParam().name;
    EXPECT_EQ(copies.shrink(picture, target), ReducedCopies().shrink(picture, target));
    EXPECT_NE(copies.shrink(picture, target), shrunkBefore);
}

INSTANTIATE_TEST_SUITE_P(ReducedCopies, ReducedCopiesChange,
    testing::Values(Change {"fill", [](QImage &p) { p.fill(Qt::darkCyan); }},
        Change {"painter",
            [](QImage &p) {
                QPainter painter(&p);
                painter.fillRect(100, 100, 400, 300, Qt::red);
            }},
        // One pixel of a million still shows in a copy four times smaller.
        Change {"setPixel", [](QImage &p) { p.setPixel(640, 400, qRgb(255, 255, 255)); }},
        Change {"bits",
            [](QImage &p) {
                auto *line = reinterpret_cast<QRgb *>(p.bits());
                for (int x = 0; x < 64; ++x)
                    line[x] = qRgb(0, 0, 0);
            }},
        Change {"replaced by another of the same size", [](QImage &p) { p = photoLike(Large, 1); }},
        Change {"replaced by a copy drawn on",
            [](QImage &p) {
                QImage other = p.copy();
                QPainter(&other).fillRect(0, 0, 64, 64, Qt::blue);
                p = other;
            }}),
    [](const testing::TestParamInfo<Change> &info) {
        return "change" + std::to_string(info.index);
    });

TEST(ReducedCopies, NoCopyWhileAPainterIsOpen)
{
    QImage picture = largePicture();
    ReducedCopies copies;
    copies.copyFor(picture, {300, 200});
    QPainter painter(&picture);
    painter.fillRect(0, 0, 1280, 820, Qt::green);
    EXPECT_EQ(copies.copyFor(picture, {300, 200}), nullptr);
    painter.fillRect(0, 0, 1280, 820, Qt::yellow);
    EXPECT_EQ(copies.copyFor(picture, {300, 200}), nullptr);
    EXPECT_TRUE(copies.shrink(picture, {300, 200}).isNull());
    EXPECT_EQ(copies.count(), 0);
    painter.end();
    EXPECT_EQ(copies.copyFor(picture, {300, 200})->pixel(10, 10), qRgb(255, 255, 0));
}

TEST(ReducedCopies, TheCopiesStayWithinAThirdOfThePicture)
{
    const QImage &picture = largePicture();
    ReducedCopies copies;
    int64_t largest = 0;
    QSet<std::pair<int, int>> made;
    for (int width = 1; width <= 1280; width += 37) {
        for (int height = 1; height <= 820; height += 53) {
            if (const QImage *copy = copies.copyFor(picture, {width, height}))
                made.insert({copy->width(), copy->height()});
            largest = std::max(largest, copies.bytes());
        }
    }
    // Copies of a quarter of the picture each (2 x 2 blocks, 1 x 4, 4 x 1), together more than
    // the third that is ever kept.
    EXPECT_GE(made.size(), 3);
    EXPECT_GE(largest, picture.sizeInBytes() / 4);
    EXPECT_LE(largest, picture.sizeInBytes() / 3);
    copies.clear();
    EXPECT_EQ(copies.count(), 0);
    EXPECT_EQ(copies.bytes(), 0);
}

} // namespace
