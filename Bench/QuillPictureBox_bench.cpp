// QuillPictureBox stretching the demonstration form's chart at one animation step: a resize of a
// control placed by a host, which runs one ShowStretched, beside the toolkit's own smooth
// scaling of the same picture to the same size. The same for an 8000 x 8000 photograph, beside
// the direct area-averaged stretch of it that every resize used to make. A stretch over the whole
// box is made when the box is next painted, so each run paints the control too.
#include "BenchSupport.h"
#include <Quillkit/Hosting/ComponentHost.h>
#include <Quillkit/Hosting/HostForm.h>
#include <Quillkit/Hosting/ServerRegistration.h>
#include <Quillkit/Objects/StdPicture.h>
#include <Quillkit/Value/RuntimeError.h>

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

// Paints the control's widget into an image of its size, as a repaint of the form would.
class Painter
{
public:
    explicit Painter(QWidget *widget)
        : m_widget(widget), m_canvas(widget->size(), QImage::Format_RGB32)
    { }
    void paint()
    {
        if (m_canvas.size() != m_widget->size())
            m_canvas = QImage(m_widget->size(), QImage::Format_RGB32);
        m_widget->render(&m_canvas);
        benchmark::DoNotOptimize(m_canvas.constBits());
    }

private:
    QWidget *m_widget;
    QImage m_canvas;
};

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
    Painter painter(site.widget());
    for (auto _ : state) {
        control->setExtent(width, height);
        painter.paint();
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

// One control holding the large photograph, resized by every run: each run's first resize to a
// new size may make the reduced copies that size reads, which the later ones then read.
ControlSite &largePhotoControl()
{
    static ControlSite *site = [] {
        ControlSite &placed = theHost->form.addControl(QStringLiteral("Quillkit.QuillPictureBox"),
            QStringLiteral("LargePhoto"), {0, 0, 300 * 15.0, 225 * 15.0});
        placed.control()->invoke(PictureId, InvokeKind::PropertySetRef,
            {Variant(DispatchPtr(StdPicture::fromImage(bench::largePhoto())))});
        return &placed;
    }();
    return *site;
}

void BM_QuillPictureBox_Resize_Large(benchmark::State &state)
{
    const double width = double(state.range(0)) * 15;
    const double height = double(state.range(1)) * 15;
    const std::shared_ptr<UserControl> control = largePhotoControl().userControl();
    Painter painter(largePhotoControl().widget());
    control->setExtent(width, height); // the first resize at this size, outside the timing
    painter.paint();
    for (auto _ : state) {
        control->setExtent(width, height);
        painter.paint();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}
BENCHMARK(BM_QuillPictureBox_Resize_Large)
    ->Args({300, 225})
    ->Args({1200, 900})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Setting the picture again at a given size: the holder draws it anew, which drops the copies,
// and the stretch that follows makes them again. The cost of a first resize, and more.
void BM_QuillPictureBox_SetPicture_Large(benchmark::State &state)
{
    ControlSite &site = largePhotoControl();
    site.userControl()->setExtent(double(state.range(0)) * 15, double(state.range(1)) * 15);
    const Variant picture(DispatchPtr(StdPicture::fromImage(bench::largePhoto())));
    Painter painter(site.widget());
    for (auto _ : state) {
        site.control()->invoke(PictureId, InvokeKind::PropertySetRef, {picture});
        painter.paint();
    }
}
BENCHMARK(BM_QuillPictureBox_SetPicture_Large)
    ->Args({300, 225})
    ->Args({1200, 900})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// What every resize cost before the copies: the whole photograph area-averaged to the size.
void BM_Baseline_DirectAreaStretch(benchmark::State &state)
{
    const QImage &picture = bench::largePhoto();
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    for (auto _ : state) {
        QImage scaled
            = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(scaled.constBits());
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}
BENCHMARK(BM_Baseline_DirectAreaStretch)
    ->Args({300, 225})
    ->Args({1200, 900})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
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
