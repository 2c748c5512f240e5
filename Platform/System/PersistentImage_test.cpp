#include "PersistentImage.h"

#include <QCoreApplication>
#include <QPainter>
#include <cctype>
#include <gtest/gtest.h>
#include <vector>

namespace {

using platform::PersistentImage;

// A picture whose every pixel differs from its neighbours, so that any misplaced pixel shows.
QImage gradient(QSize size, qreal ratio = 1.0)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7) & 0xFF, (y * 13) & 0xFF, (x + y) & 0xFF));
    }
    image.setDevicePixelRatio(ratio);
    return image;
}

// An image whose pixels are left to a maker that counts its calls.
struct Counted
{
    PersistentImage image;
    int made = 0;

    explicit Counted(const QImage &pixels)
    {
        QImage placeholder(pixels.size(), pixels.format());
        placeholder.setDevicePixelRatio(pixels.devicePixelRatio());
        image = placeholder;
        image.setPending([this, pixels] {
            ++made;
            return pixels;
        });
    }
};

struct Step
{
    QSize size;
    QColor fill;
};

struct ResizeCase
{
    const char *name;
    std::vector<Step> steps;
    // A long run of resizes makes the pixels once on the way rather than keep every step.
    int madeOnTheWay = 0;
};

class PendingResize : public testing::TestWithParam<ResizeCase>
{
};

// Resizes of pending pixels end where the same resizes of made pixels end.
TEST_P(PendingResize, EndsAsTheSameResizesOfMadePixels)
{
    const QImage start = gradient({30, 20});
    PersistentImage eager(start);
    Counted pending(start);
    for (const Step &step : GetParam().steps) {
        eager.resize(step.size, step.fill, QImage::Format_RGB32);
        pending.image.resize(step.size, step.fill, QImage::Format_RGB32);
        EXPECT_EQ(pending.image.size(), eager.size());
    }
    EXPECT_EQ(pending.made, GetParam().madeOnTheWay);
    EXPECT_EQ(pending.image.pixels(), eager.pixels());
    EXPECT_EQ(pending.image.pixels().devicePixelRatio(), eager.pixels().devicePixelRatio());
    EXPECT_EQ(pending.image.pixels().dotsPerMeterX(), eager.pixels().dotsPerMeterX());
    EXPECT_FALSE(pending.image.isPending());
}

std::vector<Step> manySteps()
{
    std::vector<Step> steps;
    for (int i = 0; i < 20; ++i)
        steps.push_back(
            {{25 + (i * 7) % 19, 15 + (i * 5) % 13}, QColor::fromHsv(i * 17, 200, 200)});
    return steps;
}

