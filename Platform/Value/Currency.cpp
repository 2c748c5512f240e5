#include "Currency.h"

#include "AmountText.h"
#include "Locale.h"
#include "RuntimeError.h"

#include <cmath>
#include <limits>

namespace platform {

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
    const AmountReading reading = readAmount(text, locale);
    switch (reading.status) {
    case AmountReading::Status::Amount:
        return reading.value;
    case AmountReading::Status::OutOfRange:
        throw RuntimeError(ErrorNumber::Overflow);
    case AmountReading::Status::NotAnAmount:
        break;
    }
    throw RuntimeError(ErrorNumber::TypeMismatch);
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
