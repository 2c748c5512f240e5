// Stretching a picture the size of the demonstration form's chart onto a picture box, shrunk and
// enlarged, beside the toolkit's own smooth scaling of the same image to the same sizes. A stretch
// over the whole box leaves its pixels pending; each run reads them, as a repaint would.
#include "BenchSupport.h"
#include <Quillkit/System/Gdi32.h>

#include <QImage>
#include <benchmark/benchmark.h>

namespace {

using namespace platform;

void BM_StretchBlt_Halftone(benchmark::State &state)
{
    PersistentImage picture(bench::chart());
    PersistentImage target(QImage(int(state.range(0)), int(state.range(1)), QImage::Format_RGB32));
    target.fill(Qt::white);
    int changes = 0;
    const HDC source = DeviceContexts::create(&picture, {});
    const HDC destination = DeviceContexts::create(&target, [&changes] { ++changes; });
    SetStretchBltMode(destination, HALFTONE);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            StretchBlt(destination, 0, 0, target.size().width(), target.size().height(), source, 0,
                0, picture.size().width(), picture.size().height(), SRCCOPY));
        benchmark::DoNotOptimize(target.pixels().constBits());
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
    bench::scaleChartBaseline(state, Qt::SmoothTransformation);
}
BENCHMARK(BM_Baseline_QImageScaled_Smooth)
    ->Args({297, 225})
    ->Args({1200, 900})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_StretchBlt_NearestPixel(benchmark::State &state)
{
    PersistentImage picture(bench::chart());
    PersistentImage target(QImage(int(state.range(0)), int(state.range(1)), QImage::Format_RGB32));
    const HDC source = DeviceContexts::create(&picture, {});
    const HDC destination = DeviceContexts::create(&target, {});
    SetStretchBltMode(destination, COLORONCOLOR);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            StretchBlt(destination, 0, 0, target.size().width(), target.size().height(), source, 0,
                0, picture.size().width(), picture.size().height(), SRCCOPY));
        benchmark::DoNotOptimize(target.pixels().constBits());
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
    bench::scaleChartBaseline(state, Qt::FastTransformation);
}
BENCHMARK(BM_Baseline_QImageScaled_Fast)
    ->Args({297, 225})
    ->Args({1200, 900})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
