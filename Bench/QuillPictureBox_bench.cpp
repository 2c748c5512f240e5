// QuillPictureBox stretching the demonstration form's chart at one animation step: a resize of a
// control placed by a host, which runs one ShowStretched, beside the toolkit's own smooth
// scaling of the same picture to the same size.
#include "BenchSupport.h"
#include <Controls/StdPicture.h>
#include <Hosting/ComponentHost.h>
#include <Hosting/HostForm.h>
#include <Hosting/ServerRegistration.h>
#include <Value/RuntimeError.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

using namespace platform;

constexpr DispId PictureId = 0x68030000;

// A host with the freshly built library registered in a registry of its own.
struct Host
{
    ComponentHost host;
    HostForm form {host, QStringLiteral("BenchForm")};
    int placed = 0;
};
Host *theHost = nullptr;

void BM_QuillPictureBox_ShowStretched(benchmark::State &state)
{
    const double width = double(state.range(0)) * 15;
    const double height = double(state.range(1)) * 15;
    ControlSite &site = theHost->form.addControl(QStringLiteral("Quillkit.QuillPictureBox"),
        QStringLiteral("QuillPictureBox%1").arg(++theHost->placed), {0, 0, width, height});
    site.control()->invoke(PictureId, InvokeKind::PropertySetRef,
        {Variant(DispatchPtr(StdPicture::fromImage(bench::chart())))});
    // Resize runs even at an unchanged size, and each one stretches the picture once.
    const std::shared_ptr<UserControl> control = site.userControl();
    for (auto _ : state) {
        control->setExtent(width, height);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}
BENCHMARK(BM_QuillPictureBox_ShowStretched)
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

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    if (!bench::registerQuillkitIn(folder, QStringLiteral(QUILLKIT_MODULE)))
        return 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    {
        // Controls and form go before the application.
        Host host;
        theHost = &host;
        benchmark::RunSpecifiedBenchmarks();
        theHost = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
