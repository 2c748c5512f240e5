#include "Gdi32.h"

#include "../TestSupport/TestPictures.h"

#include <QColor>
#include <QPainter>
#include <cctype>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <numbers>
#include <vector>

using namespace platform;

namespace {

// Region geometry -----------------------------------------------------------------------------

qint64 areaOf(const QRegion &region)
{
    qint64 area = 0;
    for (const QRect &rect : region)
        area += qint64(rect.width()) * rect.height();
    return area;
}

QRegion takeRegion(HRGN handle)
{
    const QRegion *region = Regions::find(handle);
    EXPECT_NE(region, nullptr);
    const QRegion copy = region ? *region : QRegion();
    DeleteObject(handle);
    return copy;
}

struct RoundRect
{
    int left, top, right, bottom, ellipseWidth, ellipseHeight;
};

class RoundRectRegion : public testing::TestWithParam<RoundRect>
{
};

TEST_P(RoundRectRegion, CoversTheRectangleWithRoundedCorners)
{
    const RoundRect c = GetParam();
    const HRGN handle
        = CreateRoundRectRgn(c.left, c.top, c.right, c.bottom, c.ellipseWidth, c.ellipseHeight);
    ASSERT_NE(handle, 0);
    const QRegion region = takeRegion(handle);
    const int width = c.right - c.left;
    const int height = c.bottom - c.top;

    // Right and bottom edges are excluded.
    EXPECT_EQ(region.boundingRect(), QRect(c.left, c.top, width, height));
    for (int y = c.top - 1; y <= c.bottom; ++y) {
        EXPECT_FALSE(region.contains(QPoint(c.right, y)));
        EXPECT_FALSE(region.contains(QPoint(c.left - 1, y)));
    }

    const int midX = c.left + width / 2;
    const int midY = c.top + height / 2;
    for (const QPoint inside : {QPoint(midX, midY), QPoint(midX, c.top), QPoint(midX, c.bottom - 1),
             QPoint(c.left, midY), QPoint(c.right - 1, midY)})
        EXPECT_TRUE(region.contains(inside)) << inside.x() << "," << inside.y();

    const QPoint corners[] = {QPoint(c.left, c.top), QPoint(c.right - 1, c.top),
        QPoint(c.left, c.bottom - 1), QPoint(c.right - 1, c.bottom - 1)};
    const bool rounded = c.ellipseWidth >= 4 && c.ellipseHeight >= 4;
    for (const QPoint corner : corners)
        EXPECT_EQ(region.contains(corner), !rounded) << corner.x() << "," << corner.y();

    // The four corners together cut away a rectangle minus an ellipse of the corner size.
    const double cornerWidth = std::min(c.ellipseWidth, width);
    const double cornerHeight = std::min(c.ellipseHeight, height);
    const double expected
        = double(width) * height - (4 - std::numbers::pi) * cornerWidth * cornerHeight / 4;
    EXPECT_NEAR(double(areaOf(region)), expected, 0.02 * expected + 2 * (cornerWidth + 1));

    // Symmetric under both mirrors.
    for (int y = c.top; y < c.bottom; ++y) {
        for (int x = c.left; x < c.right; ++x) {
            const bool here = region.contains(QPoint(x, y));
            ASSERT_EQ(here, region.contains(QPoint(c.right - 1 - (x - c.left), y)))
                << x << "," << y;
            ASSERT_EQ(here, region.contains(QPoint(x, c.bottom - 1 - (y - c.top))))
                << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Gdi32, RoundRectRegion,
    testing::Values(RoundRect {0, 0, 400, 300, 32, 32}, RoundRect {0, 0, 428, 331, 32, 32},
        RoundRect {10, 20, 110, 70, 16, 40}, RoundRect {-50, -30, 51, 31, 64, 8},
        RoundRect {0, 0, 40, 30, 40, 30}, RoundRect {0, 0, 41, 31, 200, 200},
        RoundRect {0, 0, 100, 100, 4, 4}, RoundRect {5, 5, 9, 9, 3, 3}));

TEST(Gdi32, EllipseSizeZeroGivesThePlainRectangle)
{
    for (const auto &[w, h] : std::vector<std::pair<int, int>> {{0, 0}, {0, 32}, {32, 0}}) {
        const QRegion region = takeRegion(CreateRoundRectRgn(3, 4, 403, 304, w, h));
        EXPECT_EQ(region, QRegion(3, 4, 400, 300)) << w << "x" << h;
    }
}

TEST(Gdi32, SwappedCornersGiveTheSameRegion)
{
    const QRegion normal = takeRegion(CreateRoundRectRgn(0, 0, 120, 80, 20, 20));
    EXPECT_EQ(takeRegion(CreateRoundRectRgn(120, 80, 0, 0, 20, 20)), normal);
    EXPECT_EQ(takeRegion(CreateRoundRectRgn(120, 0, 0, 80, 20, 20)), normal);
}

TEST(Gdi32, AnEmptyRectangleGivesAnEmptyRegion)
{
    EXPECT_TRUE(takeRegion(CreateRoundRectRgn(10, 10, 10, 50, 8, 8)).isEmpty());
    EXPECT_TRUE(takeRegion(CreateRoundRectRgn(10, 10, 50, 10, 8, 8)).isEmpty());
}

TEST(Gdi32, AbsurdSizesFail)
{
    const int before = Regions::count();
    constexpr int32_t huge = 1 << 28;
    EXPECT_EQ(CreateRoundRectRgn(0, 0, huge, 100, 10, 10), 0);
    EXPECT_EQ(CreateRoundRectRgn(-huge, 0, 10, 100, 10, 10), 0);
    EXPECT_EQ(CreateRoundRectRgn(0, 0, 100, INT32_MAX, 0, 0), 0);
    EXPECT_EQ(CreateRoundRectRgn(0, INT32_MIN, 100, 100, 0, 0), 0);
    // A corner as tall as this would need one band for each of its rows.
    EXPECT_EQ(CreateRoundRectRgn(0, 0, 100, 100000000, INT32_MAX, INT32_MAX), 0);
    EXPECT_EQ(Regions::count(), before);
    // A large rectangle with an ordinary corner is fine.
    const HRGN large = CreateRoundRectRgn(0, 0, 100000000, 100000000, 32, 32);
    EXPECT_NE(large, 0);
    DeleteObject(large);
}

TEST(Gdi32, DeleteObjectFreesARegionOnce)
{
    const HRGN region = CreateRoundRectRgn(0, 0, 10, 10, 2, 2);
    ASSERT_NE(region, 0);
    EXPECT_EQ(DeleteObject(region), 1);
    EXPECT_EQ(DeleteObject(region), 0);
    EXPECT_EQ(DeleteObject(0), 0);
    EXPECT_EQ(DeleteObject(0x4321), 0);
    // Handles are not reused.
    EXPECT_NE(CreateRoundRectRgn(0, 0, 10, 10, 2, 2), region);
}

// Device contexts ----------------------------------------------------------------------------

// A device context over an image owned by the test, counting the owner's change notices.
class Surface
{
public:
    explicit Surface(QImage image) : m_image(std::move(image))
    {
        m_hdc = DeviceContexts::create(&m_image, [this] { ++m_changes; });
    }
    Surface(int width, int height, QColor colour) : Surface(filled(width, height, colour)) { }
    ~Surface() { DeviceContexts::release(m_hdc); }
    Surface(const Surface &) = delete;
    Surface &operator=(const Surface &) = delete;

    static QImage filled(int width, int height, QColor colour)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

    HDC hdc() const { return m_hdc; }
    const QImage &image() const { return m_image.pixels(); }
    // For drawing into the image as its owner does.
    QImage &pixels() { return m_image.pixels(); }
    QColor at(int x, int y) const { return image().pixelColor(x, y); }
    int changes() const { return m_changes; }

private:
    PersistentImage m_image;
    HDC m_hdc = 0;
    int m_changes = 0;
};

// Red, green, blue and yellow quadrants, clockwise from the top left.
QImage fourColours(int width, int height)
{
    QImage image = Surface::filled(width, height, Qt::red);
    QPainter painter(&image);
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, Qt::green);
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, Qt::yellow);
    painter.fillRect(0, height / 2, width / 2, height - height / 2, Qt::blue);
    return image;
}

bool isUniform(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != colour)
                return false;
        }
    }
    return true;
}

