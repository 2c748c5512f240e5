#include "Gdi32.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace platform {

namespace {

// The drawing space of regions; coordinates beyond it are refused.
constexpr int64_t MaxCoordinate = int64_t(1) << 27;
// A rounded corner costs one band per pixel row; taller ones are refused rather than built.
constexpr int64_t MaxCornerHeight = int64_t(1) << 16;

// How far row `row` (counted from the nearer of top and bottom) starts inside the left edge, and
// ends inside the right edge: a pixel belongs to the shape when its centre lies inside the
// corner ellipse.
int cornerInset(int row, int ellipseWidth, int ellipseHeight)
{
    const double a = ellipseWidth / 2.0;
    const double b = ellipseHeight / 2.0;
    const double dy = b - (row + 0.5);
    if (dy <= 0)
        return 0;
    const double dx = a * std::sqrt(std::max(0.0, 1.0 - (dy / b) * (dy / b)));
    return std::max(0, static_cast<int>(std::ceil(a - dx - 0.5)));
}

QRegion roundRectRegion(
    int left, int top, int width, int height, int ellipseWidth, int ellipseHeight)
{
    const int cornerRows = (ellipseHeight + 1) / 2;
    const int topRows = std::min(cornerRows, height / 2);
    std::vector<QRect> bands;
    bands.reserve(2 * topRows + 1);
    auto addBand = [&](int y, int rows, int inset) {
        if (rows > 0 && 2 * inset < width)
            bands.emplace_back(left + inset, top + y, width - 2 * inset, rows);
    };
    std::vector<int> insets(topRows);
    for (int row = 0; row < topRows; ++row)
        insets[row] = cornerInset(row, ellipseWidth, ellipseHeight);
    for (int row = 0; row < topRows; ++row)
        addBand(row, 1, insets[row]);
    // An odd height with the corners meeting leaves one middle row that is still rounded.
    addBand(topRows, height - 2 * topRows, cornerInset(topRows, ellipseWidth, ellipseHeight));
    for (int row = topRows - 1; row >= 0; --row)
        addBand(height - 1 - row, 1, insets[row]);
    QRegion region;
    region.setRects(bands.data(), static_cast<int>(bands.size()));
    return region;
}

bool inDrawingSpace(int64_t value)
{
    return value >= -MaxCoordinate && value <= MaxCoordinate;
}

// Copies `area` of `from`, starting at `origin`, into `to` at `at`.
bool copyPixels(const QImage &from, QPoint origin, QImage &to, const QRect &at)
{
    if (from.format() == to.format() && from.depth() == 32) {
        const size_t bytes = size_t(at.width()) * 4;
        for (int row = 0; row < at.height(); ++row)
            std::memcpy(to.scanLine(at.top() + row) + size_t(at.left()) * 4,
                from.constScanLine(origin.y() + row) + size_t(origin.x()) * 4, bytes);
        return true;
    }
    QPainter painter;
    if (!painter.begin(&to))
        return false;
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(at.topLeft(), from, QRect(origin, at.size()));
    return true;
}

// A rectangle in 64-bit coordinates, so that no sum of two 32-bit arguments overflows.
struct Span
{
    int64_t x, y, width, height;
    QRect rect() const { return QRect(int(x), int(y), int(width), int(height)); }
};

// The part of `source` that lies inside `bounds`, and the matching part of `destination`.
bool clipSource(Span &source, Span &destination, const QRect &bounds)
{
    const int64_t left = std::max<int64_t>(source.x, bounds.left());
    const int64_t top = std::max<int64_t>(source.y, bounds.top());
    const int64_t right = std::min<int64_t>(source.x + source.width, bounds.right() + 1);
    const int64_t bottom = std::min<int64_t>(source.y + source.height, bounds.bottom() + 1);
    if (left >= right || top >= bottom)
        return false;
    if (left == source.x && top == source.y && right - left == source.width
        && bottom - top == source.height)
        return true;
    const double scaleX = double(destination.width) / double(source.width);
    const double scaleY = double(destination.height) / double(source.height);
    auto mapX
        = [&](int64_t sx) { return destination.x + std::llround(double(sx - source.x) * scaleX); };
    auto mapY
        = [&](int64_t sy) { return destination.y + std::llround(double(sy - source.y) * scaleY); };
    destination = {mapX(left), mapY(top), mapX(right) - mapX(left), mapY(bottom) - mapY(top)};
    source = {left, top, right - left, bottom - top};
    return destination.width > 0 && destination.height > 0;
}

enum class Outcome { Failed, NothingDrawn, Drawn };

// The source rectangle of `picture` scaled to `size`: smoothly or to the nearest pixel. Shrinking
// the whole of a large picture smoothly reads one of its reduced copies rather than all its
// pixels. A null image when out of memory.
QImage scaledPart(
    const QImage &picture, const QRect &sourceRect, QSize size, bool smooth, ReducedCopies &copies)
{
    const bool whole = sourceRect == picture.rect();
    QImage scaled;
    if (smooth && whole)
        scaled = copies.shrink(picture, size);
    if (scaled.isNull()) {
        const QImage part = whole ? picture : picture.copy(sourceRect);
        scaled = part.scaled(size, Qt::IgnoreAspectRatio,
            smooth ? Qt::SmoothTransformation : Qt::FastTransformation);
    }
    return scaled;
}

// Scaling the whole destination rectangle is the fast path; when most of it lies outside the
// destination image the painter draws only the visible part instead.
Outcome stretch(const QImage &picture, const Span &source, PersistentImage &target,
    const Span &destination, StretchMode mode, const std::shared_ptr<ReducedCopies> &copies)
{
    const QRect targetBounds = target.rect();
    const int64_t visibleLeft = std::max<int64_t>(destination.x, 0);
    const int64_t visibleTop = std::max<int64_t>(destination.y, 0);
    const int64_t visibleRight
        = std::min<int64_t>(destination.x + destination.width, targetBounds.width());
    const int64_t visibleBottom
        = std::min<int64_t>(destination.y + destination.height, targetBounds.height());
    if (visibleLeft >= visibleRight || visibleTop >= visibleBottom)
        return Outcome::NothingDrawn;
    const QRect visible(int(visibleLeft), int(visibleTop), int(visibleRight - visibleLeft),
        int(visibleBottom - visibleTop));
    const bool smooth = mode == StretchMode::Halftone;

    const int64_t visibleArea = int64_t(visible.width()) * visible.height();
    if (destination.width * destination.height <= 4 * visibleArea) {
        const QRect sourceRect = source.rect();
        const QSize size(int(destination.width), int(destination.height));
        // Covering the whole destination, the scaled picture becomes its pixels, made when they
        // are next needed; until then the destination holds the picture, shared, instead of
        // pixels of its own size (not under an open painter, which holds the old pixels).
        if (visible == targetBounds && destination.x == 0 && destination.y == 0
            && size == targetBounds.size() && !target.paintingActive()) {
            target.setPending([picture, sourceRect, size, smooth, copies, format = target.format(),
                                  ratio = target.devicePixelRatio(), dotsX = target.dotsPerMeterX(),
                                  dotsY = target.dotsPerMeterY()] {
                QImage scaled = scaledPart(picture, sourceRect, size, smooth, *copies);
                if (!scaled.isNull() && scaled.format() != format) {
                    QImage converted(size, format);
                    if (converted.isNull()
                        || !copyPixels(scaled, QPoint(0, 0), converted, converted.rect()))
                        return QImage();
                    scaled = std::move(converted);
                }
                scaled.setDevicePixelRatio(ratio);
                scaled.setDotsPerMeterX(dotsX);
                scaled.setDotsPerMeterY(dotsY);
                return scaled;
            });
            return Outcome::Drawn;
        }
        const QImage scaled = scaledPart(picture, sourceRect, size, smooth, *copies);
        if (scaled.isNull())
            return Outcome::Failed;
        const QPoint origin(int(visibleLeft - destination.x), int(visibleTop - destination.y));
        return copyPixels(scaled, origin, target.pixels(), visible) ? Outcome::Drawn
                                                                    : Outcome::Failed;
    }
    QPainter painter;
    if (!painter.begin(&target.pixels()))
        return Outcome::Failed;
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    painter.setClipRect(visible);
    painter.drawImage(QRectF(double(destination.x), double(destination.y),
                          double(destination.width), double(destination.height)),
        picture,
        QRectF(double(source.x), double(source.y), double(source.width), double(source.height)));
    return Outcome::Drawn;
}

} // namespace

