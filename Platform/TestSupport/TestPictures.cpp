#include "TestPictures.h"

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

// One direction's share of each source pixel in each destination pixel.
std::vector<std::vector<std::pair<int, double>>> coverage(int sourceLength, int length)
{
    std::vector<std::vector<std::pair<int, double>>> shares(static_cast<size_t>(length));
    const double ratio = double(sourceLength) / length;
    for (int i = 0; i < length; ++i) {
        const double start = i * ratio;
        const double end = (i + 1) * ratio;
        for (int j = int(start); j < sourceLength && j < end; ++j) {
            const double covered = std::min(end, j + 1.0) - std::max(start, double(j));
            if (covered > 0)
                shares[size_t(i)].emplace_back(j, covered / ratio);
        }
    }
    return shares;
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

    // The waves depend on x and y separately, so they are tabled once per column and row.
    std::vector<double> columnWave(static_cast<size_t>(width) * 3);
    std::vector<double> rowWave(static_cast<size_t>(height) * 3);
    for (int x = 0; x < width; ++x) {
        const double u = double(x) / width;
        columnWave[size_t(x) * 3] = 70 * std::sin(5.1 * u + phase) + 20 * std::cos(17.3 * u);
        columnWave[size_t(x) * 3 + 1] = 60 * u + 25 * std::sin(11.7 * u);
        columnWave[size_t(x) * 3 + 2] = 50 * std::cos(7.9 * u + 1);
    }
    for (int y = 0; y < height; ++y) {
        const double v = double(y) / height;
        rowWave[size_t(y) * 3] = 40 * std::cos(4.3 * v) + 15 * std::sin(23.1 * v);
        rowWave[size_t(y) * 3 + 1] = 60 * std::sin(3.7 * v + phase);
        rowWave[size_t(y) * 3 + 2] = 70 * v + 20 * std::cos(13.1 * v);
    }

    QImage image(size, QImage::Format_RGB32);
    std::vector<const Disc *> crossing;
    for (int y = 0; y < height; ++y) {
        crossing.clear();
        for (const Disc &disc : discs) {
            if (std::abs(y + 0.5 - disc.y) <= disc.radius + softness)
                crossing.push_back(&disc);
        }
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            double c[3];
            for (int k = 0; k < 3; ++k)
                c[k] = 128 + columnWave[size_t(x) * 3 + size_t(k)]
                    + rowWave[size_t(y) * 3 + size_t(k)];
            for (const Disc *d : crossing) {
                const Disc &disc = *d;
                const double dx = x + 0.5 - disc.x;
                const double dy = y + 0.5 - disc.y;
                const double outer = disc.radius + softness / 2;
                if (std::abs(dx) > outer)
                    continue;
                const double squared = dx * dx + dy * dy;
                if (squared >= outer * outer)
                    continue;
                const double inner = std::max(0.0, disc.radius - softness / 2);
                const double inside = squared <= inner * inner
                    ? 1.0
                    : std::clamp((disc.radius - std::sqrt(squared)) / softness + 0.5, 0.0, 1.0);
                for (int k = 0; k < 3; ++k)
                    c[k] += inside * (disc.colour[k] - c[k]);
            }
            const uint32_t grain = sequence.hash(uint32_t(x), uint32_t(y));
            int channel[3];
            for (int k = 0; k < 3; ++k) {
                const int noise = int((grain >> (8 * k)) % 5) - 2;
                channel[k] = std::clamp(int(std::clamp(c[k], 0.0, 255.0) + 0.5) + noise, 0, 255);
            }
            line[x] = qRgb(channel[0], channel[1], channel[2]);
        }
    }
    return image;
}

QImage exactAreaAverage(const QImage &source, QSize size)
{
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    const auto columns = coverage(picture.width(), size.width());
    const auto rows = coverage(picture.height(), size.height());
    // Along the rows first, into one array of three doubles per pixel.
    std::vector<double> along(static_cast<size_t>(size.width()) * size_t(picture.height()) * 3);
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            double *sum = &along[(size_t(y) * size_t(size.width()) + size_t(x)) * 3];
            for (const auto &[j, share] : columns[size_t(x)]) {
                sum[0] += share * qRed(line[j]);
                sum[1] += share * qGreen(line[j]);
                sum[2] += share * qBlue(line[j]);
            }
        }
    }
    QImage result(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            double sum[3] = {0, 0, 0};
            for (const auto &[j, share] : rows[size_t(y)]) {
                const double *from = &along[(size_t(j) * size_t(size.width()) + size_t(x)) * 3];
                for (int k = 0; k < 3; ++k)
                    sum[k] += share * from[k];
            }
            line[x] = qRgb(
                int(std::lround(sum[0])), int(std::lround(sum[1])), int(std::lround(sum[2])));
        }
    }
    return result;
}

int largestChannelDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

} // namespace platform::test