int32_t stretchOnto(const Surface &target, const Surface &picture, int mode)
{
    SetStretchBltMode(target.hdc(), mode);
    return StretchBlt(target.hdc(), 0, 0, target.image().width(), target.image().height(),
        picture.hdc(), 0, 0, picture.image().width(), picture.image().height(), SRCCOPY);
}

TEST(Gdi32, SetStretchBltModeReturnsThePreviousMode)
{
    Surface surface(4, 4, Qt::white);
    EXPECT_EQ(SetStretchBltMode(surface.hdc(), HALFTONE), BLACKONWHITE);
    EXPECT_EQ(SetStretchBltMode(surface.hdc(), COLORONCOLOR), HALFTONE);
    EXPECT_EQ(SetStretchBltMode(surface.hdc(), HALFTONE), COLORONCOLOR);
    // A mode that does not exist changes nothing.
    EXPECT_EQ(SetStretchBltMode(surface.hdc(), 0), 0);
    EXPECT_EQ(SetStretchBltMode(surface.hdc(), 5), 0);
    EXPECT_EQ(SetStretchBltMode(surface.hdc(), HALFTONE), HALFTONE);
    EXPECT_EQ(DeviceContexts::find(surface.hdc())->stretchMode, StretchMode::Halftone);
    EXPECT_EQ(SetStretchBltMode(0, HALFTONE), 0);
    EXPECT_EQ(SetStretchBltMode(0x7777, HALFTONE), 0);
}

