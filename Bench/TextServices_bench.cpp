// Matching and upper-casing over the demonstration form's 5005 items, beside the toolkit's own
// regular expressions and case mapping doing the same job; the named format "Currency" over
// amount texts, beside the toolkit's own number reading and currency formatting.
#include "BenchSupport.h"

#include <Quillkit/Value/Locale.h>
#include <Quillkit/Value/Pattern.h>
#include <Quillkit/Value/TextServices.h>
#include <Quillkit/Value/Variant.h>

#include <QRegularExpression>
#include <benchmark/benchmark.h>
#include <cmath>

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

// 1000 amounts from -10,000.00 to 10,000.00 as users type them: grouped plain numbers, or the
// same amounts in the currency forms (symbol, trailing minus, parentheses).
QStringList amountTexts(bool currencyForms)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QStringList texts;
    for (int i = 0; i < 1000; ++i) {
        const double value = ((i * 7919) % 2000001 - 1000000) / 100.0;
        const QString plain = us.toString(value, 'f', 2);
        if (!currencyForms) {
            texts << plain;
            continue;
        }
        const QString magnitude = us.toString(std::abs(value), 'f', 2);
        switch (i % 3) {
        case 0:
            texts << (value < 0 ? QStringLiteral("($%1)") : QStringLiteral("$%1")).arg(magnitude);
            break;
        case 1:
            texts << magnitude + (value < 0 ? QStringLiteral("-") : QString());
            break;
        default:
            texts << (value < 0 ? QStringLiteral("-$%1") : QStringLiteral("$%1")).arg(magnitude);
            break;
        }
    }
    return texts;
}

void formatAmounts(benchmark::State &state, const QStringList &texts)
{
    platform::setUserLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    for (auto _ : state) {
        for (const QString &text : texts) {
            benchmark::DoNotOptimize(
                platform::formatNamed(platform::Variant(text), QStringLiteral("Currency")));
        }
    }
    state.SetItemsProcessed(state.iterations() * texts.size());
}

void BM_FormatNamedCurrency_PlainTexts(benchmark::State &state)
{
    formatAmounts(state, amountTexts(false));
}
BENCHMARK(BM_FormatNamedCurrency_PlainTexts)->Unit(benchmark::kMicrosecond);

void BM_FormatNamedCurrency_CurrencyForms(benchmark::State &state)
{
    formatAmounts(state, amountTexts(true));
}
BENCHMARK(BM_FormatNamedCurrency_CurrencyForms)->Unit(benchmark::kMicrosecond);

// The toolkit reads plain numbers only; its currency format goes through a double.
void BM_Baseline_QLocaleCurrency_PlainTexts(benchmark::State &state)
{
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const QStringList texts = amountTexts(false);
    for (auto _ : state) {
        for (const QString &text : texts)
            benchmark::DoNotOptimize(locale.toCurrencyString(locale.toDouble(text)));
    }
    state.SetItemsProcessed(state.iterations() * texts.size());
}
BENCHMARK(BM_Baseline_QLocaleCurrency_PlainTexts)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
