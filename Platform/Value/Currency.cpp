#include "Currency.h"

#include "Int128.h"
#include "Locale.h"
#include "NumberText.h"
#include "RuntimeError.h"

#include <cmath>
#include <limits>

namespace platform {

namespace {

constexpr UInt128 MagnitudeLimit = static_cast<UInt128>(1) << 63;

} // namespace

Currency Currency::fromDouble(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError(ErrorNumber::Overflow);
    // The long double product keeps the tie cases of the decimal input (x.xxxx5) exact enough
    // that nearbyint's ties-to-even rounding sees them.
    const long double scaled = std::nearbyintl(static_cast<long double>(value) * Scale);
    if (scaled < -9223372036854775808.0L || scaled >= 9223372036854775808.0L)
        throw RuntimeError(ErrorNumber::Overflow);
    return fromRaw(static_cast<int64_t>(scaled));
}

Currency Currency::fromText(const QString &text, const QLocale &locale)
{
    const auto number = scanCurrencyText(text, locale);
    if (!number)
        throw RuntimeError(ErrorNumber::TypeMismatch);

    UInt128 magnitude = 0;
    auto overflow = [] { throw RuntimeError(ErrorNumber::Overflow); };
    for (QChar digit : number->integerDigits) {
        magnitude = magnitude * 10 + (digit.unicode() - u'0');
        if (magnitude > MagnitudeLimit)
            overflow();
    }
    const QString &fraction = number->fractionDigits;
    for (int i = 0; i < 4; ++i)
        magnitude = magnitude * 10 + (i < fraction.size() ? fraction[i].unicode() - u'0' : 0);
    if (fraction.size() > 4) {
        const int next = fraction[4].unicode() - u'0';
        bool beyondHalf = false;
        for (qsizetype i = 5; i < fraction.size(); ++i)
            beyondHalf = beyondHalf || fraction[i] != u'0';
        if (next > 5 || (next == 5 && (beyondHalf || magnitude % 2 == 1)))
            ++magnitude;
    }
    if (magnitude > MagnitudeLimit || (magnitude == MagnitudeLimit && !number->negative))
        overflow();
    const auto value = static_cast<int64_t>(
        number->negative ? -static_cast<Int128>(magnitude) : static_cast<Int128>(magnitude));
    return fromRaw(value);
}

Currency Currency::fromText(const QString &text)
{
    return fromText(text, userLocale());
}

QString Currency::toText(const QLocale &locale) const
{
    const bool negative = m_raw < 0;
    const auto magnitude
        = negative ? 0 - static_cast<uint64_t>(m_raw) : static_cast<uint64_t>(m_raw);
    QString text = negative ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / Scale);
    uint64_t fraction = magnitude % Scale;
    if (fraction != 0) {
        int digits = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        text += locale.decimalPoint();
        text += QStringLiteral("%1").arg(fraction, digits, 10, QChar(u'0'));
    }
    return text;
}

QString Currency::toText() const
{
    return toText(userLocale());
}

} // namespace platform