struct Stretch
{
    int width, height, mode;
};

class Stretching : public testing::TestWithParam<Stretch>
{
};

TEST_P(Stretching, AUniformPictureStaysUniform)
{
    const Stretch c = GetParam();
    const Surface picture(800, 600, QColor(12, 140, 230));
    Surface target(c.width, c.height, Qt::white);
    EXPECT_NE(stretchOnto(target, picture, c.mode), 0);
    EXPECT_TRUE(isUniform(target.image(), qRgb(12, 140, 230)));
    EXPECT_EQ(target.changes(), 1);
    EXPECT_EQ(target.image().size(), QSize(c.width, c.height));
}

TEST_P(Stretching, CornerColoursLandInTheirCorners)
{
    const Stretch c = GetParam();
    const Surface picture(fourColours(800, 600));
    Surface target(c.width, c.height, Qt::white);
    ASSERT_NE(stretchOnto(target, picture, c.mode), 0);
    const int right = c.width - 1;
    const int bottom = c.height - 1;
    EXPECT_EQ(target.at(0, 0), QColor(Qt::red));
    EXPECT_EQ(target.at(right, 0), QColor(Qt::green));
    EXPECT_EQ(target.at(right, bottom), QColor(Qt::yellow));
    EXPECT_EQ(target.at(0, bottom), QColor(Qt::blue));
    EXPECT_EQ(target.at(c.width / 4, c.height / 4), QColor(Qt::red));
    EXPECT_EQ(target.at(3 * c.width / 4, 3 * c.height / 4), QColor(Qt::yellow));
}

