#pragma once

#include "../QuillPlatformExport.h"

#include "Variant.h"

#include <QLocale>
#include <QString>
#include <optional>

namespace platform {

/// The user's locale's upper-casing of UTF-16 text (in tr_TR, "i" becomes U+0130).
QUILL_PLATFORM_EXPORT QString upperCase(const QString &text);
/// The same in `locale`, for callers that upper-case many texts at once.
QUILL_PLATFORM_EXPORT QString upperCase(const QString &text, const QLocale &locale);

/// The length of the part of `text` whose upper-casing is `upperLength` code units long.
/// Upper-casing can change a text's length ("ß" becomes "SS", a ligature two letters, the dot
/// above a Lithuanian i goes), so a position in the upper-cased text is not one in the text
/// itself. Characters whose upper-casing is empty are taken along at the end. Nothing when
/// `upperLength` ends inside the upper-casing of one character ("FUS" of "Fuß") or beyond the
/// whole text's. Never splits a surrogate pair.
QUILL_PLATFORM_EXPORT std::optional<qsizetype> upperCasePrefixLength(
    const QString &text, qsizetype upperLength);

/// The runtime's named number formats. "Currency": a number, or a text that reads as an amount
/// (readAmount), comes back in the locale's currency format (symbol, grouping, two decimals
/// rounded half to even, the locale's pattern for negative amounts); a text is formatted from its
/// exact amount. Any other text, one beyond the currency range included, comes back unchanged,
/// and Empty and Null give the empty text. An unknown format name raises Invalid procedure call.
QUILL_PLATFORM_EXPORT QString formatNamed(const Variant &value, const QString &formatName);
QUILL_PLATFORM_EXPORT QString formatNamed(
    const Variant &value, const QString &formatName, const QLocale &locale);

} // namespace platform
