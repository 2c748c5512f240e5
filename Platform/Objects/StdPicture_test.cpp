#include "StdPicture.h"

#include "../Value/RuntimeError.h"

#include <QColor>
#include <gtest/gtest.h>
#include <set>

using namespace platform;

namespace {

QImage filled(int width, int height, QImage::Format format, QColor colour)
{
    QImage image(width, height, format);
    image.fill(colour);
    return image;
}

TEST(StdPicture, AnEmptyPictureHasNoTypeNoSizeAndNoHandle)
{
    for (const StdPicturePtr &picture : {StdPicture::empty(), StdPicture::fromImage(QImage())}) {
        EXPECT_TRUE(picture->isEmpty());
        EXPECT_TRUE(picture->image().isNull());
        EXPECT_EQ(picture->Type(), 0);
        EXPECT_EQ(picture->Width(), 0);
        EXPECT_EQ(picture->Height(), 0);
        EXPECT_EQ(picture->Handle(), 0);
    }
}

// Pixels -> twips (15 each) -> HIMETRIC (2540 per 1440 twips), rounded half to even.
TEST(StdPicture, SizesAreInHimetric)
{
    struct Case
    {
        int pixels;
        int32_t himetric;
    };
    const Case cases[] = {{1, 26}, {2, 53}, {32, 847}, {96, 2540}, {600, 15875}, {800, 21167}};
    for (const Case &c : cases) {
        const auto picture
            = StdPicture::fromImage(filled(c.pixels, 3, QImage::Format_RGB32, Qt::red));
        EXPECT_EQ(picture->Width(), c.himetric) << c.pixels;
        EXPECT_EQ(picture->Type(), 1);
        const auto tall = StdPicture::fromImage(filled(3, c.pixels, QImage::Format_RGB32, Qt::red));
        EXPECT_EQ(tall->Height(), c.himetric) << c.pixels;
    }
}

TEST(StdPicture, PixelsAreKeptInAThirtyTwoBitFormat)
{
    struct Case
    {
        QImage::Format given;
        QImage::Format kept;
    };
    const Case cases[] = {
        {QImage::Format_RGB32, QImage::Format_RGB32},
        {QImage::Format_RGB888, QImage::Format_RGB32},
        {QImage::Format_Indexed8, QImage::Format_RGB32},
        {QImage::Format_Grayscale8, QImage::Format_RGB32},
        {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied},
        {QImage::Format_ARGB32_Premultiplied, QImage::Format_ARGB32_Premultiplied},
        {QImage::Format_RGBA8888, QImage::Format_ARGB32_Premultiplied},
    };
    for (const Case &c : cases) {
        QImage image(4, 2, c.given);
        if (c.given == QImage::Format_Indexed8) {
            image.setColorTable({qRgb(10, 200, 30)});
            image.fill(0);
        } else {
            image.fill(QColor(10, 200, 30));
        }
        const auto picture = StdPicture::fromImage(image);
        EXPECT_EQ(picture->image().format(), c.kept) << int(c.given);
        EXPECT_EQ(picture->image().size(), QSize(4, 2));
        const QRgb expected
            = c.given == QImage::Format_Grayscale8 ? image.pixel(0, 0) : qRgb(10, 200, 30);
        EXPECT_EQ(picture->image().pixel(3, 1), expected) << int(c.given);
    }
}

TEST(StdPicture, EachPictureHasItsOwnHandle)
{
    std::set<int32_t> handles;
    for (int i = 0; i < 20; ++i) {
        const auto picture = StdPicture::fromImage(filled(2, 2, QImage::Format_RGB32, Qt::blue));
        EXPECT_NE(picture->Handle(), 0);
        EXPECT_TRUE(handles.insert(picture->Handle()).second) << picture->Handle();
    }
}

TEST(StdPicture, MembersAnswerByNameAndById)
{
    const auto picture = StdPicture::fromImage(filled(800, 600, QImage::Format_RGB32, Qt::gray));
    EXPECT_EQ(picture->get("width"), Variant(int32_t(21167)));
    EXPECT_EQ(picture->get("HEIGHT"), Variant(int32_t(15875)));
    EXPECT_EQ(picture->get("Type"), Variant(int16_t(1)));
    EXPECT_EQ(picture->get("Handle"), Variant(picture->Handle()));
    // The handle is the default member.
    EXPECT_EQ(picture->invoke(StandardDispId::Value, InvokeKind::PropertyGet, {}),
        Variant(picture->Handle()));
    EXPECT_EQ(
        picture->invoke(StdPicture::WidthId, InvokeKind::PropertyGet, {}), Variant(int32_t(21167)));
    EXPECT_EQ(picture->className(), "StdPicture");
}

TEST(StdPicture, SizesAreReadOnly)
{
    const auto picture = StdPicture::fromImage(filled(10, 10, QImage::Format_RGB32, Qt::gray));
    try {
        picture->let("Width", Variant(int32_t(5)));
        FAIL() << "Width accepted a value";
    } catch (const RuntimeError &error) {
        EXPECT_EQ(error.number(), 438);
    }
    EXPECT_EQ(picture->Width(), 265);
}

TEST(StdPicture, ThePictureTravelsAsAnObjectReference)
{
    const StdPicturePtr picture
        = StdPicture::fromImage(filled(5, 5, QImage::Format_RGB32, Qt::green));
    const Variant value {DispatchPtr(picture)};
    const auto back = std::dynamic_pointer_cast<StdPicture>(value.object());
    ASSERT_TRUE(back);
    EXPECT_EQ(back.get(), picture.get());
    EXPECT_EQ(back->image().pixel(0, 0), qRgb(0, 255, 0));
}

} // namespace
