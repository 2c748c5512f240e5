#pragma once

#include "../QuillPlatformExport.h"

#include "../Value/Variant.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPixmap>
#include <QString>
#include <QVariant>

// The conversions typed widgets make between Qt's value types and the values that cross a
// control's interface. Each raises what the underlying conversion raises (Type mismatch,
// Overflow), so a typed call fails as the same call by id would.
namespace platform::typed {

/// 16-bit integers and single-precision reals take Qt's int and double; the narrowing is
/// checked.
QUILL_PLATFORM_EXPORT Variant shortValue(int value);
QUILL_PLATFORM_EXPORT Variant singleValue(double value);

/// Currency as exact fixed-point text in the C locale ("12.5", "-0.0001"): no binary fraction
/// stands between the text and the control's 64-bit ten-thousandths.
QUILL_PLATFORM_EXPORT QString currencyText(const Variant &value);
QUILL_PLATFORM_EXPORT Variant currencyValue(const QString &text);

/// A colour reference. A system colour reads as what it stands for in the palette given (the
/// widget's own); a colour written is always a plain 0x00BBGGRR one, alpha dropped.
QUILL_PLATFORM_EXPORT QColor colorOf(const Variant &value, const QPalette &palette);
QUILL_PLATFORM_EXPORT Variant colorValue(const QColor &color);

/// A font object read into a QFont, and a new font object made from one; Nothing reads as the
/// default QFont.
QUILL_PLATFORM_EXPORT QFont fontOf(const Variant &value);
QUILL_PLATFORM_EXPORT Variant fontValue(const QFont &font);

/// A picture object read into a QPixmap, and a new picture made from one; Nothing and an empty
/// picture read as a null pixmap, and a null pixmap writes an empty picture.
QUILL_PLATFORM_EXPORT QPixmap pixmapOf(const Variant &value);
QUILL_PLATFORM_EXPORT Variant pictureValue(const QPixmap &pixmap);

/// A tagged value as a QVariant: Empty as an invalid QVariant, Null as std::nullptr_t, numbers
/// as the matching C++ type (Currency as its text, a date as its day number), strings,
/// Booleans, arrays as QVariantList; an object has no Qt form and reads as an invalid QVariant.
QUILL_PLATFORM_EXPORT QVariant toQVariant(const Variant &value);
/// The other way. An invalid QVariant is the missing-argument marker when `optional`, Empty
/// otherwise; a type with no tagged form raises Type mismatch.
QUILL_PLATFORM_EXPORT Variant fromQVariant(const QVariant &value, bool optional = false);

} // namespace platform::typed
