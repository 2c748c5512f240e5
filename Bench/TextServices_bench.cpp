// Matching and upper-casing over the demonstration form's 5005 items, beside the toolkit's own
// regular expressions and case mapping doing the same job.
#include "BenchSupport.h"

#include <Value/Locale.h>
#include <Value/Pattern.h>
#include <Value/TextServices.h>

#include <QRegularExpression>
#include <benchmark/benchmark.h>

namespace {

const QStringList &items()
{
    static const QStringList list = [] {
        QStringList upper;
        for (const QString &item : bench::demoItems())
            upper << item.toUpper();
        return upper;
    }();
    return list;
}

void BM_MatchesPattern_Contains(benchmark::State &state)
{
    const platform::WildcardPattern pattern(u"*AB*");
    int hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (const QString &item : items())
            hits += pattern.matches(item);
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = hits;
    state.SetItemsProcessed(state.iterations() * items().size());
}
BENCHMARK(BM_MatchesPattern_Contains)->Unit(benchmark::kMicrosecond);

void BM_MatchesPattern_OneOffCalls(benchmark::State &state)
{
    int hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (const QString &item : items())
            hits += platform::matchesPattern(item, u"*AB*");
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = hits;
    state.SetItemsProcessed(state.iterations() * items().size());
}
BENCHMARK(BM_MatchesPattern_OneOffCalls)->Unit(benchmark::kMicrosecond);

void BM_Baseline_QRegularExpression_Contains(benchmark::State &state)
{
    const QRegularExpression expression(QStringLiteral("AB"));
    expression.optimize();
    int hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (const QString &item : items())
            hits += expression.match(item).hasMatch();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = hits;
    state.SetItemsProcessed(state.iterations() * items().size());
}
BENCHMARK(BM_Baseline_QRegularExpression_Contains)->Unit(benchmark::kMicrosecond);

void BM_UpperCase(benchmark::State &state)
{
    platform::setUserLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    for (auto _ : state) {
        for (const QString &item : items())
            benchmark::DoNotOptimize(platform::upperCase(item));
    }
    state.SetItemsProcessed(state.iterations() * items().size());
}
BENCHMARK(BM_UpperCase)->Unit(benchmark::kMicrosecond);

void BM_UpperCase_Turkish(benchmark::State &state)
{
    platform::setUserLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
    for (auto _ : state) {
        for (const QString &item : items())
            benchmark::DoNotOptimize(platform::upperCase(item));
    }
    platform::setUserLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    state.SetItemsProcessed(state.iterations() * items().size());
}
BENCHMARK(BM_UpperCase_Turkish)->Unit(benchmark::kMicrosecond);

void BM_Baseline_QLocaleToUpper(benchmark::State &state)
{
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    for (auto _ : state) {
        for (const QString &item : items())
            benchmark::DoNotOptimize(locale.toUpper(item));
    }
    state.SetItemsProcessed(state.iterations() * items().size());
}
BENCHMARK(BM_Baseline_QLocaleToUpper)->Unit(benchmark::kMicrosecond);

void BM_Baseline_QStringToUpper(benchmark::State &state)
{
    for (auto _ : state) {
        for (const QString &item : items())
            benchmark::DoNotOptimize(item.toUpper());
    }
    state.SetItemsProcessed(state.iterations() * items().size());
}
BENCHMARK(BM_Baseline_QStringToUpper)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
