#include "QuillkitTestSupport.h"

#include <Quillkit/Controls/OleColor.h>
#include <Quillkit/Hosting/Extender.h>
#include <Quillkit/Objects/StdFont.h>
#include <Quillkit/Objects/StdPicture.h>
#include <Quillkit/TestSupport/TestPictures.h>
#include <Quillkit/Value/Units.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <cmath>

namespace {

using platform::DispatchPtr;
using platform::DispId;
using platform::InvokeKind;
using platform::PropertyBag;
using platform::StdPicture;
using platform::Variant;
using platform::test::exactAreaAverage;
using platform::test::largestChannelDifference;
using platform::test::photoLike;
using quillkit::test::errorNumberOf;

constexpr DispId PictureId = 0x68030000;

// A picture of 3 x 3 cells, each of its own colour, so that where each cell lands shows how the
// picture was stretched.
const QRgb CellColours[3][3] = {
    {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)},
    {qRgb(255, 255, 0), qRgb(255, 0, 255), qRgb(0, 255, 255)},
    {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(128, 64, 32)},
};

QImage cells(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, CellColours[y * 3 / height][x * 3 / width]);
    }
    return image;
}

QImage uniform(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Black and white pixels alternating in both directions.
QImage checkerboard(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    }
    return image;
}

// The distinct colours of an image.
QSet<QRgb> coloursOf(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    }
    return colours;
}

class QuillPictureBoxTest : public quillkit::test::WithQuillkit
{
protected:
    platform::ControlSite &place(QSize pixels, const PropertyBag *saved = nullptr)
    {
        return form.addControl(QStringLiteral("Quillkit.QuillPictureBox"),
            QStringLiteral("QuillPictureBox1"),
            {60, 90, pixels.width() * 15.0, pixels.height() * 15.0}, saved);
    }
    static void setPicture(platform::ControlSite &site, const DispatchPtr &picture)
    {
        site.control()->invoke(PictureId, InvokeKind::PropertySetRef, {Variant(picture)});
    }
    static void setPicture(platform::ControlSite &site, const QImage &image)
    {
        setPicture(site, StdPicture::fromImage(image));
    }
    static QWidget *constituent(platform::ControlSite &site, const char *name)
    {
        return site.widget()->findChild<QWidget *>(QString::fromLatin1(name));
    }
    // What pic shows when it is painted: its persistent image.
    static QImage shown(platform::ControlSite &site)
    {
        QWidget *pic = constituent(site, "pic");
        if (!pic || pic->size().isEmpty())
            return {};
        return pic->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // Each cell's middle shows the cell's colour, and the corners those of the corner cells.
    static void expectCells(const QImage &image, QSize size)
    {
        ASSERT_EQ(image.size(), size);
        const int w = size.width();
        const int h = size.height();
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column) {
                const QPoint middle((2 * column + 1) * w / 6, (2 * row + 1) * h / 6);
                EXPECT_EQ(image.pixel(middle), CellColours[row][column])
                    << "cell " << row << "," << column << " of " << w << "x" << h;
            }
        }
        EXPECT_EQ(image.pixel(0, 0), CellColours[0][0]);
        EXPECT_EQ(image.pixel(w - 1, 0), CellColours[0][2]);
        EXPECT_EQ(image.pixel(0, h - 1), CellColours[2][0]);
        EXPECT_EQ(image.pixel(w - 1, h - 1), CellColours[2][2]);
    }
};

TEST_F(QuillPictureBoxTest, StretchesThePictureOverTheWholeControl)
{
    struct Case
    {
        QSize picture;
        QSize control;
    };
    const Case cases[] = {
        {{600, 450}, {200, 150}}, // shrunk
        {{60, 45}, {360, 270}}, // enlarged
        {{90, 90}, {300, 60}}, // distorted: wider and flatter
        {{60, 150}, {297, 225}}, // distorted the other way
        {{800, 600}, {297, 225}},
    };
    for (const Case &c : cases) {
        platform::ControlSite &site = place(c.control);
        setPicture(site, cells(c.picture.width(), c.picture.height()));
        expectCells(shown(site), c.control);
        // The holder keeps the picture at its natural size, out of sight.
        QWidget *holder = constituent(site, "picAux");
        ASSERT_NE(holder, nullptr);
        EXPECT_TRUE(holder->isHidden());
        EXPECT_EQ(holder->size(), c.picture);
        form.setUserMode(!form.userMode()); // the same drawing in both modes
    }
}

