#pragma once

#include <QImage>
#include <QSize>

namespace platform::test {

// Pictures for tests and benchmarks of scaling, and the exact result to compare against.

// An opaque picture like a photograph with a blurred background: colour gradients and waves
// over the whole picture, soft-edged discs (their edges blend over 1/24 of the picture's
// smaller side) and grain of up to four levels. It is smooth at the scale of a few pixels, as a
// reduced copy needs to give the direct average. The same size and seed give the same pixels.
QImage photoLike(QSize size, int seed = 0);

// The exact area average of `source` at `size` (shrinking, in each direction): every
// destination pixel is the mean of the source area it covers, computed in double precision and
// rounded to nearest. Slow; for checking.
QImage exactAreaAverage(const QImage &source, QSize size);

// The largest difference of one channel (red, green, blue) between two pictures of the same
// size; -1 when their sizes differ.
int largestChannelDifference(const QImage &a, const QImage &b);

} // namespace platform::test