// A picture whose proportions differ from the destination is distorted to fill it: the split
// between the halves follows the destination's width and height separately.
TEST_P(Stretching, TheWholeDestinationIsFilledWhateverItsProportions)
{
    const Stretch c = GetParam();
    const Surface picture(fourColours(800, 600));
    Surface target(c.width, c.height, Qt::white);
    ASSERT_NE(stretchOnto(target, picture, c.mode), 0);
    const int edgeX = c.width / 2;
    const int edgeY = c.height / 2;
    for (int y = 0; y < c.height; y += std::max(1, c.height / 16)) {
        const QColor left = y < edgeY - 2 ? QColor(Qt::red) : QColor(Qt::blue);
        const QColor right = y < edgeY - 2 ? QColor(Qt::green) : QColor(Qt::yellow);
        if (std::abs(y - edgeY) <= 2)
            continue;
        EXPECT_EQ(target.at(edgeX - 3, y), left) << y;
        EXPECT_EQ(target.at(edgeX + 2, y), right) << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Gdi32, Stretching,
    testing::Values(Stretch {297, 225, HALFTONE}, Stretch {1200, 900, HALFTONE},
        Stretch {297, 225, COLORONCOLOR}, Stretch {1200, 900, COLORONCOLOR},
        Stretch {100, 400, HALFTONE}, Stretch {600, 40, HALFTONE}, Stretch {33, 17, HALFTONE},
        Stretch {600, 40, COLORONCOLOR}));

TEST(Gdi32, HalftoneBlendsWhereTheOtherModesPickPixels)
{
    QImage stripes(8, 1, QImage::Format_RGB32);
    for (int x = 0; x < 8; ++x)
        stripes.setPixel(x, 0, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const Surface picture(stripes);

    auto greys = [&](int mode) {
        Surface target(3, 1, Qt::red);
        EXPECT_NE(stretchOnto(target, picture, mode), 0);
        int between = 0;
        for (int x = 0; x < 3; ++x) {
            const QColor pixel = target.at(x, 0);
            EXPECT_EQ(pixel.red(), pixel.blue());
            between += pixel.red() > 40 && pixel.red() < 215;
        }
        return between;
    };
    EXPECT_EQ(greys(HALFTONE), 3);
    EXPECT_EQ(greys(COLORONCOLOR), 0);
    EXPECT_EQ(greys(BLACKONWHITE), 0);
}

TEST(Gdi32, APartOfThePictureCanBeCopiedAnywhere)
{
    const Surface picture(fourColours(80, 60));
    Surface target(50, 50, Qt::white);
    SetStretchBltMode(target.hdc(), HALFTONE);
    // The top right quadrant onto a square inside the destination.
    EXPECT_NE(StretchBlt(target.hdc(), 10, 20, 25, 15, picture.hdc(), 40, 0, 40, 30, SRCCOPY), 0);
    EXPECT_TRUE(isUniform(target.image().copy(10, 20, 25, 15), qRgb(0, 255, 0)));
    QImage outside = target.image();
    QPainter(&outside).fillRect(10, 20, 25, 15, Qt::white);
    EXPECT_TRUE(isUniform(outside, qRgb(255, 255, 255)));
}

TEST(Gdi32, DrawingIsClippedToTheDestination)
{
    const Surface picture(fourColours(40, 40));
    Surface target(20, 20, Qt::white);
    // One to one, shifted up and left by ten pixels: the destination shows the middle.
    EXPECT_NE(StretchBlt(target.hdc(), -10, -10, 40, 40, picture.hdc(), 0, 0, 40, 40, SRCCOPY), 0);
    EXPECT_EQ(target.at(0, 0), QColor(Qt::red));
    EXPECT_EQ(target.at(19, 0), QColor(Qt::green));
    EXPECT_EQ(target.at(0, 19), QColor(Qt::blue));
    EXPECT_EQ(target.at(19, 19), QColor(Qt::yellow));
    EXPECT_EQ(target.changes(), 1);

    // Entirely outside: nothing drawn.
    Surface untouched(20, 20, Qt::white);
    EXPECT_NE(StretchBlt(untouched.hdc(), 20, 0, 10, 10, picture.hdc(), 0, 0, 40, 40, SRCCOPY), 0);
    EXPECT_TRUE(isUniform(untouched.image(), qRgb(255, 255, 255)));
    EXPECT_EQ(untouched.changes(), 0);
}

TEST(Gdi32, AHugeDestinationDrawsOnlyWhatShows)
{
    const Surface picture(fourColours(40, 40));
    for (const int mode : {HALFTONE, COLORONCOLOR}) {
        Surface target(20, 20, Qt::white);
        SetStretchBltMode(target.hdc(), mode);
        EXPECT_NE(StretchBlt(target.hdc(), 0, 0, 100000000, 100000000, picture.hdc(), 0, 0, 40, 40,
                      SRCCOPY),
            0);
        EXPECT_TRUE(isUniform(target.image(), qRgb(255, 0, 0))) << mode;
        Surface far(20, 20, Qt::white);
        EXPECT_NE(StretchBlt(far.hdc(), -2000000000, -2000000000, 2100000000, 2100000000,
                      picture.hdc(), 0, 0, 40, 40, SRCCOPY),
            0);
        EXPECT_TRUE(isUniform(far.image(), qRgb(255, 255, 0))) << mode;
    }
}

TEST(Gdi32, SourcePixelsOutsideThePictureAreNotCopied)
{
    const Surface picture(20, 20, Qt::blue);
    Surface target(40, 40, Qt::white);
    // Twice the picture's size, one to one: only the top left quarter has pixels to copy.
    EXPECT_NE(StretchBlt(target.hdc(), 0, 0, 40, 40, picture.hdc(), 0, 0, 40, 40, SRCCOPY), 0);
    EXPECT_TRUE(isUniform(target.image().copy(0, 0, 20, 20), qRgb(0, 0, 255)));
    EXPECT_EQ(target.at(25, 5), QColor(Qt::white));
    EXPECT_EQ(target.at(5, 25), QColor(Qt::white));
    EXPECT_EQ(target.at(39, 39), QColor(Qt::white));
}

TEST(Gdi32, AnEmptyOrNegativeSizeDrawsNothing)
{
    const Surface picture(30, 30, Qt::black);
    struct Case
    {
        int width, height, widthSource, heightSource;
    };
    const Case cases[] = {{0, 10, 30, 30}, {10, 0, 30, 30}, {0, 0, 30, 30}, {-10, 10, 30, 30},
        {10, -10, 30, 30}, {10, 10, 0, 30}, {10, 10, 30, 0}, {10, 10, -30, 30}};
    for (const Case &c : cases) {
        Surface target(20, 20, Qt::white);
        StretchBlt(target.hdc(), 0, 0, c.width, c.height, picture.hdc(), 0, 0, c.widthSource,
            c.heightSource, SRCCOPY);
        EXPECT_TRUE(isUniform(target.image(), qRgb(255, 255, 255)))
            << c.width << " " << c.height << " " << c.widthSource << " " << c.heightSource;
        EXPECT_EQ(target.changes(), 0);
    }
}

TEST(Gdi32, InvalidContextsAndOperationsReturnZeroAndDrawNothing)
{
    const Surface picture(30, 30, Qt::black);
    Surface target(20, 20, Qt::white);
    const HDC released = [] {
        PersistentImage scratch(QImage(4, 4, QImage::Format_RGB32));
        const HDC hdc = DeviceContexts::create(&scratch, {});
        DeviceContexts::release(hdc);
        return hdc;
    }();
    for (const HDC bad : {HDC(0), HDC(-1), HDC(0x7777), released}) {
        EXPECT_EQ(StretchBlt(bad, 0, 0, 20, 20, picture.hdc(), 0, 0, 30, 30, SRCCOPY), 0) << bad;
        EXPECT_EQ(StretchBlt(target.hdc(), 0, 0, 20, 20, bad, 0, 0, 30, 30, SRCCOPY), 0) << bad;
    }
    // Only plain copies are supported.
    constexpr int32_t SRCAND = 0x008800C6;
    EXPECT_EQ(StretchBlt(target.hdc(), 0, 0, 20, 20, picture.hdc(), 0, 0, 30, 30, SRCAND), 0);
    EXPECT_TRUE(isUniform(target.image(), qRgb(255, 255, 255)));
    EXPECT_EQ(target.changes(), 0);
}

TEST(Gdi32, APictureCanBeDrawnOntoItself)
{
    Surface surface(fourColours(40, 40));
    SetStretchBltMode(surface.hdc(), HALFTONE);
    // The top left quadrant blown up over the whole surface.
    EXPECT_NE(StretchBlt(surface.hdc(), 0, 0, 40, 40, surface.hdc(), 0, 0, 20, 20, SRCCOPY), 0);
    EXPECT_TRUE(isUniform(surface.image(), qRgb(255, 0, 0)));
}

TEST(Gdi32, ATransparentDestinationReceivesOpaquePixels)
{
    QImage canvas(10, 10, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    Surface target(canvas);
    const Surface picture(5, 5, QColor(10, 20, 30));
    EXPECT_NE(stretchOnto(target, picture, HALFTONE), 0);
    EXPECT_TRUE(isUniform(target.image(), qRgb(10, 20, 30)));
    EXPECT_EQ(target.image().format(), QImage::Format_ARGB32_Premultiplied);
}

} // namespace

namespace {

TEST(Gdi32, ADestinationKeepsItsPixelRatioAndMayBePaintedMeanwhile)
{
    const Surface picture(8, 8, QColor(200, 100, 50));
    QImage canvas = Surface::filled(16, 16, Qt::white);
    canvas.setDevicePixelRatio(2.0);
    Surface target(canvas);
    EXPECT_NE(stretchOnto(target, picture, HALFTONE), 0);
    EXPECT_TRUE(isUniform(target.image(), qRgb(200, 100, 50)));
    EXPECT_DOUBLE_EQ(target.image().devicePixelRatio(), 2.0);

    // An owner with a painter open on its image still gets the pixels.
    Surface painted(16, 16, Qt::white);
    const Surface other(8, 8, QColor(1, 2, 3));
    QPainter painter(const_cast<QImage *>(&painted.image()));
    EXPECT_NE(stretchOnto(painted, other, HALFTONE), 0);
    painter.end();
    EXPECT_TRUE(isUniform(painted.image(), qRgb(1, 2, 3)));
}

} // namespace

namespace {

using platform::test::exactAreaAverage;
using platform::test::largestChannelDifference;
using platform::test::photoLike;

// Large enough for reduced copies, and four halvings deep along its width.
const QImage &largePhoto()
{
    static const QImage photo = photoLike({2048, 1536});
    return photo;
}

// Shrunk, a large picture is read from a reduced copy, within 3 levels of the exact area
// average of the picture itself; enlarged in either direction, it is scaled as it always was.
TEST(Gdi32, HalftoneStaysWithinThreeLevelsOfTheExactAverageOfALargePicture)
{
    // 2048 x 1536 halves to 1024 x 768, 512 x 384, 256 x 192, 128 x 96.
    const QSize sizes[] = {{300, 225}, {1200, 900}, {1024, 768}, {1025, 769}, {1023, 767},
        {512, 384}, {511, 385}, {513, 383}, {2000, 40}, {40, 1500}, {1, 1}, {1, 1536}, {2048, 1},
        {97, 13}, {2049, 1000}, {1000, 1537}, {3000, 2000}, {2048, 1536}};
    const Surface picture(largePhoto());
    for (const QSize size : sizes) {
        const bool enlarged
            = size.width() > largePhoto().width() || size.height() > largePhoto().height();
        const QImage expected = enlarged
            ? largePhoto().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            : exactAreaAverage(largePhoto(), size);
        for (int round = 0; round < 2; ++round) { // the second reads the copy the first made
            Surface target(size.width(), size.height(), Qt::white);
            ASSERT_NE(stretchOnto(target, picture, HALFTONE), 0);
            EXPECT_EQ(target.changes(), 1);
            if (enlarged)
                EXPECT_EQ(target.image(), expected) << size.width() << "x" << size.height();
            else
                EXPECT_LE(largestChannelDifference(target.image(), expected), 3)
                    << size.width() << "x" << size.height() << " round " << round;
        }
    }
}

TEST(Gdi32, TheOtherModesIgnoreTheCopies)
{
    const Surface picture(largePhoto());
    for (const int mode : {COLORONCOLOR, BLACKONWHITE}) {
        for (int round = 0; round < 2; ++round) {
            Surface target(300, 225, Qt::white);
            ASSERT_NE(stretchOnto(target, picture, mode), 0);
            EXPECT_EQ(target.image(),
                largePhoto().scaled(300, 225, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        }
    }
}

// Whatever the owner does to the source between two stretches, the second shows it.
struct SourceChange
{
    const char *name;
    void (*apply)(Surface &picture, Surface &other);
};

class LargePictureChange : public testing::TestWithParam<SourceChange>
{
};

TEST_P(LargePictureChange, TheNextStretchShowsIt)
{
    const QSize size(300, 225);
    Surface picture(largePhoto());
    Surface other(photoLike(largePhoto().size(), 1));
    Surface before(size.width(), size.height(), Qt::white);
    ASSERT_NE(stretchOnto(before, picture, HALFTONE), 0);
    GetParam().apply(picture, other);
    Surface after(size.width(), size.height(), Qt::white);
    ASSERT_NE(stretchOnto(after, picture, HALFTONE), 0);
    // As if no copy had been made before.
    Surface fresh(picture.image());
    Surface expected(size.width(), size.height(), Qt::white);
    ASSERT_NE(stretchOnto(expected, fresh, HALFTONE), 0);
    EXPECT_EQ(after.image(), expected.image()) << GetParam().name;
    EXPECT_NE(after.image(), before.image()) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Gdi32, LargePictureChange,
    testing::Values(SourceChange {"painted",
                        [](Surface &picture, Surface &) {
                            QPainter(&picture.pixels()).fillRect(200, 100, 900, 700, Qt::darkRed);
                        }},
        SourceChange {
            "filled", [](Surface &picture, Surface &) { picture.pixels().fill(Qt::gray); }},
        SourceChange {"replaced by a picture of the same size",
            [](Surface &picture, Surface &other) { picture.pixels() = other.image(); }},
        SourceChange {"stretched onto",
            [](Surface &picture, Surface &other) {
                SetStretchBltMode(picture.hdc(), HALFTONE);
                StretchBlt(picture.hdc(), 0, 0, 2048, 1536, other.hdc(), 0, 0, 2048, 1536, SRCCOPY);
            }},
        SourceChange {"stretched onto in part",
            [](Surface &picture, Surface &other) {
                SetStretchBltMode(picture.hdc(), COLORONCOLOR);
                StretchBlt(picture.hdc(), 0, 0, 1024, 768, other.hdc(), 0, 0, 2048, 1536, SRCCOPY);
            }},
        SourceChange {"drawn onto itself",
            [](Surface &picture, Surface &) {
                SetStretchBltMode(picture.hdc(), HALFTONE);
                StretchBlt(picture.hdc(), 0, 0, 2048, 1536, picture.hdc(), 0, 0, 512, 384, SRCCOPY);
            }}),
    [](const testing::TestParamInfo<SourceChange> &info) {
        return "change" + std::to_string(info.index);
    });

} // namespace

namespace {

using platform::test::photoLike;

// A stretch over a whole destination is left pending; the same stretch onto the top left of a
// larger destination is drawn at once. Both give the same pixels, whatever happens to the source
// in between.
struct WholeStretch
{
    const char *name;
    QSize picture;
    QRect from;
    QSize target;
    int mode;
    QImage::Format format;
    qreal ratio;
};

class PendingStretch : public testing::TestWithParam<WholeStretch>
{
};

TEST_P(PendingStretch, GivesThePixelsOfAStretchMadeAtOnce)
{
    const WholeStretch &c = GetParam();
    Surface picture(photoLike(c.picture));
    QImage canvas(c.target, c.format);
    canvas.fill(Qt::white);
    canvas.setDevicePixelRatio(c.ratio);
    Surface pending(canvas);
    QImage larger(c.target + QSize(1, 1), c.format);
    larger.fill(Qt::white);
    larger.setDevicePixelRatio(c.ratio);
    Surface eager(larger);
    SetStretchBltMode(pending.hdc(), c.mode);
    SetStretchBltMode(eager.hdc(), c.mode);
    const auto stretch = [&](Surface &target) {
        return StretchBlt(target.hdc(), 0, 0, c.target.width(), c.target.height(), picture.hdc(),
            c.from.x(), c.from.y(), c.from.width(), c.from.height(), SRCCOPY);
    };
    ASSERT_NE(stretch(pending), 0);
    ASSERT_NE(stretch(eager), 0);
    EXPECT_EQ(pending.changes(), 1);
    // The source changes before the pending pixels are made: they still show it as it was.
    picture.pixels().fill(Qt::darkGreen);

    const QImage &made = pending.image();
    EXPECT_EQ(made, eager.image().copy(QRect(QPoint(0, 0), c.target)));
    EXPECT_EQ(made.format(), c.format);
    EXPECT_EQ(made.devicePixelRatio(), c.ratio);
    EXPECT_EQ(made.dotsPerMeterX(), canvas.dotsPerMeterX());
}

INSTANTIATE_TEST_SUITE_P(Gdi32, PendingStretch,
    testing::Values(WholeStretch {"shrunk smoothly", {120, 90}, {0, 0, 120, 90}, {50, 37}, HALFTONE,
                        QImage::Format_RGB32, 1.0},
        WholeStretch {"enlarged smoothly", {40, 30}, {0, 0, 40, 30}, {97, 61}, HALFTONE,
            QImage::Format_RGB32, 1.0},
        WholeStretch {"to the nearest pixel", {120, 90}, {0, 0, 120, 90}, {70, 100}, COLORONCOLOR,
            QImage::Format_RGB32, 1.0},
        WholeStretch {"from part of the picture", {120, 90}, {10, 20, 60, 40}, {90, 45}, HALFTONE,
            QImage::Format_RGB32, 1.0},
        WholeStretch {"from a picture read through its reduced copies", {2048, 1536},
            {0, 0, 2048, 1536}, {300, 225}, HALFTONE, QImage::Format_RGB32, 1.0},
        WholeStretch {"onto a destination with an alpha channel", {64, 48}, {0, 0, 64, 48},
            {31, 29}, HALFTONE, QImage::Format_ARGB32_Premultiplied, 1.0},
        WholeStretch {"onto a destination at twice the pixel ratio", {64, 48}, {0, 0, 64, 48},
            {80, 60}, HALFTONE, QImage::Format_RGB32, 2.0}),
    [](const testing::TestParamInfo<WholeStretch> &info) {
        std::string name;
        for (const char c : std::string(info.param.name))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

} // namespace

namespace {

// A pending stretch keeps what it needs of its source: the source's context may go first.
TEST(Gdi32, APendingStretchOutlivesItsSourceContext)
{
    Surface target(20, 10, Qt::white);
    {
        const Surface picture(photoLike({40, 20}));
        ASSERT_NE(stretchOnto(target, picture, HALFTONE), 0);
    }
    EXPECT_EQ(target.image(),
        photoLike({40, 20}).scaled(20, 10, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace
