// Building a saved form of many standard controls, beside a plain Qt form that makes the same
// buttons with the same geometry and tab order. The time per control must not grow with the
// number of controls.
#include <Quillkit/Hosting/ComponentHost.h>
#include <Quillkit/Hosting/HostForm.h>

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace platform;

// n command buttons in a grid, each with a caption and a tab index, as a form file holds them.
SavedForm buttonsForm(int n)
{
    SavedForm form;
    form.name = QStringLiteral("Buttons");
    form.properties.WriteProperty(QStringLiteral("ClientWidth"), Variant(12000.0));
    form.properties.WriteProperty(QStringLiteral("ClientHeight"), Variant(9000.0));
    for (int i = 0; i < n; ++i) {
        SavedControl control;
        control.kind = QStringLiteral("CommandButton");
        control.name = QStringLiteral("Command%1").arg(i);
        control.left = 120 + (i % 40) * 300;
        control.top = 120 + (i / 40) * 45;
        control.width = 285;
        control.height = 45;
        control.tabIndex = i;
        control.bag.WriteProperty(QStringLiteral("Caption"), Variant(QString::number(i)));
        form.controls.push_back(std::move(control));
    }
    return form;
}

void BM_HostForm_LoadStandardControls(benchmark::State &state)
{
    const int n = int(state.range(0));
    const SavedForm saved = buttonsForm(n);
    ComponentHost host;
    for (auto _ : state) {
        std::unique_ptr<HostForm> form = HostForm::load(host, saved);
        benchmark::DoNotOptimize(form.get());
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["us_per_control"] = benchmark::Counter(double(n) * 1e-6,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_HostForm_LoadStandardControls)
    ->Arg(1000)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);

void BM_Baseline_PlainQt_Buttons(benchmark::State &state)
{
    const int n = int(state.range(0));
    for (auto _ : state) {
        auto window = std::make_unique<QWidget>();
        window->resize(800, 600);
        QWidget *previous = nullptr;
        for (int i = 0; i < n; ++i) {
            auto *button = new QPushButton(QString::number(i), window.get());
            button->setObjectName(QStringLiteral("Command%1").arg(i));
            button->setGeometry(8 + (i % 40) * 20, 8 + (i / 40) * 3, 19, 3);
            button->show();
            if (previous)
                QWidget::setTabOrder(previous, button);
            previous = button;
        }
        benchmark::DoNotOptimize(window.get());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["us_per_control"] = benchmark::Counter(double(n) * 1e-6,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Baseline_PlainQt_Buttons)
    ->Arg(1000)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // No library is needed, but the host reads the user's registry: give it an empty one.
    QTemporaryDir folder;
    qputenv("QUILL_REGISTRY", folder.filePath(QStringLiteral("registry.json")).toUtf8());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
