#include "Conversions.h"

#include "Locale.h"
#include "NumberText.h"
#include "RuntimeError.h"

#include <QDateTime>
#include <charconv>
#include <cmath>
#include <limits>

namespace platform {

namespace {

[[noreturn]] void fail(ErrorNumber number)
{
    throw RuntimeError(number);
}

// Fails for the kinds that never convert to a number or a text.
void requireScalar(const Variant &value)
{
    switch (value.kind()) {
    case VariantKind::Null:
        fail(ErrorNumber::InvalidUseOfNull);
    case VariantKind::Object:
        fail(value.isNothing() ? ErrorNumber::ObjectVariableNotSet : ErrorNumber::TypeMismatch);
    case VariantKind::Error:
    case VariantKind::Array:
        fail(ErrorNumber::TypeMismatch);
    default:
        break;
    }
}

double textToDouble(const QString &text)
{
    const auto number = scanPlainNumber(text, userLocale());
    if (!number)
        fail(ErrorNumber::TypeMismatch);
    const auto value = parseNumber(text, userLocale());
    if (!value)
        fail(ErrorNumber::Overflow);
    return *value;
}

template<typename Int>
Int roundedInRange(double value)
{
    if (std::isnan(value))
        fail(ErrorNumber::Overflow);
    const double rounded = roundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min())
        || rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        fail(ErrorNumber::Overflow);
    return static_cast<Int>(rounded);
}

// Currency to a whole number, exact: ten-thousandths divided with ties to even.
int64_t currencyToWhole(Currency value)
{
    const int64_t raw = value.raw();
    int64_t quotient = raw / Currency::Scale;
    const int64_t remainder = raw % Currency::Scale;
    const int64_t twice = 2 * (remainder < 0 ? -remainder : remainder);
    if (twice > Currency::Scale || (twice == Currency::Scale && quotient % 2 != 0))
        quotient += raw < 0 ? -1 : 1;
    return quotient;
}

template<typename Int>
Int toWhole(const Variant &value)
{
    requireScalar(value);
    auto inRange = [](int64_t v) {
        if (v < std::numeric_limits<Int>::min() || v > std::numeric_limits<Int>::max())
            fail(ErrorNumber::Overflow);
        return static_cast<Int>(v);
    };
    switch (value.kind()) {
    case VariantKind::Empty:
        return 0;
    case VariantKind::Integer:
    case VariantKind::Boolean:
        return inRange(value.integerValue());
    case VariantKind::Long:
        return inRange(value.longValue());
    case VariantKind::Byte:
        return inRange(value.byteValue());
    case VariantKind::Currency:
        return inRange(currencyToWhole(value.currencyValue()));
    case VariantKind::String:
        return roundedInRange<Int>(textToDouble(value.stringValue()));
    default:
        return roundedInRange<Int>(toDouble(value));
    }
}

} // namespace

double roundHalfEven(double value)
{
    // nearbyint rounds in the current mode, which is round-to-nearest-even unless someone
    // changed it; nothing in this process does.
    return std::nearbyint(value);
}

std::optional<double> parseNumber(const QString &text, const QLocale &locale)
{
    const auto number = scanPlainNumber(text, locale);
    if (!number)
        return std::nullopt;
    // The digits are ASCII by now; from_chars reads them whatever the process locale says.
    QByteArray ascii = number->integerDigits.toLatin1();
    if (ascii.isEmpty())
        ascii.append('0');
    if (!number->fractionDigits.isEmpty())
        ascii.append('.').append(number->fractionDigits.toLatin1());
    ascii.append('e').append(QByteArray::number(number->exponent));

    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error == std::errc::result_out_of_range) {
        // from_chars does not say which way it left the range: decide by the decimal exponent of
        // the leading non-zero digit.
        const QString digits = number->integerDigits + number->fractionDigits;
        qsizetype first = 0;
        while (first < digits.size() && digits[first] == u'0')
            ++first;
        const qsizetype leadingExponent
            = number->exponent + number->integerDigits.size() - 1 - first;
        if (leadingExponent > 0)
            return std::nullopt;
        value = 0;
    } else if (error != std::errc() || end != ascii.data() + ascii.size()) {
        return std::nullopt;
    }
    return number->negative ? -value : value;
}

QString doubleToText(double value, const QLocale &locale, int significantDigits)
{
    if (value == 0)
        return QStringLiteral("0");
    QString text = QString::number(value, 'g', significantDigits);
    const auto e = text.indexOf(u'e');
    if (e >= 0) {
        // "1e+20" -> "1E+20", "1e-05" stays two-digit.
        text[e] = u'E';
    }
    const auto point = text.indexOf(u'.');
    if (point >= 0)
        text.replace(point, 1, locale.decimalPoint());
    return text;
}