TEST_F(QuillPictureBoxTest, AUniformPictureStaysUniform)
{
    const QRgb colour = qRgb(10, 120, 200);
    const QSize sizes[] = {{200, 150}, {297, 225}, {1200, 900}, {1, 1}, {7, 300}};
    platform::ControlSite &site = place({200, 150});
    setPicture(site, uniform(80, 60, colour));
    for (const QSize size : sizes) {
        site.userControl()->setExtent(size.width() * 15.0, size.height() * 15.0);
        const QImage image = shown(site);
        EXPECT_EQ(image.size(), size);
        EXPECT_EQ(coloursOf(image), QSet<QRgb>({colour})) << size.width() << "x" << size.height();
    }
}

TEST_F(QuillPictureBoxTest, ScalesSmoothlyBothWays)
{
    // Enlarged, the edge between black and white blends over several pixels; shrunk, a
    // one-pixel checkerboard averages to grey. Copying the nearest pixel would give neither.
    platform::ControlSite &site = place({400, 200});
    QImage halves = uniform(20, 10, qRgb(0, 0, 0));
    QPainter(&halves).fillRect(10, 0, 10, 10, Qt::white);
    setPicture(site, halves);
    const QImage enlarged = shown(site);
    int blended = 0;
    for (int x = 0; x < enlarged.width(); ++x) {
        const int grey = qRed(enlarged.pixel(x, 100));
        blended += grey > 0 && grey < 255;
    }
    EXPECT_GE(blended, 4);
    EXPECT_EQ(enlarged.pixel(0, 100), qRgb(0, 0, 0));
    EXPECT_EQ(enlarged.pixel(399, 100), qRgb(255, 255, 255));

    site.userControl()->setExtent(50 * 15.0, 40 * 15.0);
    setPicture(site, checkerboard(200, 160));
    const QImage shrunk = shown(site);
    ASSERT_EQ(shrunk.size(), QSize(50, 40));
    for (const QPoint point : {QPoint(0, 0), QPoint(25, 20), QPoint(49, 39), QPoint(10, 30)}) {
        const int grey = qRed(shrunk.pixel(point));
        EXPECT_GT(grey, 96) << point.x() << "," << point.y();
        EXPECT_LT(grey, 160) << point.x() << "," << point.y();
    }
}

TEST_F(QuillPictureBoxTest, ResizingRestretchesThePicture)
{
    platform::ControlSite &site = place({200, 150});
    setPicture(site, cells(90, 60));
    site.extender()->invoke(
        platform::ExtenderDispId::Width, InvokeKind::PropertyLet, {Variant(300 * 15.0)});
    expectCells(shown(site), {300, 150});
    site.extender()->let(QStringLiteral("Height"), Variant(45 * 15.0));
    expectCells(shown(site), {300, 45});
    EXPECT_EQ(constituent(site, "pic")->geometry(), QRect(0, 0, 300, 45));
}

TEST_F(QuillPictureBoxTest, TheSamePictureSetTwiceDrawsTheSame)
{
    platform::ControlSite &site = place({297, 225});
    const auto picture = StdPicture::fromImage(cells(800, 600));
    setPicture(site, picture);
    const QImage first = shown(site);
    setPicture(site, picture);
    const QImage second = shown(site);
    EXPECT_EQ(second, first);
    expectCells(second, {297, 225});
    // Repainting shows the same drawing again.
    constituent(site, "pic")->repaint();
    EXPECT_EQ(shown(site), first);
}

