#include "../TestSupport/ControlTestHost.h"
#include "PictureBox.h"

#include "../System/DeviceContexts.h"
#include "../System/Gdi32.h"
#include "../TestSupport/TestPictures.h"
#include "../Value/RuntimeError.h"
#include "../Value/Units.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace platform;
using platform::test::ControlTestHost;

namespace {

constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Blue = 0xFF0000FF;
constexpr QRgb White = 0xFFFFFFFF;

class PictureBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        box = host.make<PictureBox>(QStringLiteral("pic"));
        box->setBackColor(0x00FFFFFF);
        box->setWidth(pixelsToTwips(64));
        box->setHeight(pixelsToTwips(48));
    }

    static StdPicturePtr picture(int width, int height, QRgb color)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(color);
        return StdPicture::fromImage(image);
    }

    // What the widget shows, painted now.
    QImage shown() const { return box->widget()->grab().toImage(); }

    ControlTestHost host;
    std::shared_ptr<PictureBox> box;
};

TEST_F(PictureBoxTest, ImageCoversTheInteriorInsideATwoPixelBorder)
{
    EXPECT_EQ(box->BorderStyle(), 1);
    EXPECT_EQ(box->image().size(), QSize(60, 44));
    EXPECT_EQ(box->ScaleWidth(), 60 * 15.0);
    EXPECT_EQ(box->ScaleHeight(), 44 * 15.0);
    box->setBorderStyle(0);
    EXPECT_EQ(box->image().size(), QSize(64, 48));
    EXPECT_EQ(box->ScaleWidth(), box->Width());
    EXPECT_EQ(box->get(QStringLiteral("ScaleHeight")), Variant(float(box->Height())));
}

TEST_F(PictureBoxTest, DrawingSurvivesRepaints)
{
    ASSERT_TRUE(host.activate());
    {
        QPainter painter(&box->image());
        painter.fillRect(QRect(0, 0, 10, 10), QColor(Red));
    }
    box->Refresh();
    for (int i = 0; i < 2; ++i) {
        const QImage screen = shown();
        EXPECT_EQ(screen.pixel(2 + 5, 2 + 5), Red);
        EXPECT_EQ(screen.pixel(2 + 20, 2 + 20), White);
    }
    EXPECT_EQ(box->image().pixel(5, 5), Red);
}

TEST_F(PictureBoxTest, PictureIsDrawnAtTheTopLeftOverBackColor)
{
    const StdPicturePtr pic = picture(10, 8, Red);
    box->setRef(QStringLiteral("Picture"), pic);
    EXPECT_EQ(box->Picture(), pic);
    EXPECT_EQ(box->image().pixel(0, 0), Red);
    EXPECT_EQ(box->image().pixel(9, 7), Red);
    EXPECT_EQ(box->image().pixel(10, 0), White);
    EXPECT_EQ(box->image().pixel(0, 8), White);
    // Not auto-sized: the box keeps its size.
    EXPECT_EQ(box->Width(), pixelsToTwips(64));
    EXPECT_EQ(shown().pixel(2, 2), Red);
}

TEST_F(PictureBoxTest, NewPictureReplacesEverythingDrawn)
{
    box->image().fill(Blue);
    box->setPicture(picture(4, 4, Red));
    EXPECT_EQ(box->image().pixel(20, 20), White);
    box->setPicture(nullptr);
    EXPECT_EQ(box->image().pixel(0, 0), White);
    EXPECT_EQ(box->Picture(), nullptr);
}