HRGN CreateRoundRectRgn(int32_t left, int32_t top, int32_t right, int32_t bottom,
    int32_t ellipseWidth, int32_t ellipseHeight)
{
    for (const int32_t coordinate : {left, top, right, bottom}) {
        if (!inDrawingSpace(coordinate))
            return 0;
    }
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    const int width = right - left;
    const int height = bottom - top;
    if (width == 0 || height == 0)
        return Regions::create(QRegion());
    const int64_t cornerWidth = std::min<int64_t>(std::abs(int64_t(ellipseWidth)), width);
    const int64_t cornerHeight = std::min<int64_t>(std::abs(int64_t(ellipseHeight)), height);
    if (cornerWidth == 0 || cornerHeight == 0)
        return Regions::create(QRegion(left, top, width, height));
    if (cornerHeight > MaxCornerHeight)
        return 0;
    return Regions::create(
        roundRectRegion(left, top, width, height, int(cornerWidth), int(cornerHeight)));
}

int32_t DeleteObject(int32_t object)
{
    return Regions::release(object) ? 1 : 0;
}

int32_t SetStretchBltMode(HDC hdc, int32_t mode)
{
    DeviceContext *context = DeviceContexts::find(hdc);
    if (!context || mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    const StretchMode previous = context->stretchMode;
    context->stretchMode = static_cast<StretchMode>(mode);
    return static_cast<int32_t>(previous);
}

int32_t StretchBlt(HDC destination, int32_t x, int32_t y, int32_t width, int32_t height, HDC source,
    int32_t xSource, int32_t ySource, int32_t widthSource, int32_t heightSource, int32_t rop)
{
    DeviceContext *target = DeviceContexts::find(destination);
    DeviceContext *picture = DeviceContexts::find(source);
    if (!target || !picture || !target->image || !picture->image || rop != SRCCOPY)
        return 0;
    if (width <= 0 || height <= 0 || widthSource <= 0 || heightSource <= 0)
        return 1;
    Span from {xSource, ySource, widthSource, heightSource};
    Span to {x, y, width, height};
    // Pixels outside the source image do not exist; only the part inside is copied.
    const QImage &pixels = picture->image->pixels();
    if (!clipSource(from, to, pixels.rect()))
        return 1;
    switch (
        stretch(pixels, from, *target->image, to, target->stretchMode, picture->reducedCopies)) {
    case Outcome::Failed:
        return 0;
    case Outcome::NothingDrawn:
        return 1;
    case Outcome::Drawn:
        break;
    }
    // Whatever was kept about the old pixels goes now rather than at the next use.
    target->reducedCopies->clear();
    if (target->changed)
        target->changed();
    return 1;
}

} // namespace platform