TEST_F(QuillPictureBoxTest, WithoutAPictureItShowsTheHoldersBackColour)
{
    const QRgb holder = platform::OleColor::toQColor(platform::OleColor::ButtonFace).rgb();
    const QRgb own = platform::OleColor::toQColor(platform::OleColor::WindowBackground).rgb();
    ASSERT_NE(holder, own);

    platform::ControlSite &site = place({200, 150});
    EXPECT_EQ(coloursOf(shown(site)), QSet<QRgb>({holder}));

    // Setting Nothing takes the picture away again.
    setPicture(site, cells(60, 45));
    setPicture(site, DispatchPtr());
    EXPECT_EQ(coloursOf(shown(site)), QSet<QRgb>({holder}));
}

TEST_F(QuillPictureBoxTest, ASizeOfZeroDrawsNothing)
{
    const QSize sizes[] = {{0, 150}, {200, 0}, {0, 0}};
    platform::ControlSite &site = place({200, 150});
    setPicture(site, cells(60, 45));
    for (const QSize size : sizes) {
        site.userControl()->setExtent(size.width() * 15.0, size.height() * 15.0);
        EXPECT_EQ(constituent(site, "pic")->size(), size);
        EXPECT_TRUE(shown(site).isNull());
        // Setting a picture at that size draws nothing either.
        setPicture(site, cells(90, 90));
    }
    site.userControl()->setExtent(200 * 15.0, 150 * 15.0);
    expectCells(shown(site), {200, 150});
}

// A photograph large enough for the holder to keep reduced copies of it: 1600 x 1200 halves to
// 800 x 600 and 400 x 300.
const QImage &largePhoto()
{
    static const QImage photo = photoLike({1600, 1200});
    return photo;
}

TEST_F(QuillPictureBoxTest, ALargePictureShrinksWithinThreeLevelsOfTheExactAverage)
{
    const QSize sizes[] = {{300, 225}, {800, 600}, {801, 601}, {799, 599}, {400, 300}, {401, 299},
        {1200, 900}, {1600, 40}, {37, 1100}, {1, 1}, {1, 300}, {1600, 1200},
        // Enlarged in one direction or both: scaled as before.
        {1700, 1000}, {900, 1300}, {2000, 1500}};
    platform::ControlSite &site = place({200, 150});
    setPicture(site, largePhoto());
    for (const QSize size : sizes) {
        const bool enlarged = size.width() > 1600 || size.height() > 1200;
        const QImage expected = enlarged
            ? largePhoto().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            : exactAreaAverage(largePhoto(), size);
        // Twice, as the animation does: the second resize reads what the first kept.
        for (int round = 0; round < 2; ++round) {
            site.userControl()->setExtent(size.width() * 15.0, size.height() * 15.0);
            const QImage image = shown(site);
            ASSERT_EQ(image.size(), size);
            if (enlarged)
                EXPECT_EQ(image, expected) << size.width() << "x" << size.height();
            else
                EXPECT_LE(largestChannelDifference(image, expected), 3)
                    << size.width() << "x" << size.height() << " round " << round;
        }
    }
}

TEST_F(QuillPictureBoxTest, ANewLargePictureNeverShowsTheOldOne)
{
    QImage drawnOn = largePhoto().copy();
    QPainter(&drawnOn).fillRect(1200, 900, 400, 300, Qt::black);
    const QImage replacements[] = {photoLike(largePhoto().size(), 1), drawnOn, largePhoto()};
    const QSize sizes[] = {{300, 225}, {310, 230}, {640, 480}};

    platform::ControlSite &site = place(sizes[0]);
    setPicture(site, largePhoto());
    site.userControl()->setExtent(sizes[1].width() * 15.0, sizes[1].height() * 15.0);
    int replaced = 0;
    for (const QImage &replacement : replacements) {
        setPicture(site, replacement);
        // Beside it, a control that never showed another picture.
        platform::ControlSite &fresh = form.addControl(QStringLiteral("Quillkit.QuillPictureBox"),
            QStringLiteral("Fresh%1").arg(++replaced), {60, 90, 300 * 15.0, 225 * 15.0});
        setPicture(fresh, replacement);
        for (const QSize size : sizes) {
            site.userControl()->setExtent(size.width() * 15.0, size.height() * 15.0);
            fresh.userControl()->setExtent(size.width() * 15.0, size.height() * 15.0);
            EXPECT_EQ(shown(site), shown(fresh))
                << replaced << ": " << size.width() << "x" << size.height();
        }
    }
    // Taking the picture away leaves the holder's back colour, however large the holder.
    setPicture(site, DispatchPtr());
    site.userControl()->setExtent(300 * 15.0, 225 * 15.0);
    const QRgb holder = platform::OleColor::toQColor(platform::OleColor::ButtonFace).rgb();
    EXPECT_EQ(coloursOf(shown(site)), QSet<QRgb>({holder}));
}

