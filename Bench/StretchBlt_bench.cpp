// Stretching a picture the size of the demonstration form's chart onto a picture box, shrunk and
// enlarged, beside the toolkit's own smooth scaling of the same image to the same sizes.
#include <System/Gdi32.h>

#include <QImage>
#include <benchmark/benchmark.h>

namespace {

using namespace platform;

const QImage &chart()
{
    static const QImage image = [] {
        QImage picture(800, 600, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                line[x] = qRgb(x % 256, y % 256, (x * 7 + y * 3) % 256);
        }
        return picture;
    }();
    return image;
}

void BM_StretchBlt_Halftone(benchmark::State &state)
{
    QImage picture = chart();
    QImage target(int(state.range(0)), int(state.range(1)), QImage::Format_RGB32);
    target.fill(Qt::white);
    int changes = 0;
    const HDC source = DeviceContexts::create(&picture, {});
    const HDC destination = DeviceContexts::create(&target, [&changes] { ++changes; });
    SetStretchBltMode(destination, HALFTONE);
    for (auto _ : state) {
        benchmark::DoNotOptimize(StretchBlt(destination, 0, 0, target.width(), target.height(),
            source, 0, 0, picture.width(), picture.height(), SRCCOPY));
        benchmark::ClobberMemory();
    }
    DeviceContexts::release(destination);
    DeviceContexts::release(source);
    state.counters["changes"] = changes;
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}
BENCHMARK(BM_StretchBlt_Halftone)
    ->Args({297, 225})
    ->Args({1200, 900})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Baseline_QImageScaled_Smooth(benchmark::State &state)
{
    const QImage &picture = chart();
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    for (auto _ : state) {
        QImage scaled
            = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(scaled.constBits());
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}
BENCHMARK(BM_Baseline_QImageScaled_Smooth)
    ->Args({297, 225})
    ->Args({1200, 900})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_StretchBlt_NearestPixel(benchmark::State &state)
{
    QImage picture = chart();
    QImage target(int(state.range(0)), int(state.range(1)), QImage::Format_RGB32);
    const HDC source = DeviceContexts::create(&picture, {});
    const HDC destination = DeviceContexts::create(&target, {});
    SetStretchBltMode(destination, COLORONCOLOR);
    for (auto _ : state) {
        benchmark::DoNotOptimize(StretchBlt(destination, 0, 0, target.width(), target.height(),
            source, 0, 0, picture.width(), picture.height(), SRCCOPY));
        benchmark::ClobberMemory();
    }
    DeviceContexts::release(destination);
    DeviceContexts::release(source);
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}
BENCHMARK(BM_StretchBlt_NearestPixel)
    ->Args({297, 225})
    ->Args({1200, 900})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Baseline_QImageScaled_Fast(benchmark::State &state)
{
    const QImage &picture = chart();
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    for (auto _ : state) {
        QImage scaled
            = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        benchmark::DoNotOptimize(scaled.constBits());
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}
BENCHMARK(BM_Baseline_QImageScaled_Fast)
    ->Args({297, 225})
    ->Args({1200, 900})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
