#include "BinocularsPicture.h"

#include "ToolboxBitmaps.h"

#include <QPainter>
#include <QPainterPath>

namespace quillkit {

namespace {

// Binoculars, on a magenta ground that becomes transparent.
const char *const BinocularsRows[] = {
    "...kkk.....kkk...",
    "...kdk.....kdk...",
    "..kkkkk...kkkkk..",
    "..kddgk...kddgk..",
    ".kkddgkkkkkddgkk.",
    ".kdddgkdgdkdddgk.",
    "kkdddgkdgdkdddgkk",
    "kddddgkkkkkddddgk",
    "kddddgk...kddddgk",
    "kddddgk...kddddgk",
    "kddddgk...kddddgk",
    "kkkkkkk...kkkkkkk",
    "kcccwck...kcccwck",
    "kccccck...kccccck",
    "kkkkkkk...kkkkkkk",
    ".................",
};

QImage binocularsAt1x()
{
    const QImage rows = imageFromRows(BinocularsRows, 16);
    QImage image = rows.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 0, 255))
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return image;
}

// The same binoculars drawn at 34 x 32: rounded barrels with a one-pixel outline, a lit edge
// and round lenses, so that the button's picture stays crisp when the screen doubles it.
QImage binocularsAt2x()
{
    const QColor outline(0, 0, 0);
    const QColor body(128, 128, 128);
    const QColor light(192, 192, 192);
    const QColor lens(135, 206, 235);
    QImage image(34, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(outline, 1));
        // The bridge between the barrels, with its hinge.
        p.setBrush(body);
        p.drawRect(QRectF(12.5, 9.5, 9, 6));
        p.setBrush(light);
        p.drawRect(QRectF(15.5, 10.5, 3, 4));
        for (qreal left : {0.5, 20.5}) {
            // The eyepiece, then the barrel below it.
            p.setBrush(body);
            p.drawRoundedRect(QRectF(left + 5, 0.5, 4, 5), 1, 1);
            p.drawRoundedRect(QRectF(left + 3, 4.5, 8, 4), 1.5, 1.5);
            p.drawRoundedRect(QRectF(left, 8.5, 13, 21), 2.5, 2.5);
            p.setPen(Qt::NoPen);
            p.setBrush(light);
            p.drawRect(QRectF(left + 9, 10, 2, 12));
            // The lens, with a glint.
            p.setPen(QPen(outline, 1));
            p.setBrush(lens);
            p.drawEllipse(QRectF(left + 1.5, 22.5, 10, 6));
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(left + 7.5, 23.5, 2.5, 2));
            p.setPen(QPen(outline, 1));
        }
    }
    image.setDevicePixelRatio(2);
    return image;
}

} // namespace

platform::StdPicturePtr binocularsPicture()
{
    return platform::StdPicture::fromImage(binocularsAt1x(), binocularsAt2x());
}

} // namespace quillkit