TEST_F(QuillPictureBoxTest, PictureCanOnlyBeSet)
{
    platform::ControlSite &site = place({200, 150});
    setPicture(site, cells(60, 45));
    const DispatchPtr control = site.control();
    EXPECT_EQ(errorNumberOf([&] { control->invoke(PictureId, InvokeKind::PropertyGet, {}); }), 438);
    EXPECT_EQ(errorNumberOf([&] { control->invoke(PictureId, InvokeKind::Method, {}); }), 438);
    EXPECT_EQ(errorNumberOf([&] { control->get(QStringLiteral("Picture")); }), 438);
    EXPECT_EQ(errorNumberOf([&] {
        control->invoke(PictureId, InvokeKind::PropertyLet, {Variant(int32_t(1))});
    }),
        438);
    // Only a picture object will do; what was shown stays.
    const QImage before = shown(site);
    EXPECT_EQ(errorNumberOf([&] { setPicture(site, std::make_shared<platform::StdFont>()); }), 13);
    EXPECT_EQ(errorNumberOf([&] {
        control->invoke(PictureId, InvokeKind::PropertySetRef, {Variant(int32_t(1))});
    }),
        13);
    EXPECT_EQ(shown(site), before);
    // By name, as late-bound hosts set it.
    control->setRef(QStringLiteral("picture"), StdPicture::fromImage(cells(30, 30)));
    expectCells(shown(site), {200, 150});
}

TEST_F(QuillPictureBoxTest, PersistsOnlyItsExtent)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("picture"), Variant(QStringLiteral("ignored")));
    platform::ControlSite &site = place({200, 150}, &bag);
    setPicture(site, cells(60, 45));
    const PropertyBag saved = site.save();
    QStringList keys;
    for (const auto &entry : saved.entries())
        keys << entry.key;
    EXPECT_EQ(keys, QStringList({"_extentx", "_extenty"}));
    EXPECT_EQ(
        saved.ReadProperty(QStringLiteral("_extentx")), Variant(platform::twipsToHimetric(3000)));
    EXPECT_TRUE(site.changedProperties().isEmpty());
}

TEST_F(QuillPictureBoxTest, JoinsTheLibraryWithItsClassData)
{
    const platform::LibraryInfo &library
        = host.libraryDescriptor(quillkit::test::ModulePath).info();
    const platform::ClassInfo *info = library.findClass(QStringLiteral("Quillkit.QuillPictureBox"));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->name, "QuillPictureBox");
    EXPECT_EQ(info->miscStatus, 0x00038191u);
    EXPECT_EQ(info->toolboxBitmapId, 30000);
    EXPECT_EQ(info->designWidth, 4800);
    EXPECT_EQ(info->designHeight, 3600);
    EXPECT_EQ(info->defaultInterface.name, "_QuillPictureBox");
    EXPECT_EQ(info->defaultInterface.attributes,
        QStringList({"dual", "hidden", "nonextensible", "oleautomation"}));
    EXPECT_EQ(info->eventInterface.name, "__QuillPictureBox");
    EXPECT_TRUE(info->eventInterface.dispatchOnly);
    EXPECT_TRUE(info->eventInterface.members.empty());
    const auto &members = info->defaultInterface.members;
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members[0].name, "Picture");
    EXPECT_EQ(members[0].id, PictureId);
    EXPECT_EQ(members[0].kind, InvokeKind::PropertySetRef);
    EXPECT_EQ(members[0].type, "IPictureDisp*");
}

} // namespace
