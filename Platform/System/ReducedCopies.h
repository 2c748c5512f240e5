#pragma once

#include "../QuillPlatformExport.h"

#include <QImage>
#include <QSize>
#include <cstdint>
#include <vector>

namespace platform {

/// Area-averaged reductions of one large picture, kept so that shrinking it again reads a copy
/// near the target's size instead of the whole picture.
///
/// - A copy halves the picture a number of times in each direction: each of its pixels is the
///   average of a block of 2^n x 2^m picture pixels, from the top left, those of the last column
///   and row covering what is left. Blocks nest, so a copy made from a larger copy averages the
///   same picture pixels as one made from the picture (rounded once more).
/// - For a target size, the copy used is the smallest whose pixels are still no larger than the
///   target's in both directions (so the copy has at least the target's size), yet of at least
///   SmallestCopySize pixels where the picture allows: a copy that small is read in a fraction of
///   a millisecond, and the finer it is, the closer the result. The last step, from the copy to
///   the target, averages over the area each target pixel covers. What it cannot know is where
///   inside a copy pixel the picture changes: the result equals the direct area average where
///   the picture is smooth at the scale of a copy pixel, and may differ from it along edges
///   sharper than that.
/// - Only pictures of at least LargePictureSize pixels get copies, only in the formats the area
///   averaging supports, and only copies of at most about a quarter of the picture; for a target
///   larger than the picture in either direction there is none either.
/// - The copies belong to the picture's content as its cacheKey names it: any change of the
///   picture (drawn on, filled, given new pixels, replaced by another image of the same size)
///   changes the key and drops them all. While a painter is open on the picture its content can
///   change under an unchanged key, so no copy is made or used then.
/// - Memory: the copies together stay within a third of the picture's bytes; when a new one
///   would not fit, the least recently used go first.
class QUILL_PLATFORM_EXPORT ReducedCopies
{
public:
    /// Below a million pixels a direct stretch takes a few milliseconds: no copies.
    static constexpr int64_t LargePictureSize = int64_t(1) << 20;
    static constexpr int64_t SmallestCopySize = int64_t(1) << 18;

    /// `picture` shrunk to `target` from its copy for that size, or a null image when no copy
    /// serves, for the caller to scale the picture itself.
    QImage shrink(const QImage &picture, QSize target);

    /// The copy that shrink() reads for `target`, made now if it is missing; nullptr when none
    /// serves. The pointer holds until the next call or clear().
    const QImage *copyFor(const QImage &picture, QSize target);

    /// The size of the copy that serves `target` for a picture of size `picture` (any format
    /// and content permitting), or an empty size when none does.
    static QSize copySize(QSize picture, QSize target);

    void clear();
    int count() const { return int(m_copies.size()); }
    int64_t bytes() const;

private:
    struct Copy
    {
        int halvingsX, halvingsY;
        QImage image;
        uint64_t lastUse;
    };

    const Copy *find(const QImage &picture, QSize target);
    const Copy *closestAncestor(int halvingsX, int halvingsY) const;
    void makeRoomFor(int64_t bytes, int64_t budget);

    int64_t m_key = 0;
    std::vector<Copy> m_copies;
    uint64_t m_uses = 0;
};

} // namespace platform
