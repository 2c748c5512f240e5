#include "TextServices.h"

#include "AmountText.h"
#include "Conversions.h"
#include "Int128.h"
#include "Locale.h"
#include "RuntimeError.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// The locale's currency pattern around an already formatted amount, found by formatting 1 (or
// -1, for the locale's negative pattern: "($1.00)" in en_US, "-1,00 €" in de_DE) and replacing
// the number part.
QString placeInCurrencyPattern(const QLocale &locale, const QString &amount, bool negative)
{
    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    const QString one = locale.toString(1.0, 'f', 2);
    QString pattern = locale.toCurrencyString(negative ? -1.0 : 1.0, symbol, 2);
    const auto at = pattern.indexOf(one);
    if (at < 0) {
        const QString sign = negative ? locale.negativeSign() : QString();
        return sign + symbol + amount;
    }
    return pattern.replace(at, one.size(), amount);
}

QString currencyFromCurrency(Currency value, const QLocale &locale)
{
    // Round to cents, ties to even, exactly.
    const int64_t raw = value.raw();
    const bool negative = raw < 0;
    UInt128 magnitude = negative ? 0 - static_cast<UInt128>(raw) : raw;
    UInt128 cents = magnitude / 100;
    const auto rest = static_cast<int>(magnitude % 100);
    if (rest > 50 || (rest == 50 && cents % 2 == 1))
        ++cents;
    const auto whole = static_cast<qulonglong>(cents / 100);
    const auto fraction = static_cast<int>(cents % 100);
    const QString amount = locale.toString(whole) + locale.decimalPoint()
        + QStringLiteral("%1").arg(fraction, 2, 10, QChar(u'0'));
    return placeInCurrencyPattern(locale, amount, negative && cents != 0);
}

QString currencyFromDouble(double value, const QLocale &locale)
{
    if (!std::isfinite(value))
        return doubleToText(value, locale);
    QString amount = locale.toString(std::fabs(value), 'f', 2);
    const bool roundsToZero = std::fabs(value) < 0.005;
    return placeInCurrencyPattern(locale, amount, value < 0 && !roundsToZero);
}

QString formatCurrency(const Variant &value, const QLocale &locale)
{
    switch (value.kind()) {
    case VariantKind::Empty:
    case VariantKind::Null:
        return {};
    case VariantKind::Currency:
        return currencyFromCurrency(value.currencyValue(), locale);
    case VariantKind::String: {
        // Exactly the amount that the text converts to, so that the display and the value
        // agree to the last cent; a text beyond the currency range is no amount either.
        const QString &text = value.stringValue();
        const AmountReading amount = readAmount(text, locale);
        return amount.isAmount() ? currencyFromCurrency(amount.value, locale) : text;
    }
    default:
        return currencyFromDouble(toDouble(value), locale);
    }
}

} // namespace

QString upperCase(const QString &text)
{
    return upperCase(text, userLocale());
}

QString upperCase(const QString &text, const QLocale &locale)
{
    // Only a few languages case differently from the Unicode default mapping; the others take
    // the much faster default path, which gives the same result.
    switch (locale.language()) {
    case QLocale::Turkish:
    case QLocale::Azerbaijani:
    case QLocale::Lithuanian:
    case QLocale::Greek:
        return locale.toUpper(text);
    default:
        return text.toUpper();
    }
}

std::optional<qsizetype> upperCasePrefixLength(const QString &text, qsizetype upperLength)
{
    // One locale for every probe: reading the user's locale costs more than upper-casing a few
    // characters.
    const QLocale locale = userLocale();
    const auto upperSize
        = [&](qsizetype length) { return upperCase(text.left(length), locale).size(); };
    // A boundary between the two halves of a surrogate pair moves past the pair.
    const auto whole = [&](qsizetype length) {
        if (length > 0 && length < text.size() && text[length].isLowSurrogate()
            && text[length - 1].isHighSurrogate())
            ++length;
        return length;
    };
    // The upper-cased length only grows with the prefix. The whole text's upper-casing (a text
    // completed from its own capitals) takes the whole text, empty upper-casings at the end
    // included, and nothing reaches beyond it.
    if (upperLength >= text.size()) {
        const qsizetype all = upperSize(text.size());
        if (upperLength == all)
            return text.size();
        if (upperLength > all)
            return std::nullopt;
    }
    // Otherwise find the shortest prefix that reaches upperLength. Most texts keep their length,
    // so the first probe is there.
    qsizetype low = 0;
    qsizetype high = text.size() + 1; // text.size() + 1 stands for "none"
    qsizetype probe = std::clamp<qsizetype>(upperLength, 0, text.size());
    while (low < high) {
        if (probe <= text.size() && upperSize(probe) >= upperLength)
            high = probe;
        else
            low = probe + 1;
        probe = low + (high - low) / 2;
    }
    if (low > text.size())
        return std::nullopt;
    qsizetype length = whole(low);
    const qsizetype reached = upperSize(length);
    if (reached != upperLength)
        return std::nullopt;
    while (length < text.size()) {
        const qsizetype next = whole(length + 1);
        if (upperSize(next) != reached)
            break;
        length = next;
    }
    return length;
}

QString formatNamed(const Variant &value, const QString &formatName, const QLocale &locale)
{
    if (formatName.compare(u"Currency", Qt::CaseInsensitive) == 0)
        return formatCurrency(value, locale);
    throw RuntimeError(ErrorNumber::InvalidProcedureCall,
        QStringLiteral("unknown named format \"%1\"").arg(formatName));
}

QString formatNamed(const Variant &value, const QString &formatName)
{
    return formatNamed(value, formatName, userLocale());
}

} // namespace platform