// A box holds a picture that covers it wholly with opaque pixels without a copy of its own, and
// what is drawn on the box afterwards never reaches the picture.
TEST_F(PictureBoxTest, APictureCoveringTheBoxIsSharedUntilDrawnOn)
{
    struct Case
    {
        const char *name;
        QSize size;
        bool alpha;
        bool shared;
    };
    const Case cases[] = {
        {"opaque, the box's size", QSize(64, 48), false, true},
        {"opaque, smaller than the box", QSize(10, 8), false, false},
        {"translucent, the box's size", QSize(64, 48), true, false},
    };
    box->setBorderStyle(PictureBox::NoBorder);
    for (const Case &c : cases) {
        QImage image(c.size, c.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        image.fill(c.alpha ? qRgba(255, 0, 0, 0) : Red);
        const StdPicturePtr pic = StdPicture::fromImage(image);
        box->setPicture(pic);
        EXPECT_EQ(box->image().constBits() == pic->image().constBits(), c.shared) << c.name;
        // Over the white back colour: the picture's pixels, or white under a clear picture.
        EXPECT_EQ(box->image().pixel(0, 0), c.alpha ? White : Red) << c.name;
        EXPECT_EQ(box->image().pixel(63, 47),
            c.size.width() < 64 ? White
                : c.alpha       ? White
                                : Red)
            << c.name;
        const QRgb before = pic->image().pixel(0, 0);
        {
            QPainter painter(&box->image());
            painter.fillRect(0, 0, 1, 1, QColor(Blue));
        }
        EXPECT_EQ(box->image().pixel(0, 0), Blue) << c.name;
        EXPECT_EQ(pic->image().pixel(0, 0), before) << c.name;
        EXPECT_EQ(shown().pixel(0, 0), Blue) << c.name;
    }
}

struct AutoSizeCase
{
    int16_t border;
    int width;
    int height;
    double expectedWidth;
    double expectedHeight;
};

class PictureBoxAutoSize : public PictureBoxTest, public ::testing::WithParamInterface<AutoSizeCase>
{
};

TEST_P(PictureBoxAutoSize, TakesThePictureSizePlusBorder)
{
    const AutoSizeCase c = GetParam();
    box->setBorderStyle(c.border);
    box->setAutoSize(true);
    box->setPicture(picture(c.width, c.height, Red));
    EXPECT_EQ(box->Width(), c.expectedWidth);
    EXPECT_EQ(box->Height(), c.expectedHeight);
    EXPECT_EQ(box->image().size(), QSize(c.width, c.height));
    EXPECT_EQ(box->ScaleX(box->Width(), 1, 3), float(c.expectedWidth / 15));
    EXPECT_EQ(box->image().pixel(c.width - 1, c.height - 1), Red);
}

INSTANTIATE_TEST_SUITE_P(Table, PictureBoxAutoSize,
    ::testing::Values(AutoSizeCase {0, 30, 20, 450, 300}, AutoSizeCase {1, 30, 20, 510, 360},
        AutoSizeCase {0, 200, 150, 3000, 2250}, AutoSizeCase {1, 1, 1, 75, 75}));

TEST_F(PictureBoxTest, SwitchingAutoSizeOnFitsThePictureHeld)
{
    box->setBorderStyle(0);
    box->setPicture(picture(100, 90, Red));
    EXPECT_EQ(box->Width(), pixelsToTwips(64));
    box->setAutoSize(true);
    EXPECT_EQ(box->Width(), 1500.0);
    EXPECT_EQ(box->Height(), 1350.0);
}

TEST_F(PictureBoxTest, ResizeKeepsTheContentAtTheTopLeft)
{
    box->image().fill(Red);
    box->setWidth(pixelsToTwips(100));
    box->setHeight(pixelsToTwips(70));
    ASSERT_EQ(box->image().size(), QSize(96, 66));
    EXPECT_EQ(box->image().pixel(59, 43), Red);
    EXPECT_EQ(box->image().pixel(60, 10), White);
    EXPECT_EQ(box->image().pixel(10, 44), White);
    box->setWidth(pixelsToTwips(20));
    ASSERT_EQ(box->image().size(), QSize(16, 66));
    EXPECT_EQ(box->image().pixel(15, 0), Red);
    box->setWidth(0);
    EXPECT_TRUE(box->image().isNull());
    EXPECT_EQ(box->ScaleWidth(), 0);
}

TEST_F(PictureBoxTest, HiddenBoxKeepsAReadableImage)
{
    box->setVisible(false);
    box->setAutoSize(true);
    box->setPicture(picture(12, 6, Red));
    EXPECT_FALSE(box->Visible());
    EXPECT_EQ(box->image().size(), QSize(12, 6));
    EXPECT_EQ(box->image().pixel(11, 5), Red);
}

TEST_F(PictureBoxTest, DeviceContextIsMadeOnceAndFollowsTheImage)
{
    const HDC dc = box->hDC();
    EXPECT_NE(dc, 0);
    EXPECT_EQ(toLong(box->get(QStringLiteral("hDC"))), dc);
    DeviceContext *context = DeviceContexts::find(dc);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(&context->image->pixels(), &box->image());
    box->setWidth(pixelsToTwips(90));
    EXPECT_EQ(box->hDC(), dc);
    EXPECT_EQ(context->image->size().width(), 86);
    // Drawing through the context shows at the next paint.
    context->image->fill(Blue);
    ASSERT_TRUE(context->changed);
    context->changed();
    EXPECT_EQ(shown().pixel(10, 10), Blue);
    box.reset();
    EXPECT_EQ(DeviceContexts::find(dc), nullptr);
}

TEST_F(PictureBoxTest, ClsAndBackColorClearToTheBackColorAndKeepThePicture)
{
    box->setPicture(picture(5, 5, Red));
    box->image().setPixel(30, 30, Blue);
    box->Cls();
    EXPECT_EQ(box->image().pixel(30, 30), White);
    EXPECT_EQ(box->image().pixel(0, 0), Red);
    box->setBackColor(0x0000FF00);
    EXPECT_EQ(box->image().pixel(30, 30), 0xFF00FF00);
    EXPECT_EQ(box->image().pixel(4, 4), Red);
}

TEST_F(PictureBoxTest, SystemBackColorComesFromThePalette)
{
    box->setBackColor(OleColor::WindowBackground);
    EXPECT_EQ(QColor(box->image().pixel(1, 1)), QGuiApplication::palette().color(QPalette::Base));
}

struct ScaleCase
{
    double value;
    int16_t from;
    int16_t to;
    float expected;
};

class PictureBoxScale : public PictureBoxTest, public ::testing::WithParamInterface<ScaleCase>
{
};

TEST_P(PictureBoxScale, ConvertsBetweenUnits)
{
    const ScaleCase c = GetParam();
    EXPECT_FLOAT_EQ(box->ScaleX(c.value, c.from, c.to), c.expected);
    EXPECT_FLOAT_EQ(box->ScaleY(c.value, c.from, c.to), c.expected);
    EXPECT_EQ(
        box->call(QStringLiteral("ScaleX"), {Variant(c.value), Variant(c.from), Variant(c.to)}),
        Variant(box->ScaleX(c.value, c.from, c.to)));
}

INSTANTIATE_TEST_SUITE_P(Table, PictureBoxScale,
    ::testing::Values(ScaleCase {3975, 1, 3, 265}, ScaleCase {265, 3, 1, 3975},
        ScaleCase {7.5, 1, 3, 0.5}, ScaleCase {2540, 8, 1, 1440}, ScaleCase {1440, 1, 8, 2540}));

TEST_F(PictureBoxTest, ScaleDefaultsFromHimetricToTwips)
{
    EXPECT_EQ(box->call(QStringLiteral("ScaleX"), {Variant(2540.0)}), Variant(1440.0f));
}

TEST_F(PictureBoxTest, BorderStyleOutsideTheEnumerationIsInvalid)
{
    try {
        box->setBorderStyle(2);
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 380);
    }
}

