// A property set through a typed widget beside the same set by id through the control's
// dispatch, in the same run: the typed setter's own cost is its conversion to the tagged value
// and the call it makes. Two members: Quillkit's QuillInputBox.Text, whose setter updates its
// box, and the test module's TypedControl.Count, which only stores the number, so that the
// difference shows against a member that does next to nothing.
#include "BenchSupport.h"

#include <Quillkit/Hosting/ComponentHost.h>
#include <Quillkit/Hosting/ServerRegistration.h>
#include <Quillkit/Widgets/QuillInputBoxWidget.h>
#include <Quillkit/Widgets/TypedControlWidget.h>

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace platform;

constexpr DispId TextId = 0x68030003;
constexpr DispId CountId = 0x68030001;

struct Widgets
{
    ComponentHost host;
    QuillInputBoxWidget box {host};
    TypedControlWidget typed {host};
};
Widgets *theWidgets = nullptr;

const QStringList &texts()
{
    static const QStringList all {QStringLiteral("Apple"), QStringLiteral("Grape")};
    return all;
}

void BM_TypedProperty_Set(benchmark::State &state)
{
    QuillInputBoxWidget &box = theWidgets->box;
    int i = 0;
    for (auto _ : state)
        box.setText(texts()[++i & 1]);
}
BENCHMARK(BM_TypedProperty_Set);

void BM_Baseline_InvokeById_Set(benchmark::State &state)
{
    const DispatchPtr control = theWidgets->box.control();
    int i = 0;
    for (auto _ : state)
        control->invoke(TextId, InvokeKind::PropertyLet, {Variant(texts()[++i & 1])});
}
BENCHMARK(BM_Baseline_InvokeById_Set);

void BM_TypedProperty_Set_StoreOnly(benchmark::State &state)
{
    TypedControlWidget &typed = theWidgets->typed;
    int i = 0;
    for (auto _ : state)
        typed.setCount(++i);
}
BENCHMARK(BM_TypedProperty_Set_StoreOnly);

void BM_Baseline_InvokeById_Set_StoreOnly(benchmark::State &state)
{
    const DispatchPtr control = theWidgets->typed.control();
    int i = 0;
    for (auto _ : state)
        control->invoke(CountId, InvokeKind::PropertyLet, {Variant(int32_t(++i))});
}
BENCHMARK(BM_Baseline_InvokeById_Set_StoreOnly);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    if (!bench::registerQuillkitIn(folder, QStringLiteral(QUILLKIT_MODULE)))
        return 1;
    registerLibraryFile(QStringLiteral(QUILL_TEST_MODULE));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    {
        // The widgets go before the application.
        Widgets widgets;
        theWidgets = &widgets;
        benchmark::RunSpecifiedBenchmarks();
        theWidgets = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