int16_t toInteger(const Variant &value)
{
    return toWhole<int16_t>(value);
}

int32_t toLong(const Variant &value)
{
    return toWhole<int32_t>(value);
}

uint8_t toByte(const Variant &value)
{
    return toWhole<uint8_t>(value);
}

double toDouble(const Variant &value)
{
    requireScalar(value);
    switch (value.kind()) {
    case VariantKind::Empty:
        return 0;
    case VariantKind::Integer:
    case VariantKind::Boolean:
        return value.integerValue();
    case VariantKind::Long:
        return value.longValue();
    case VariantKind::Byte:
        return value.byteValue();
    case VariantKind::Single:
        return value.singleValue();
    case VariantKind::Double:
    case VariantKind::Date:
        return value.doubleValue();
    case VariantKind::Currency:
        return value.currencyValue().toDouble();
    case VariantKind::String:
        return textToDouble(value.stringValue());
    default:
        fail(ErrorNumber::TypeMismatch);
    }
}

float toSingle(const Variant &value)
{
    const double d = toDouble(value);
    if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) {
        // Values just above the largest float still round down to it.
        const auto f = static_cast<float>(d);
        if (std::isinf(f))
            fail(ErrorNumber::Overflow);
        return f;
    }
    return static_cast<float>(d);
}

Currency toCurrency(const Variant &value)
{
    requireScalar(value);
    switch (value.kind()) {
    case VariantKind::Currency:
        return value.currencyValue();
    case VariantKind::String:
        return Currency::fromText(value.stringValue());
    default:
        return Currency::fromDouble(toDouble(value));
    }
}

bool toBoolean(const Variant &value)
{
    requireScalar(value);
    switch (value.kind()) {
    case VariantKind::String: {
        const QString &text = value.stringValue();
        if (text.trimmed().compare(u"True", Qt::CaseInsensitive) == 0)
            return true;
        if (text.trimmed().compare(u"False", Qt::CaseInsensitive) == 0)
            return false;
        return textToDouble(text) != 0;
    }
    case VariantKind::Currency:
        return value.currencyValue().raw() != 0;
    default:
        return toDouble(value) != 0;
    }
}

QString toText(const Variant &value)
{
    requireScalar(value);
    const QLocale &locale = userLocale();
    switch (value.kind()) {
    case VariantKind::Empty:
        return {};
    case VariantKind::String:
        return value.stringValue();
    case VariantKind::Integer:
        return QString::number(value.integerValue());
    case VariantKind::Long:
        return QString::number(value.longValue());
    case VariantKind::Byte:
        return QString::number(value.byteValue());
    case VariantKind::Boolean:
        return value.booleanValue() ? QStringLiteral("True") : QStringLiteral("False");
    case VariantKind::Single:
        return doubleToText(value.singleValue(), locale, 7);
    case VariantKind::Double:
        return doubleToText(value.doubleValue(), locale);
    case VariantKind::Currency:
        return value.currencyValue().toText(locale);
    case VariantKind::Date: {
        // Days since 30 December 1899; the fraction is the time of day.
        const double ole = value.doubleValue();
        const QDate epoch(1899, 12, 30);
        const double days = std::trunc(ole);
        const auto millis = static_cast<qint64>(std::llround(std::fabs(ole - days) * 86400000.0));
        const QDate date = epoch.addDays(static_cast<qint64>(days));
        const QTime time = QTime(0, 0).addMSecs(static_cast<int>(millis % 86400000));
        if (millis == 0)
            return locale.toString(date, QLocale::ShortFormat);
        if (days == 0)
            return locale.toString(time, QLocale::LongFormat);
        return locale.toString(date, QLocale::ShortFormat) + u' '
            + locale.toString(time, QLocale::LongFormat);
    }
    default:
        fail(ErrorNumber::TypeMismatch);
    }
}

bool isNumeric(const Variant &value)
{
    switch (value.kind()) {
    case VariantKind::Integer:
    case VariantKind::Long:
    case VariantKind::Single:
    case VariantKind::Double:
    case VariantKind::Currency:
    case VariantKind::Boolean:
    case VariantKind::Byte:
        return true;
    case VariantKind::String:
        return parseNumber(value.stringValue(), userLocale()).has_value();
    default:
        return false;
    }
}

} // namespace platform
