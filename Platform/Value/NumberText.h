#pragma once

#include "../QuillPlatformExport.h"

#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>

namespace platform {

/// A decimal number read from a text: sign, digits (ASCII) and a decimal exponent, exactly as
/// written, before any conversion to a binary type.
struct QUILL_PLATFORM_EXPORT ScannedNumber
{
    bool negative = false;
    QString integerDigits;
    QString fractionDigits;
    int exponent = 0; ///< clamped to +-1000000, far beyond any representable value
};

/// A plain signed decimal number in the locale's notation: surrounding blanks, a leading sign,
/// grouping separators between integer digits, the decimal separator and an exponent.
QUILL_PLATFORM_EXPORT std::optional<ScannedNumber> scanPlainNumber(
    QStringView text, const QLocale &locale);

/// An amount as users write money: the plain grammar without exponent, plus an optional currency
/// symbol (or ISO code) before or after the number, and a negative amount written with a leading
/// or trailing minus sign or in parentheses.
QUILL_PLATFORM_EXPORT std::optional<ScannedNumber> scanCurrencyText(
    QStringView text, const QLocale &locale);

} // namespace platform
