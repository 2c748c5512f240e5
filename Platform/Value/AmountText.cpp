#include "AmountText.h"

#include "Int128.h"
#include "Locale.h"
#include "NumberText.h"

#include <QChar>
#include <algorithm>
#include <optional>

namespace platform {

namespace {

using Status = AmountReading::Status;

constexpr UInt128 MagnitudeLimit = static_cast<UInt128>(1) << 63;

// The full-width block that mirrors printable ASCII, and the distance between the two.
constexpr char32_t FullWidthFirst = 0xFF01;
constexpr char32_t FullWidthLast = 0xFF5E;
constexpr char32_t FullWidthOffset = 0xFEE0;

char32_t codePointAt(QStringView text, qsizetype i, qsizetype &length)
{
    length = 1;
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        length = 2;
        return QChar::surrogateToUcs4(text[i], text[i + 1]);
    }
    return text[i].unicode();
}

// What a code point folds to: full-width forms to ASCII, any decimal digit to its ASCII digit
// (the scanner sees only those of the BMP, one code unit each); 0 for one that stays.
char32_t foldOf(char32_t c)
{
    if (c >= FullWidthFirst && c <= FullWidthLast)
        return c - FullWidthOffset;
    if (c >= 0x80 && QChar::isDigit(c))
        return U'0' + QChar::digitValue(c);
    return 0;
}

// The text folded, or nothing when nothing in it folds.
std::optional<QString> folded(QStringView text)
{
    qsizetype first = 0, length = 1;
    while (first < text.size() && foldOf(codePointAt(text, first, length)) == 0)
        first += length;
    if (first == text.size())
        return std::nullopt;

    QString result = text.left(first).toString();
    result.reserve(text.size());
    for (qsizetype i = first; i < text.size(); i += length) {
        const char32_t c = codePointAt(text, i, length);
        if (const char32_t to = foldOf(c))
            result.append(QChar(static_cast<char16_t>(to)));
        else
            result.append(text.mid(i, length));
    }
    return result;
}

std::optional<ScannedNumber> scanAmount(QStringView text, const QLocale &locale)
{
    if (auto number = scanPlainNumber(text, locale))
        return number;
    return scanCurrencyText(text, locale);
}

// The scanned digits as ten-thousandths, exactly, rounding half to even.
AmountReading exactAmount(const ScannedNumber &number)
{
    const QString &whole = number.integerDigits;
    const QString &fraction = number.fractionDigits;
    const qint64 count = whole.size() + fraction.size();
    auto digit = [&](qint64 i) {
        const QChar c = i < whole.size() ? whole[i] : fraction[i - whole.size()];
        return c.unicode() - u'0';
    };
    const AmountReading outOfRange {Status::OutOfRange, {}};

    // The digits, read as one integer, times 10^shift give the count of ten-thousandths.
    const qint64 shift = qint64(number.exponent) - fraction.size() + 4;
    // The digits that stand left of the ten-thousandths' place; the rest are rounded off.
    const qint64 kept = shift >= 0 ? count : count + shift;
    UInt128 magnitude = 0;
    for (qint64 i = 0; i < kept; ++i) {
        magnitude = magnitude * 10 + digit(i);
        if (magnitude > MagnitudeLimit)
            return outOfRange;
    }
    // Zero stays zero however large the exponent; anything else leaves the range in at most
    // twenty steps.
    for (qint64 i = 0; i < shift && magnitude != 0; ++i) {
        magnitude *= 10;
        if (magnitude > MagnitudeLimit)
            return outOfRange;
    }
    if (kept < count) {
        // A first dropped place left of every digit holds an implicit 0.
        const int next = kept >= 0 ? digit(kept) : 0;
        bool beyondHalf = false;
        for (qint64 i = std::max<qint64>(kept + 1, 0); i < count && !beyondHalf; ++i)
            beyondHalf = digit(i) != 0;
        if (next > 5 || (next == 5 && (beyondHalf || magnitude % 2 == 1)))
            ++magnitude;
    }
    if (magnitude > MagnitudeLimit || (magnitude == MagnitudeLimit && !number.negative))
        return outOfRange;
    const Int128 value
        = number.negative ? -static_cast<Int128>(magnitude) : static_cast<Int128>(magnitude);
    return {Status::Amount, Currency::fromRaw(static_cast<int64_t>(value))};
}

} // namespace

AmountReading readAmount(QStringView text, const QLocale &locale)
{
    // The text as written goes first, so that the locale's own symbols are matched as they
    // are; only a text that fails that way is read again folded.
    auto number = scanAmount(text, locale);
    if (!number) {
        if (const auto fold = folded(text))
            number = scanAmount(*fold, locale);
    }
    if (!number)
        return {};
    return exactAmount(*number);
}

AmountReading readAmount(QStringView text)
{
    return readAmount(text, userLocale());
}

} // namespace platform
