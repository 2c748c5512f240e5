#include "Units.h"

#include "RuntimeError.h"

#include <cmath>

namespace platform {

namespace {

double twipsPerUnitOnAxis(int16_t unit, bool vertical)
{
    switch (static_cast<ScaleUnit>(unit)) {
    case ScaleUnit::Twips:
        return 1.0;
    case ScaleUnit::Points:
        return 20.0;
    case ScaleUnit::Pixels:
        return TwipsPerPixel;
    case ScaleUnit::Characters:
        return vertical ? 240.0 : 120.0;
    case ScaleUnit::Inches:
        return 1440.0;
    case ScaleUnit::Millimeters:
        return 1440.0 / 25.4;
    case ScaleUnit::Centimeters:
        return 1440.0 / 2.54;
    case ScaleUnit::Himetric:
        return 1.0 / HimetricPerTwip;
    case ScaleUnit::User:
        break;
    }
    throw RuntimeError(
        ErrorNumber::InvalidProcedureCall, QStringLiteral("unknown scale unit %1").arg(unit));
}

} // namespace

double checkedPosition(double twips, const QString &what)
{
    if (std::isnan(twips))
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, what);
    if (std::fabs(twips) > MaxTwips)
        throw RuntimeError(ErrorNumber::Overflow, what);
    return twips;
}

double checkedSize(double twips, const QString &what)
{
    if (twips < 0)
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, what);
    return checkedPosition(twips, what);
}

double twipsPerUnit(int16_t unit)
{
    return twipsPerUnitOnAxis(unit, false);
}

double scaleLength(double value, int16_t fromUnit, int16_t toUnit, bool vertical)
{
    return value * twipsPerUnitOnAxis(fromUnit, vertical) / twipsPerUnitOnAxis(toUnit, vertical);
}

} // namespace platform
