#pragma once

#include "../QuillPlatformExport.h"

#include "Conversions.h"

#include <algorithm>

namespace platform {

///@{
/// Twips (1/1440 inch) are the unit of control positions and sizes; the screen has 15 twips per
/// pixel. HIMETRIC (0.01 mm) is the unit of saved extents and picture sizes.
constexpr double TwipsPerPixel = 15.0;
constexpr double HimetricPerTwip = 2540.0 / 1440.0;
///@}

/// Unit codes of ScaleMode, ScaleX and ScaleY.
enum class ScaleUnit : int16_t {
    User = 0,
    Twips = 1,
    Points = 2,
    Pixels = 3,
    Characters = 4,
    Inches = 5,
    Millimeters = 6,
    Centimeters = 7,
    Himetric = 8,
};

///@{
/// The longest length windows take, either way: the toolkit's limit of 16777215 pixels.
constexpr double MaxPixels = 16777215;
constexpr double MaxTwips = MaxPixels * TwipsPerPixel;
///@}

/// Pixels of a length in twips. Lengths come checked (checkedPosition, checkedSize); anything
/// else is held to the limit, NaN as 0, so that no conversion is undefined.
inline int twipsToPixels(double twips)
{
    const double pixels = roundHalfEven(twips / TwipsPerPixel);
    if (!(pixels == pixels))
        return 0;
    return static_cast<int>(std::clamp(pixels, -MaxPixels, MaxPixels));
}

/// A position in twips as windows take it: Invalid property value for NaN, Overflow beyond
/// MaxTwips either way (infinities included). `what` names the property in the error.
QUILL_PLATFORM_EXPORT double checkedPosition(double twips, const QString &what);
/// A width or height in twips: the same, and Invalid property value below 0.
QUILL_PLATFORM_EXPORT double checkedSize(double twips, const QString &what);

inline double pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

inline int twipsToHimetric(double twips)
{
    return static_cast<int>(roundHalfEven(twips * HimetricPerTwip));
}

inline double himetricToTwips(double himetric)
{
    return himetric / HimetricPerTwip;
}

/// How many twips one unit holds; Invalid procedure call for User and unknown codes.
QUILL_PLATFORM_EXPORT double twipsPerUnit(int16_t unit);

/// ScaleX / ScaleY: a length converted between two units (characters differ only between the two
/// axes: 120 twips wide, 240 high).
QUILL_PLATFORM_EXPORT double scaleLength(
    double value, int16_t fromUnit, int16_t toUnit, bool vertical);

} // namespace platform
