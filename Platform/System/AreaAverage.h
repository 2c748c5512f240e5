#pragma once

#include "../QuillPlatformExport.h"

#include <QImage>
#include <cstdint>

namespace platform {

/// Where the pixels of an image lie along one direction of the picture it shows, in some unit
/// finer than both images' pixels: pixel i covers [i * step, (i + 1) * step), cut at `length`,
/// so that only the last pixel may cover less. An image shows the whole picture along a
/// direction when it has ceil(length / step) pixels there.
struct QUILL_PLATFORM_EXPORT PixelSpan
{
    int64_t step = 1;
    int64_t length = 1;

    int count() const { return int((length + step - 1) / step); }
    bool operator==(const PixelSpan &) const = default;
};

/// Area averaging: each destination pixel is the average of the source pixels it overlaps, each
/// weighted by the overlap. Source and destination show the same picture: in each direction
/// their spans have the same length and the images as many pixels as their spans count.
///
/// - Shrinking only: a destination pixel is no smaller than a source pixel in either direction.
///   Anything else, or images that do not fit their spans, give a null image.
/// - Pixels of 32 bits, opaque (Format_RGB32) or premultiplied (Format_ARGB32_Premultiplied):
///   the four channels are averaged alike and the result has the source's format. Any other
///   format gives a null image; areaAverageSupports() says so beforehand.
/// - Within one level per channel of the exact average: the weights are kept to 1/256 of a
///   destination pixel across rows and to 1/32768 along them (1/16384 where a destination pixel
///   covers more than three source pixels), rounded so that each destination pixel's add up
///   exactly, and the result is rounded once, to nearest with ties to even, so that halving
///   again and again does not drift. Halving whole pixels is exact.
/// - Cost: one pass over the source, a few operations per source and per destination pixel;
///   fastest when each destination pixel covers at most three source pixels across and along
///   (shrinking by less than a half). Working memory: one row of the source.
QUILL_PLATFORM_EXPORT QImage averageOverArea(
    const QImage &source, PixelSpan fromX, PixelSpan fromY, PixelSpan toX, PixelSpan toY);

/// The common case: `source` shrunk to `size`, the pixels of both evenly spread over the
/// picture.
QUILL_PLATFORM_EXPORT QImage shrinkByAreaAverage(const QImage &source, QSize size);

QUILL_PLATFORM_EXPORT bool areaAverageSupports(QImage::Format format);

} // namespace platform
