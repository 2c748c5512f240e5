#pragma once

#include "../QuillPlatformExport.h"

#include "Variant.h"

#include <QLocale>
#include <optional>

namespace platform {

/// Rounds to the nearest integer, ties to the even one (0.5 -> 0, 1.5 -> 2, -2.5 -> -2).
QUILL_PLATFORM_EXPORT double roundHalfEven(double value);

///@{
/// Conversions between tagged values as the runtime does them, under the user's locale.
/// Floating point becomes an integer by rounding half to even; a result outside the target's
/// range raises Overflow; a value of the wrong kind raises Type mismatch; Null raises Invalid use
/// of Null; an object reference to nothing raises Object variable not set.
QUILL_PLATFORM_EXPORT int16_t toInteger(const Variant &value);
QUILL_PLATFORM_EXPORT int32_t toLong(const Variant &value);
QUILL_PLATFORM_EXPORT uint8_t toByte(const Variant &value);
QUILL_PLATFORM_EXPORT float toSingle(const Variant &value);
QUILL_PLATFORM_EXPORT double toDouble(const Variant &value);
QUILL_PLATFORM_EXPORT Currency toCurrency(const Variant &value);
QUILL_PLATFORM_EXPORT bool toBoolean(const Variant &value);
QUILL_PLATFORM_EXPORT QString toText(const Variant &value);
///@}

/// True for numbers of every width and Booleans, and for a text that reads as a plain signed
/// decimal number in the user's locale (grouping separators, an exponent and surrounding blanks
/// allowed) within the range of a double.
QUILL_PLATFORM_EXPORT bool isNumeric(const Variant &value);

/// The value of a plain decimal number text in the locale, or nothing when the text is no such
/// number or lies outside the range of a double.
QUILL_PLATFORM_EXPORT std::optional<double> parseNumber(const QString &text, const QLocale &locale);

/// A double as the runtime prints it: up to 15 significant digits, the locale's decimal
/// separator, exponent form ("1E+20", "1E-05") for very large and very small magnitudes.
QUILL_PLATFORM_EXPORT QString doubleToText(
    double value, const QLocale &locale, int significantDigits = 15);

} // namespace platform
