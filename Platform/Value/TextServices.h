#pragma once

#include "Variant.h"

#include <QLocale>
#include <QString>

namespace platform {

// The user's locale's upper-casing of UTF-16 text (in tr_TR, "i" becomes U+0130).
QString upperCase(const QString &text);

// The runtime's named number formats. "Currency": a number, or a text that reads as a number or
// an amount, comes back in the locale's currency format (symbol, grouping, two decimals, the
// locale's pattern for negative amounts); any other text comes back unchanged, and Empty and
// Null give the empty text. An unknown format name raises Invalid procedure call.
QString formatNamed(const Variant &value, const QString &formatName);
QString formatNamed(const Variant &value, const QString &formatName, const QLocale &locale);

} // namespace platform
