#include "AreaAverage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

namespace {

// Across rows the weights add up to 256, so a sum of weighted levels is at most 255 * 256 and
// stays in 16 bits; halved, it is a level in units of 1/128.
//
// Along a row, when no destination pixel covers more than three source pixels (shrinking by
// less than a half, the common case), the weights add up to 32768 and each weighted sum keeps
// only the high 16 bits of its product: a level in units of 1/64, each product cut by less than
// 1/64 of a level (halving whole pixels cuts nothing). Otherwise, where such cuts would add up,
// the weights add up to 16384 (each fits a signed 16-bit lane) and whole products are summed in
// 32 bits: a level in units of 2^-21.
constexpr int64_t RowWeightOne = 256;
constexpr int NarrowTaps = 3;
constexpr int64_t NarrowWeightOne = 32768;
constexpr int NarrowShift = 6;
constexpr int64_t WideWeightOne = 16384;
constexpr int WideShift = 21;

// Which source pixels each destination pixel of one direction covers, and how much of each.
struct Taps
{
    int count = 0; // the largest number of source pixels one destination pixel covers
    std::vector<int> first; // per destination pixel
    std::vector<int> used; // per destination pixel: how many of its weights are not zero
    std::vector<int32_t> weights; // `count` per destination pixel, zero where it covers less
};

// The weights come from rounding the covered share at every source pixel boundary, so that each
// destination pixel's weights add up to exactly `one` and no error builds up across a pixel.
Taps tapsFor(PixelSpan from, PixelSpan to, int64_t one)
{
    const int length = to.count();
    const auto boundary = [&](int64_t pixel) { return std::min(pixel * from.step, from.length); };
    Taps taps;
    taps.first.resize(size_t(length));
    taps.used.resize(size_t(length));
    for (int64_t i = 0; i < length; ++i) {
        const int64_t start = i * to.step;
        const int64_t end = std::min(start + to.step, to.length);
        taps.count = std::max(taps.count, int((end - 1) / from.step - start / from.step + 1));
    }
    taps.weights.assign(size_t(length) * size_t(taps.count), 0);
    for (int64_t i = 0; i < length; ++i) {
        const int64_t start = i * to.step;
        const int64_t width = std::min(start + to.step, to.length) - start;
        const int64_t firstPixel = start / from.step;
        const auto share = [&](int64_t position) {
            const int64_t covered = std::clamp<int64_t>(position - start, 0, width);
            return (covered * one + width / 2) / width;
        };
        taps.first[size_t(i)] = int(firstPixel);
        for (int k = 0; k < taps.count; ++k) {
            const int64_t pixel = firstPixel + k;
            const int32_t weight = int32_t(share(boundary(pixel + 1)) - share(boundary(pixel)));
            taps.weights[size_t(i) * size_t(taps.count) + size_t(k)] = weight;
            if (weight)
                taps.used[size_t(i)] = k + 1;
        }
    }
    return taps;
}

// Sums the source rows that destination row `y` covers, channel by channel, into `sums`, in
// units of 1/128 of a level. The weights add up to 256, so no partial sum leaves 16 bits.
template<int Count>
void sumRows(const QImage &source, const Taps &rows, int y, uint16_t *__restrict sums)
{
    const size_t channels = size_t(source.width()) * 4;
    const int32_t *weights = rows.weights.data() + size_t(y) * size_t(rows.count);
    const uchar *line[Count];
    uint16_t weight[Count];
    for (int k = 0; k < Count; ++k) {
        line[k] = source.constScanLine(rows.first[size_t(y)] + k);
        weight[k] = uint16_t(weights[k]);
    }
    for (size_t i = 0; i < channels; ++i) {
        uint16_t sum = uint16_t(weight[0] * line[0][i]);
        for (int k = 1; k < Count; ++k)
            sum = uint16_t(sum + weight[k] * line[k][i]);
        sums[i] = uint16_t(sum >> 1);
    }
}

// The same for any number of rows, one row at a time.
void sumManyRows(
    const QImage &source, const Taps &rows, int y, int count, uint16_t *__restrict sums)
{
    const size_t channels = size_t(source.width()) * 4;
    const int32_t *weights = rows.weights.data() + size_t(y) * size_t(rows.count);
    std::fill_n(sums, channels, uint16_t(0));
    for (int k = 0; k < count; ++k) {
        const uchar *__restrict line = source.constScanLine(rows.first[size_t(y)] + k);
        const uint16_t weight = uint16_t(weights[k]);
        for (size_t i = 0; i < channels; ++i)
            sums[i] = uint16_t(sums[i] + weight * line[i]);
    }
    for (size_t i = 0; i < channels; ++i)
        sums[i] = uint16_t(sums[i] >> 1);
}

void sumRows(const QImage &source, const Taps &rows, int y, uint16_t *sums)
{
    // Rows of zero weight are left out: most destination rows cover fewer than the most.
    const int count = rows.used[size_t(y)];
    switch (count) {
    case 1:
        sumRows<1>(source, rows, y, sums);
        break;
    case 2:
        sumRows<2>(source, rows, y, sums);
        break;
    case 3:
        sumRows<3>(source, rows, y, sums);
        break;
    default:
        sumManyRows(source, rows, y, count, sums);
        break;
    }
}

// Rounds a level in units of 2^-shift to nearest, ties to even.
template<typename T>
T rounded(T sum, int shift)
{
    return T((sum + (T(1) << (shift - 1)) - 1 + ((sum >> shift) & 1)) >> shift);
}

// Averages along one row of sums (with count() + 1 zero pixels after its end) into `line`.
class ColumnPass
{
public:
    ColumnPass(PixelSpan from, PixelSpan to) : m_taps(tapsFor(from, to, NarrowWeightOne))
    {
        if (m_taps.count > NarrowTaps)
            m_taps = tapsFor(from, to, WideWeightOne);
#if defined(__SSE2__)
        const size_t length = m_taps.first.size();
        const size_t count = size_t(m_taps.count);
        if (m_taps.count <= NarrowTaps) {
            // Two destination pixels a time: for each of their taps, the weights of both, each
            // repeated for the four channels. An odd last pixel gets a partner of weight 0.
            m_weights.assign((length + 1) / 2 * count, Lanes {});
            for (size_t x = 0; x < length; ++x) {
                for (size_t k = 0; k < count; ++k)
                    std::fill_n(m_weights[x / 2 * count + k].lanes + 4 * (x % 2), 4,
                        uint16_t(m_taps.weights[x * count + k]));
            }
            if (length % 2)
                m_taps.first.push_back(m_taps.first.back());
        } else {
            // Pairs of adjacent source pixels: both weights, repeated for the four channels.
            const size_t pairs = (count + 1) / 2;
            m_weights.assign(length * pairs, Lanes {});
            for (size_t x = 0; x < length; ++x) {
                for (size_t k = 0; k < count; ++k) {
                    uint16_t *lanes = m_weights[x * pairs + k / 2].lanes;
                    for (size_t c = 0; c < 4; ++c)
                        lanes[2 * c + k % 2] = uint16_t(m_taps.weights[x * count + k]);
                }
            }
        }
#endif
    }

