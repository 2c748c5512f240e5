#pragma once

#include "../QuillPlatformExport.h"

#include "../Value/Variant.h"

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace platform {

/// OLE colours: 0x00BBGGRR, or with the high bit set a system colour whose index is the low
/// byte (0x80000005 window background, 0x80000008 window text, 0x8000000F button face,
/// 0x80000012 button text, ...). System colours are resolved from a palette, the application's
/// unless one is given, at the moment of the call.
class QUILL_PLATFORM_EXPORT OleColor
{
public:
    static constexpr uint32_t SystemFlag = 0x80000000u;

    ///@{
    /// The system colour indices the controls use by default.
    static constexpr uint32_t WindowBackground = SystemFlag | 5;
    static constexpr uint32_t WindowText = SystemFlag | 8;
    static constexpr uint32_t ButtonFace = SystemFlag | 15;
    static constexpr uint32_t ButtonText = SystemFlag | 18;
    ///@}

    static bool isSystemColor(uint32_t value) { return (value & SystemFlag) != 0; }

    static QColor toQColor(uint32_t value);
    static QColor toQColor(uint32_t value, const QPalette &palette);
    /// The plain 0x00BBGGRR form of a colour (alpha dropped).
    static uint32_t fromQColor(const QColor &color);

    /// The contrast of two colours, 1 to 21, as accessibility guidelines measure it.
    static double contrast(const QColor &a, const QColor &b);
    /// The text colour to show on a background: the given one when it is readable there (a
    /// contrast of at least 4.5), else black or white, whichever reads better.
    static QColor readableOn(const QColor &text, const QColor &background);

    /// A colour as hosts pass it: any number that fits 32 bits, signed or not (0x80000005 may
    /// arrive as the negative Long or as a Double above the Long range).
    static uint32_t fromVariant(const Variant &value);
    /// The colour as a Long, the type hosts store colours in.
    static Variant toVariant(uint32_t value) { return Variant(static_cast<int32_t>(value)); }
};

} // namespace platform
