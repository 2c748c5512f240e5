#pragma once

#include <QString>
#include <QStringList>
#include <Quillkit/Value/Variant.h>

#include <cstdint>

// String and value helpers shared by the controls. Free functions without state.

// Compare modes of the text routines.
constexpr int32_t vbBinaryCompare = 0; // code unit by code unit, case-sensitive
constexpr int32_t vbTextCompare = 1; // case-insensitive

// Cuts text at every delimiter into parts, one element per field in order ("x||y" gives x,
// empty, y; "|a" gives empty, a). parts is replaced whatever it held. With limit -1 every
// delimiter splits; with limit n >= 0 (any limit below -1 counts as 0) the fields 0 to n are
// stored and the next element holds the unsplit rest. An empty text or an empty delimiter
// gives one element holding the whole text. Every search uses the caller's compare mode.
// Returns a tagged value holding a copy of parts, as an array of strings.
platform::Variant STRING_Split(
    QString text, QStringList &parts, const QString &delimiter, int32_t limit, int32_t compare);

// Cuts the part before the first delimiter off text: returns it and leaves in text what
// follows the delimiter. When the delimiter is not found the result is empty and text stays
// as it was; an empty delimiter is found at the start of any non-empty text.
QString STRING_NextToken(QString &text, const QString &delimiter, int32_t compare);

// The value as a double, or fallback when it is Nothing, Empty, Null or not numeric (dates,
// arrays, error values, live objects and texts that do not read as numbers in the user's
// locale). A Boolean reads as -1 or 0.
double VALUE_AsNumber(platform::Variant value, double fallback);