// A large box is stretched from its reduced copies. Whatever the box does to its image between
// two stretches, the second shows what a box that was never stretched before would.
struct BoxChange
{
    const char *name;
    void (*apply)(PictureBox &box);
};

class LargePictureBoxChange : public ::testing::TestWithParam<BoxChange>
{
protected:
    // Stretches the image behind `source` to 300 x 225 pixels, smoothly.
    static QImage stretched(HDC source, QSize size)
    {
        PersistentImage target(QImage(300, 225, QImage::Format_RGB32));
        const HDC hdc = DeviceContexts::create(&target, {});
        SetStretchBltMode(hdc, HALFTONE);
        StretchBlt(hdc, 0, 0, 300, 225, source, 0, 0, size.width(), size.height(), SRCCOPY);
        DeviceContexts::release(hdc);
        return target.pixels();
    }

    ControlTestHost host;
};

TEST_P(LargePictureBoxChange, TheNextStretchShowsIt)
{
    const QSize size(1100, 1000);
    auto box = host.make<PictureBox>(QStringLiteral("picAux"));
    box->setBorderStyle(PictureBox::NoBorder);
    box->setAutoSize(true);
    box->setPicture(StdPicture::fromImage(platform::test::photoLike(size)));
    ASSERT_EQ(box->image().size(), size);
    // Something drawn over the picture, which Cls takes away again.
    QPainter(&box->image()).fillRect(100, 100, 250, 250, Qt::black);
    const QImage before = stretched(box->hDC(), size);
    GetParam().apply(*box);
    ASSERT_EQ(box->image().size(), size);
    const QImage after = stretched(box->hDC(), size);

    PersistentImage unseen(box->image().copy());
    const HDC fresh = DeviceContexts::create(&unseen, {});
    EXPECT_EQ(after, stretched(fresh, size)) << GetParam().name;
    DeviceContexts::release(fresh);
    EXPECT_NE(after, before) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Table, LargePictureBoxChange,
    ::testing::Values(BoxChange {"Cls", [](PictureBox &box) { box.Cls(); }},
        BoxChange {"BackColor",
            [](PictureBox &box) {
                box.setPicture(nullptr);
                box.setBackColor(0x00336699);
            }},
        BoxChange {"another picture of the same size",
            [](PictureBox &box) {
                box.setPicture(
                    StdPicture::fromImage(platform::test::photoLike(box.image().size(), 1)));
            }},
        BoxChange {"the same picture drawn on in a corner",
            [](PictureBox &box) {
                QImage changed = box.Picture()->image().copy();
                QPainter(&changed).fillRect(0, 0, 200, 150, Qt::black);
                box.setPicture(StdPicture::fromImage(changed));
            }},
        BoxChange {"drawn on from code",
            [](PictureBox &box) {
                QPainter(&box.image()).fillRect(500, 400, 300, 300, Qt::yellow);
                box.Refresh();
            }},
        BoxChange {"drawn on through its context",
            [](PictureBox &box) {
                PersistentImage stripe(QImage(4, 4, QImage::Format_RGB32));
                stripe.fill(Qt::magenta);
                const HDC hdc = DeviceContexts::create(&stripe, {});
                StretchBlt(box.hDC(), 0, 300, 1100, 50, hdc, 0, 0, 4, 4, SRCCOPY);
                DeviceContexts::release(hdc);
            }}),
    [](const ::testing::TestParamInfo<BoxChange> &info) {
        return "change" + std::to_string(info.index);
    });

} // namespace
