#pragma once

#include "Variant.h"

#include <QLocale>
#include <optional>

namespace platform {

// Rounds to the nearest integer, ties to the even one (0.5 -> 0, 1.5 -> 2, -2.5 -> -2).
double roundHalfEven(double value);

// Conversions between tagged values as the runtime does them, under the user's locale.
// Floating point becomes an integer by rounding half to even; a result outside the target's
// range raises Overflow; a value of the wrong kind raises Type mismatch; Null raises Invalid use
// of Null; an object reference to nothing raises Object variable not set.
int16_t toInteger(const Variant &value);
int32_t toLong(const Variant &value);
uint8_t toByte(const Variant &value);
float toSingle(const Variant &value);
double toDouble(const Variant &value);
Currency toCurrency(const Variant &value);
bool toBoolean(const Variant &value);
QString toText(const Variant &value);

// True for numbers of every width and Booleans, and for a text that reads as a plain signed
// decimal number in the user's locale (grouping separators, an exponent and surrounding blanks
// allowed) within the range of a double.
bool isNumeric(const Variant &value);

// The value of a plain decimal number text in the locale, or nothing when the text is no such
// number or lies outside the range of a double.
std::optional<double> parseNumber(const QString &text, const QLocale &locale);

// A double as the runtime prints it: up to 15 significant digits, the locale's decimal
// separator, exponent form ("1E+20", "1E-05") for very large and very small magnitudes.
QString doubleToText(double value, const QLocale &locale, int significantDigits = 15);

} // namespace platform
