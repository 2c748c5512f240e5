// The toolbox drawings for screens at twice the density. They follow the 16 x 15 bitmaps shape
// for shape, but are drawn at 32 x 30 so that curves, slopes and fine strokes come out smooth
// instead of as doubled pixels. Coordinates are device pixels; a one-pixel pen sits on a half
// pixel so that it stays one pixel wide.
#include "ToolboxBitmaps.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace quillkit {

namespace {

const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);
const QColor Grey(192, 192, 192);
const QColor DarkGrey(128, 128, 128);
const QColor Navy(0, 0, 128);
const QColor Sky(135, 206, 235);
const QColor Sun(255, 255, 0);
const QColor Grass(0, 128, 0);
const QColor Earth(139, 90, 43);

// A 32 x 30 picture framed in black two pixels wide (one pixel at the 1x size) around `inside`.
QImage framedDrawing(const QColor &inside, const std::function<void(QPainter &)> &draw)
{
    QImage image(32, 30, QImage::Format_RGB32);
    image.fill(Black);
    {
        QPainter p(&image);
        p.fillRect(2, 2, 28, 26, inside);
        p.setRenderHint(QPainter::Antialiasing);
        p.setClipRect(2, 2, 28, 26);
        draw(p);
    }
    QImage bitmap = image.convertToFormat(QImage::Format_RGB888);
    bitmap.setDevicePixelRatio(2);
    return bitmap;
}

void strokeWith(QPainter &p, const QColor &colour, qreal width)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

// Sky, sun, a cloud, two hills and a path running into the distance.
QImage landscape()
{
    return framedDrawing(Sky, [](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Sun);
        p.drawEllipse(QPointF(26, 5), 2.8, 2.8);

        QPainterPath cloud;
        // Two puffs as one shape: where they overlap is cloud too.
        cloud.setFillRule(Qt::WindingFill);
        cloud.addEllipse(QRectF(3.5, 5.5, 10, 4.5));
        cloud.addEllipse(QRectF(5.5, 3, 5.5, 5));
        p.setBrush(White);
        p.drawPath(cloud.simplified());

        QPainterPath hills(QPointF(2, 17));
        hills.quadTo(5.5, 12, 9.5, 16);
        hills.quadTo(18.5, 6, 30, 15.5);
        hills.lineTo(30, 28);
        hills.lineTo(2, 28);
        hills.closeSubpath();
        p.setBrush(Grass);
        p.drawPath(hills);

        p.setBrush(Earth);
        p.drawPolygon(QPolygonF({{14.5, 19.5}, {17.5, 19.5}, {22.5, 26}, {9.5, 26}}));
    });
}

// The letters "abl" in a white field.
QImage letters()
{
    return framedDrawing(White, [](QPainter &p) {
        strokeWith(p, Black, 2);
        // a: the hook of the top, its bowl and its stem.
        QPainterPath a(QPointF(3.5, 11));
        a.cubicTo(5, 9.5, 9, 9.5, 10, 12);
        p.drawPath(a);
        p.drawEllipse(QRectF(3.5, 15, 6.5, 6));
        p.drawLine(QPointF(11, 12), QPointF(11, 22));
        // b: a tall stem and a round bowl.
        p.drawLine(QPointF(15, 4), QPointF(15, 22));
        p.drawEllipse(QRectF(15, 11.5, 6, 9.5));
        // l.
        p.drawLine(QPointF(25, 4), QPointF(25, 22));
    });
}

// A window: the title bar with its caption and buttons over the white client area.
QImage window()
{
    return framedDrawing(White, [](QPainter &p) {
        p.fillRect(2, 2, 28, 4, Navy);
        p.fillRect(2, 6, 28, 2, Black);
        p.fillRect(4, 3, 7, 2, White);
        for (int left : {21, 26}) {
            p.fillRect(left, 2, 4, 4, Grey);
        }
        strokeWith(p, Black, 1);
        p.drawLine(QPointF(21.5, 4.5), QPointF(24.5, 4.5));
        p.drawLine(QPointF(26.5, 2.5), QPointF(29.5, 5.5));
        p.drawLine(QPointF(26.5, 5.5), QPointF(29.5, 2.5));
    });
}

// A list box with a selected entry and a scroll bar with its arrows and thumb.
QImage listBox()
{
    return framedDrawing(White, [](QPainter &p) {
        p.fillRect(20, 2, 2, 26, Black);
        p.fillRect(22, 2, 6, 26, Grey);
        p.fillRect(28, 2, 2, 26, Black);
        p.fillRect(22, 12, 6, 4, DarkGrey);

        p.fillRect(2, 8, 18, 6, Navy);
        p.fillRect(4, 10, 10, 2, White);
        for (const QRect &line : {QRect(4, 4, 12, 2), QRect(4, 17, 10, 2), QRect(4, 23, 12, 2)})
            p.fillRect(line, Black);

        p.setPen(Qt::NoPen);
        p.setBrush(Black);
        p.drawPolygon(QPolygonF({{25, 3.5}, {27.5, 7.5}, {22.5, 7.5}}));
        p.drawPolygon(QPolygonF({{22.5, 21.5}, {27.5, 21.5}, {25, 25.5}}));
    });
}

} // namespace

std::map<int, QImage> toolboxBitmapsAt2x()
{
    return {
        {QuillPictureBoxBitmap, landscape()},
        {QuillInputBoxBitmap, letters()},
        {QuillFormBitmap, window()},
        {QuillComboBoxBitmap, listBox()},
    };
}

} // namespace quillkit