    int count() const
    {
        return m_taps.count;
    }

    void run(const uint16_t *sums, uchar *line, int length) const
    {
#if defined(__SSE2__)
        switch (m_taps.count) {
        case 1:
            runNarrow<1>(sums, line, length);
            break;
        case 2:
            runNarrow<2>(sums, line, length);
            break;
        case NarrowTaps:
            runNarrow<NarrowTaps>(sums, line, length);
            break;
        default:
            runWide(sums, line, length);
            break;
        }
#else
        const bool narrow = m_taps.count <= NarrowTaps;
        for (int x = 0; x < length; ++x) {
            const uint16_t *p = sums + size_t(m_taps.first[size_t(x)]) * 4;
            const int32_t *w = m_taps.weights.data() + size_t(x) * size_t(m_taps.count);
            uint32_t sum[4] = {0, 0, 0, 0};
            for (int k = 0; k < m_taps.count; ++k, p += 4) {
                for (int c = 0; c < 4; ++c) {
                    const uint32_t product = uint32_t(w[k]) * p[c];
                    sum[c] += narrow ? product >> 16 : product;
                }
            }
            for (int c = 0; c < 4; ++c)
                line[4 * x + c] = uchar(rounded(sum[c], narrow ? NarrowShift : WideShift));
        }
#endif
    }

private:
#if defined(__SSE2__)
    // Two destination pixels a time, `Taps` source pixels each, in 16-bit lanes.
    template<int Taps>
    void runNarrow(const uint16_t *sums, uchar *line, int length) const
    {
        const __m128i half = _mm_set1_epi16((1 << (NarrowShift - 1)) - 1);
        const __m128i one = _mm_set1_epi16(1);
        const Lanes *weights = m_weights.data();
        for (int x = 0; x < length; x += 2, weights += Taps) {
            const uint16_t *a = sums + size_t(m_taps.first[size_t(x)]) * 4;
            const uint16_t *b = sums + size_t(m_taps.first[size_t(x) + 1]) * 4;
            __m128i sum = _mm_setzero_si128();
            for (int k = 0; k < Taps; ++k, a += 4, b += 4) {
                const __m128i both
                    = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(a)),
                        _mm_loadl_epi64(reinterpret_cast<const __m128i *>(b)));
                const __m128i weight
                    = _mm_load_si128(reinterpret_cast<const __m128i *>(weights[k].lanes));
                sum = _mm_add_epi16(sum, _mm_mulhi_epu16(both, weight));
            }
            const __m128i odd = _mm_and_si128(_mm_srli_epi16(sum, NarrowShift), one);
            sum = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(sum, half), odd), NarrowShift);
            const __m128i pixels = _mm_packus_epi16(sum, sum);
            if (x + 1 < length) {
                _mm_storel_epi64(reinterpret_cast<__m128i *>(line + 4 * x), pixels);
            } else {
                const uint32_t pixel = uint32_t(_mm_cvtsi128_si32(pixels));
                std::memcpy(line + 4 * x, &pixel, 4);
            }
        }
    }

    // One destination pixel a time, its source pixels in pairs, with 32-bit sums.
    void runWide(const uint16_t *sums, uchar *line, int length) const
    {
        const int pairs = (m_taps.count + 1) / 2;
        const __m128i half = _mm_set1_epi32((1 << (WideShift - 1)) - 1);
        const __m128i one = _mm_set1_epi32(1);
        const Lanes *weights = m_weights.data();
        for (int x = 0; x < length; ++x, weights += pairs) {
            const uint16_t *p = sums + size_t(m_taps.first[size_t(x)]) * 4;
            __m128i sum = _mm_setzero_si128();
            for (int k = 0; k < pairs; ++k, p += 8) {
                // Two adjacent pixels, interleaved channel by channel, times their two weights.
                const __m128i two = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
                const __m128i interleaved = _mm_unpacklo_epi16(two, _mm_srli_si128(two, 8));
                const __m128i weight
                    = _mm_load_si128(reinterpret_cast<const __m128i *>(weights[k].lanes));
                sum = _mm_add_epi32(sum, _mm_madd_epi16(interleaved, weight));
            }
            const __m128i odd = _mm_and_si128(_mm_srli_epi32(sum, WideShift), one);
            sum = _mm_srli_epi32(_mm_add_epi32(_mm_add_epi32(sum, half), odd), WideShift);
            sum = _mm_packs_epi32(sum, sum);
            const uint32_t pixel = uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(sum, sum)));
            std::memcpy(line + 4 * x, &pixel, 4);
        }
    }

    struct Lanes
    {
        alignas(16) uint16_t lanes[8];
    };
    std::vector<Lanes> m_weights;