INSTANTIATE_TEST_SUITE_P(PersistentImage, PendingResize,
    testing::Values(ResizeCase {"grown", {{{40, 30}, Qt::red}}},
        ResizeCase {"shrunk", {{{10, 5}, Qt::red}}},
        ResizeCase {"shrunk then grown", {{{10, 5}, Qt::red}, {{50, 40}, Qt::blue}}},
        ResizeCase {"grown in each direction in turn",
            {{{45, 20}, Qt::green}, {{45, 35}, Qt::yellow}, {{20, 35}, Qt::cyan}}},
        ResizeCase {"emptied then grown", {{{0, 20}, Qt::red}, {{30, 30}, Qt::blue}}},
        ResizeCase {"more than are kept pending", manySteps(), 1}),
    [](const testing::TestParamInfo<ResizeCase> &info) {
        std::string name;
        for (const char c : std::string(info.param.name))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(PersistentImage, PendingPixelsAreMadeOnceWhenRead)
{
    Counted pending(gradient({12, 9}, 2.0));
    EXPECT_TRUE(pending.image.isPending());
    EXPECT_EQ(pending.image.size(), QSize(12, 9));
    EXPECT_EQ(pending.image.format(), QImage::Format_RGB32);
    EXPECT_EQ(pending.made, 0);
    EXPECT_EQ(pending.image.devicePixelRatio(), 2.0);
    EXPECT_EQ(pending.image.pixels(), gradient({12, 9}, 2.0));
    EXPECT_EQ(pending.made, 1);
    EXPECT_FALSE(pending.image.isPending());
}

// Painting shows the pending pixels without keeping them past the event loop's next pass: the
// paints of one pass share them, and a read right after one takes them over.
TEST(PersistentImage, PaintingShowsPendingPixelsForOnePassOfTheEventLoop)
{
    const QImage pixels = gradient({16, 10});
    Counted pending(pixels);
    QImage canvas(20, 14, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    const auto paint = [&] {
        QPainter painter(&canvas);
        pending.image.paint(painter, QPoint(2, 3));
    };
    paint();
    paint();
    EXPECT_EQ(pending.made, 1);
    EXPECT_TRUE(pending.image.isPending());
    EXPECT_EQ(canvas.copy(2, 3, 16, 10), pixels);
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 255, 255));

    QCoreApplication::processEvents();
    canvas.fill(Qt::white);
    paint();
    EXPECT_EQ(pending.made, 2);
    EXPECT_EQ(canvas.copy(2, 3, 16, 10), pixels);
    EXPECT_EQ(pending.image.pixels(), pixels);
    EXPECT_EQ(pending.made, 2);
    EXPECT_FALSE(pending.image.isPending());
}

// A change of the pending pixels is never hidden by what an earlier paint made.
TEST(PersistentImage, APaintAfterAChangeShowsTheChange)
{
    Counted pending(gradient({16, 10}));
    QImage canvas(16, 10, QImage::Format_RGB32);
    {
        QPainter painter(&canvas);
        pending.image.paint(painter, QPoint(0, 0));
    }
    pending.image.setPending([] {
        QImage blue(16, 10, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        return blue;
    });
    {
        QPainter painter(&canvas);
        pending.image.paint(painter, QPoint(0, 0));
    }
    EXPECT_EQ(canvas.pixel(15, 9), QColor(Qt::blue).rgb());
    pending.image.resize({20, 12}, Qt::red, QImage::Format_RGB32);
    QImage larger(20, 12, QImage::Format_RGB32);
    {
        QPainter painter(&larger);
        pending.image.paint(painter, QPoint(0, 0));
    }
    EXPECT_EQ(larger.pixel(15, 9), QColor(Qt::blue).rgb());
    EXPECT_EQ(larger.pixel(19, 11), QColor(Qt::red).rgb());
}

TEST(PersistentImage, FillingPendingPixelsNeverMakesThem)
{
    Counted pending(gradient({8, 6}, 2.0));
    pending.image.fill(Qt::magenta);
    EXPECT_EQ(pending.made, 0);
    EXPECT_FALSE(pending.image.isPending());
    const QImage &filled = pending.image.pixels();
    EXPECT_EQ(filled.size(), QSize(8, 6));
    EXPECT_EQ(filled.format(), QImage::Format_RGB32);
    EXPECT_EQ(filled.devicePixelRatio(), 2.0);
    EXPECT_EQ(filled.pixel(7, 5), QColor(Qt::magenta).rgb());
}

// A maker that cannot make its pixels leaves black ones of the right size, never none.
TEST(PersistentImage, PixelsThatCannotBeMadeAreBlack)
{
    PersistentImage image(QImage(5, 4, QImage::Format_RGB32));
    image.setPending([] { return QImage(); });
    EXPECT_EQ(image.pixels().size(), QSize(5, 4));
    EXPECT_EQ(image.pixels().pixel(4, 3), qRgb(0, 0, 0));
}

} // namespace

namespace {

// The event loop's later release of painted pixels finds nothing once the image is gone.
TEST(PersistentImage, AnImageGoneBeforeTheEventLoopRunsLeavesNothingBehind)
{
    QImage canvas(8, 6, QImage::Format_RGB32);
    {
        Counted pending(gradient({8, 6}));
        QPainter painter(&canvas);
        pending.image.paint(painter, QPoint(0, 0));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(canvas.pixel(7, 5), gradient({8, 6}).pixel(7, 5));
}

} // namespace
