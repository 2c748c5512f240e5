#include "ReducedCopies.h"

#include "AreaAverage.h"

#include <optional>

namespace platform {

namespace {

// The most halvings that keep a copy's pixel no larger than a target pixel.
int halvingsWithin(int length, int target)
{
    int halvings = 0;
    while ((int64_t(target) << (halvings + 1)) <= length)
        ++halvings;
    return halvings;
}

// How many pixels a copy has along a direction: blocks of 2^halvings, the last one cut.
int halved(int length, int halvings)
{
    return int((int64_t(length) + (int64_t(1) << halvings) - 1) >> halvings);
}

// A copy's pixels along one direction: blocks of 2^halvings picture pixels.
PixelSpan blocks(int length, int halvings)
{
    return {int64_t(1) << halvings, length};
}

struct Halvings
{
    int x = 0, y = 0;
};

// How many times the copy for `target` halves the picture in each direction; none when no copy
// serves.
std::optional<Halvings> halvingsFor(QSize picture, QSize target)
{
    const int width = picture.width();
    const int height = picture.height();
    if (int64_t(width) * height < ReducedCopies::LargePictureSize || target.isEmpty()
        || target.width() > width || target.height() > height)
        return std::nullopt;
    Halvings h {halvingsWithin(width, target.width()), halvingsWithin(height, target.height())};
    // Finer where the copy would be tiny, first in the direction whose copy pixels are coarser
    // for the target.
    while (h.x + h.y > 2
        && int64_t(halved(width, h.x)) * halved(height, h.y) < ReducedCopies::SmallestCopySize) {
        const bool coarserAcross = (int64_t(target.width()) << h.x) * height
            >= (int64_t(target.height()) << h.y) * width;
        if ((coarserAcross && h.x > 0) || h.y == 0)
            --h.x;
        else
            --h.y;
    }
    if (h.x + h.y < 2)
        return std::nullopt; // more than a quarter of the picture
    return h;
}

} // namespace

QSize ReducedCopies::copySize(QSize picture, QSize target)
{
    const auto h = halvingsFor(picture, target);
    if (!h)
        return {};
    return {halved(picture.width(), h->x), halved(picture.height(), h->y)};
}

QImage ReducedCopies::shrink(const QImage &picture, QSize target)
{
    const Copy *copy = find(picture, target);
    if (!copy)
        return {};
    // In units of a target pixel's share of a picture pixel, where copy blocks and target
    // pixels both have whole lengths.
    const int64_t width = int64_t(picture.width()) * target.width();
    const int64_t height = int64_t(picture.height()) * target.height();
    return averageOverArea(copy->image, {(int64_t(1) << copy->halvingsX) * target.width(), width},
        {(int64_t(1) << copy->halvingsY) * target.height(), height}, {picture.width(), width},
        {picture.height(), height});
}

const QImage *ReducedCopies::copyFor(const QImage &picture, QSize target)
{
    const Copy *copy = find(picture, target);
    return copy ? &copy->image : nullptr;
}

const ReducedCopies::Copy *ReducedCopies::find(const QImage &picture, QSize target)
{
    if (picture.isNull() || picture.paintingActive()) {
        clear();
        return nullptr;
    }
    if (picture.cacheKey() != m_key) {
        clear();
        m_key = picture.cacheKey();
    }
    if (!areaAverageSupports(picture.format()))
        return nullptr;
    const auto h = halvingsFor(picture.size(), target);
    if (!h)
        return nullptr;
    const int width = picture.width();
    const int height = picture.height();
    const int halvingsX = h->x;
    const int halvingsY = h->y;

    const uint64_t use = ++m_uses;
    for (Copy &copy : m_copies) {
        if (copy.halvingsX == halvingsX && copy.halvingsY == halvingsY) {
            copy.lastUse = use;
            return &copy;
        }
    }

    // One pass from the most reduced copy on the way: blocks nest, so the average of the
    // ancestor's pixels is that of the picture's.
    const Copy *ancestor = closestAncestor(halvingsX, halvingsY);
    const QImage from = ancestor ? ancestor->image : picture;
    QImage copy = averageOverArea(from, blocks(width, ancestor ? ancestor->halvingsX : 0),
        blocks(height, ancestor ? ancestor->halvingsY : 0), blocks(width, halvingsX),
        blocks(height, halvingsY));
    if (copy.isNull())
        return nullptr; // out of memory: the picture itself still serves
    makeRoomFor(copy.sizeInBytes(), picture.sizeInBytes() / 3);
    m_copies.push_back({halvingsX, halvingsY, std::move(copy), use});
    return &m_copies.back();
}

const ReducedCopies::Copy *ReducedCopies::closestAncestor(int halvingsX, int halvingsY) const
{
    const Copy *closest = nullptr;
    for (const Copy &copy : m_copies) {
        if (copy.halvingsX <= halvingsX && copy.halvingsY <= halvingsY
            && (!closest
                || copy.halvingsX + copy.halvingsY > closest->halvingsX + closest->halvingsY))
            closest = &copy;
    }
    return closest;
}

void ReducedCopies::makeRoomFor(int64_t bytes, int64_t budget)
{
    while (!m_copies.empty() && this->bytes() + bytes > budget) {
        auto oldest = m_copies.begin();
        for (auto it = m_copies.begin(); it != m_copies.end(); ++it) {
            if (it->lastUse < oldest->lastUse)
                oldest = it;
        }
        m_copies.erase(oldest);
    }
}

void ReducedCopies::clear()
{
    m_copies.clear();
    m_key = 0;
}

int64_t ReducedCopies::bytes() const
{
    int64_t total = 0;
    for (const Copy &copy : m_copies)
        total += copy.image.sizeInBytes();
    return total;
}

} // namespace platform
