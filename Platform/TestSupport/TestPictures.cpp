#include "TestPictures.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace platform::test {

namespace {

struct Disc
{
    double x, y, radius;
    double colour[3];
};

// A small deterministic generator, so that pictures do not depend on the library's.
class Sequence
{
public:
    explicit Sequence(uint32_t seed) : m_state(seed * 2654435761u + 12345u) { }
    double next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return double(m_state >> 8) / double(1u << 24);
    }
    uint32_t hash(uint32_t x, uint32_t y) const
    {
        uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ m_state;
        h ^= h >> 15;
        h *= 0x2c1b3c6du;
        h ^= h >> 12;
        return h;
    }

private:
    uint32_t m_state;
};

// One direction's share of each source pixel in each destination pixel: for destination pixel
// i, the source pixels from first[i] on, their shares from share[offset[i]] on.
struct Coverage
{
    std::vector<int> first, offset;
    std::vector<double> share;
};

Coverage coverage(int sourceLength, int length)
{
    Coverage c;
    const double ratio = double(sourceLength) / length;
    for (int i = 0; i < length; ++i) {
        const double start = i * ratio;
        const double end = (i + 1) * ratio;
        c.first.push_back(int(start));
        c.offset.push_back(int(c.share.size()));
        for (int j = int(start); j < sourceLength && j < end; ++j)
            c.share.push_back((std::min(end, j + 1.0) - std::max(start, double(j))) / ratio);
    }
    c.offset.push_back(int(c.share.size()));
    return c;
}

} // namespace

QImage photoLike(QSize size, int seed)
{
    const int width = size.width();
    const int height = size.height();
    Sequence sequence(static_cast<uint32_t>(seed));
    std::vector<Disc> discs(24);
    for (Disc &disc : discs) {
        disc.x = sequence.next() * width;
        disc.y = sequence.next() * height;
        disc.radius = (0.03 + 0.12 * sequence.next()) * std::min(width, height);
        for (double &c : disc.colour)
            c = 255 * sequence.next();
    }
    const double softness = std::max(1.0, std::min(width, height) / 24.0);
    const double phase = sequence.next() * 2 * std::numbers::pi;

    // The waves change slowly: worked out on a grid eight times coarser, which the toolkit then
    // enlarges smoothly. The toolkit also draws the discs and the grain, so that making a large
    // picture takes little time even in an instrumented build.
    constexpr int Coarse = 8;
    QImage background(
        (width + Coarse - 1) / Coarse, (height + Coarse - 1) / Coarse, QImage::Format_RGB32);
    for (int y = 0; y < background.height(); ++y) {
        const double v = double(y) / background.height();
        auto *line = reinterpret_cast<QRgb *>(background.scanLine(y));
        for (int x = 0; x < background.width(); ++x) {
            const double u = double(x) / background.width();
            const double r = 128 + 70 * std::sin(5.1 * u + phase) + 20 * std::cos(17.3 * u)
                + 40 * std::cos(4.3 * v) + 15 * std::sin(23.1 * v);
            const double g
                = 128 + 60 * u + 25 * std::sin(11.7 * u) + 60 * std::sin(3.7 * v + phase);
            const double b = 128 + 50 * std::cos(7.9 * u + 1) + 70 * v + 20 * std::cos(13.1 * v);
            const auto level = [](double c) { return int(std::clamp(c, 0.0, 255.0) + 0.5); };
            line[x] = qRgb(level(r), level(g), level(b));
        }
    }
    QImage image = background.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const Disc &disc : discs) {
        // Solid inside, fading out linearly across `softness` around the radius.
        const QPointF centre(disc.x, disc.y);
        const double outer = disc.radius + softness / 2;
        const QColor colour(int(disc.colour[0]), int(disc.colour[1]), int(disc.colour[2]));
        QRadialGradient gradient(centre, outer);
        gradient.setColorAt(std::max(0.0, disc.radius - softness / 2) / outer, colour);
        gradient.setColorAt(1, QColor(colour.red(), colour.green(), colour.blue(), 0));
        painter.setBrush(gradient);
        painter.drawEllipse(centre, outer, outer);
    }

    // Grain: up to four levels added, from a tile of random levels.
    QImage tile(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(tile.scanLine(y));
        for (int x = 0; x < tile.width(); ++x) {
            const uint32_t grain = sequence.hash(uint32_t(x), uint32_t(y));
            line[x] = qRgb(int(grain % 5), int((grain >> 8) % 5), int((grain >> 16) % 5));
        }
    }
    painter.setCompositionMode(QPainter::CompositionMode_Plus);
    painter.fillRect(image.rect(), QBrush(tile));
    painter.end();
    return image;
}

QImage exactAreaAverage(const QImage &source, QSize size)
{
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    const Coverage columns = coverage(picture.width(), size.width());
    const Coverage rows = coverage(picture.height(), size.height());
    // Along the rows first, into three doubles per pixel.
    const size_t width = size_t(size.width());
    std::vector<double> along(width * size_t(picture.height()) * 3);
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        double *sum = &along[size_t(y) * width * 3];
        for (size_t x = 0; x < width; ++x, sum += 3) {
            const QRgb *pixel = line + columns.first[x];
            for (int k = columns.offset[x]; k < columns.offset[x + 1]; ++k, ++pixel) {
                const double share = columns.share[size_t(k)];
                sum[0] += share * qRed(*pixel);
                sum[1] += share * qGreen(*pixel);
                sum[2] += share * qBlue(*pixel);
            }
        }
    }
    QImage result(size, QImage::Format_RGB32);
    std::vector<double> sum(width * 3);
    for (int y = 0; y < size.height(); ++y) {
        std::fill(sum.begin(), sum.end(), 0.0);
        for (int k = rows.offset[size_t(y)]; k < rows.offset[size_t(y) + 1]; ++k) {
            const double share = rows.share[size_t(k)];
            const size_t row = size_t(rows.first[size_t(y)] + k - rows.offset[size_t(y)]);
            const double *from = &along[row * width * 3];
            for (size_t i = 0; i < width * 3; ++i)
                sum[i] += share * from[i];
        }
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        const auto level = [](double c) { return int(c + 0.5); };
        for (size_t x = 0; x < width; ++x)
            line[x] = qRgb(level(sum[3 * x]), level(sum[3 * x + 1]), level(sum[3 * x + 2]));
    }
    return result;
}

int largestChannelDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    const QImage first = a.convertToFormat(QImage::Format_RGB32);
    const QImage second = b.convertToFormat(QImage::Format_RGB32);
    int largest = 0;
    for (int y = 0; y < first.height(); ++y) {
        const auto *p = reinterpret_cast<const QRgb *>(first.constScanLine(y));
        const auto *q = reinterpret_cast<const QRgb *>(second.constScanLine(y));
        for (int x = 0; x < first.width(); ++x) {
            largest = std::max({largest, std::abs(qRed(p[x]) - qRed(q[x])),
                std::abs(qGreen(p[x]) - qGreen(q[x])), std::abs(qBlue(p[x]) - qBlue(q[x]))});
        }
    }
    return largest;
}

} // namespace platform::test