#endif
    Taps m_taps;
};

// The same picture, not enlarged, no pixel count wrong.
bool fits(PixelSpan from, PixelSpan to, int sourceLength)
{
    return from.step > 0 && from.length > 0 && to.length == from.length && to.step >= from.step
        && from.count() == sourceLength;
}

} // namespace

bool areaAverageSupports(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
}

QImage averageOverArea(
    const QImage &source, PixelSpan fromX, PixelSpan fromY, PixelSpan toX, PixelSpan toY)
{
    if (!areaAverageSupports(source.format()) || !fits(fromX, toX, source.width())
        || !fits(fromY, toY, source.height()))
        return {};
    if (fromX == toX && fromY == toY)
        return source;
    QImage result(toX.count(), toY.count(), source.format());
    if (result.isNull())
        return {};
    const Taps rows = tapsFor(fromY, toY, RowWeightOne);
    const ColumnPass columns(fromX, toX);
    // Room after the row for the pixels a destination pixel near the end reads but weighs 0.
    std::vector<uint16_t> sums(
        (static_cast<size_t>(source.width()) + size_t(columns.count()) + 1) * 4, 0);
    for (int y = 0; y < result.height(); ++y) {
        sumRows(source, rows, y, sums.data());
        columns.run(sums.data(), result.scanLine(y), result.width());
    }
    return result;
}

QImage shrinkByAreaAverage(const QImage &source, QSize size)
{
    if (size.isEmpty() || source.isNull())
        return {};
    // In units of a destination pixel times a source pixel, both spread evenly.
    const int64_t width = int64_t(source.width()) * size.width();
    const int64_t height = int64_t(source.height()) * size.height();
    return averageOverArea(source, {size.width(), width}, {size.height(), height},
        {source.width(), width}, {source.height(), height});
}

} // namespace platform
