#pragma once

#include <QImage>
#include <algorithm>

namespace quillkit::test {

// How many 2 x 2 blocks of a picture at twice the density hold a hard edge: two pixels that
// differ by at least 160 in one channel or in opacity. An enlarged 1x picture has none: by
// nearest neighbour each block is one colour, and by smooth scaling its pixels are blends of
// the same neighbours that differ by half as much at most.
inline int hardEdgesWithinOnePixel(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const auto distance = [](QRgb a, QRgb b) {
        return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
            std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
    };
    int edges = 0;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb block[] = {image.pixel(x, y), image.pixel(x + 1, y), image.pixel(x, y + 1),
                image.pixel(x + 1, y + 1)};
            int widest = 0;
            for (QRgb a : block) {
                for (QRgb b : block)
                    widest = std::max(widest, distance(a, b));
            }
            if (widest >= 160)
                ++edges;
        }
    }
    return edges;
}

// The share of a 2x picture's pixels that keep, within a tolerance, the colour of the 1x pixel
// they lie on: high when both show the same drawing in the same place.
inline double agreementWith1x(const QImage &at2x, const QImage &at1x)
{
    const QImage big = at2x.convertToFormat(QImage::Format_ARGB32);
    const QImage small = at1x.convertToFormat(QImage::Format_ARGB32);
    int agreeing = 0;
    for (int y = 0; y < big.height(); ++y) {
        for (int x = 0; x < big.width(); ++x) {
            const QRgb a = big.pixel(x, y);
            const QRgb b = small.pixel(x / 2, y / 2);
            if (std::abs(qRed(a) - qRed(b)) < 48 && std::abs(qGreen(a) - qGreen(b)) < 48
                && std::abs(qBlue(a) - qBlue(b)) < 48 && std::abs(qAlpha(a) - qAlpha(b)) < 48)
                ++agreeing;
        }
    }
    return double(agreeing) / (big.width() * big.height());
}

// Whether the opaque pixels of `picture` appear, unchanged, somewhere in `shown`: the picture
// was drawn there as it is, not resampled.
inline bool showsUnchanged(const QImage &shown, const QImage &picture)
{
    const QImage screen = shown.convertToFormat(QImage::Format_ARGB32);
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int top = 0; top + image.height() <= screen.height(); ++top) {
        for (int left = 0; left + image.width() <= screen.width(); ++left) {
            bool same = true;
            for (int y = 0; same && y < image.height(); ++y) {
                for (int x = 0; same && x < image.width(); ++x) {
                    const QRgb pixel = image.pixel(x, y);
                    same = qAlpha(pixel) < 255 || screen.pixel(left + x, top + y) == pixel;
                }
            }
            if (same)
                return true;
        }
    }
    return false;
}

} // namespace quillkit::test
