#include "OleColor.h"

#include "../Value/Conversions.h"
#include "../Value/RuntimeError.h"

#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace platform {

namespace {

struct SystemColor
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The palette entry that plays the part of each system colour index. Indices without an
// equivalent fall back to the nearest role.
SystemColor systemColor(uint32_t index)
{
    constexpr auto Active = QPalette::Active;
    switch (index) {
    case 0: // scroll bar
        return {Active, QPalette::Button};
    case 1: // desktop
        return {Active, QPalette::Dark};
    case 2: // active caption
        return {Active, QPalette::Highlight};
    case 3: // inactive caption
        return {QPalette::Inactive, QPalette::Highlight};
    case 4: // menu background
        return {Active, QPalette::Window};
    case 5: // window background
        return {Active, QPalette::Base};
    case 6: // window frame
        return {Active, QPalette::Shadow};
    case 7: // menu text
        return {Active, QPalette::WindowText};
    case 8: // window text
        return {Active, QPalette::Text};
    case 9: // active caption text
        return {Active, QPalette::HighlightedText};
    case 10: // active border
    case 11: // inactive border
        return {Active, QPalette::Button};
    case 12: // application workspace
        return {Active, QPalette::Dark};
    case 13: // highlight
        return {Active, QPalette::Highlight};
    case 14: // highlighted text
        return {Active, QPalette::HighlightedText};
    case 15: // button face
        return {Active, QPalette::Button};
    case 16: // button shadow
        return {Active, QPalette::Dark};
    case 17: // grey (disabled) text
        return {QPalette::Disabled, QPalette::Text};
    case 18: // button text
        return {Active, QPalette::ButtonText};
    case 19: // inactive caption text
        return {QPalette::Inactive, QPalette::HighlightedText};
    case 20: // button highlight
        return {Active, QPalette::Light};
    case 21: // 3D dark shadow
        return {Active, QPalette::Shadow};
    case 22: // 3D light
        return {Active, QPalette::Midlight};
    case 23: // tooltip text
        return {Active, QPalette::ToolTipText};
    case 24: // tooltip background
        return {Active, QPalette::ToolTipBase};
    case 26: // hot-tracked item
        return {Active, QPalette::Link};
    case 27: // gradient of the active caption
        return {Active, QPalette::Highlight};
    case 28: // gradient of the inactive caption
        return {QPalette::Inactive, QPalette::Highlight};
    case 29: // menu highlight
        return {Active, QPalette::Highlight};
    case 30: // menu bar
        return {Active, QPalette::Window};
    default:
        break;
    }
    // An index with no meaning reads as black.
    return {Active, QPalette::NColorRoles};
}

} // namespace

QColor OleColor::toQColor(uint32_t value)
{
    return toQColor(value, QGuiApplication::palette());
}

QColor OleColor::toQColor(uint32_t value, const QPalette &palette)
{
    if (isSystemColor(value)) {
        const SystemColor entry = systemColor(value & 0xFFu);
        if (entry.role == QPalette::NColorRoles)
            return QColor(0, 0, 0);
        return palette.color(entry.group, entry.role);
    }
    // The high byte of a plain colour only asks for palette matching on indexed displays; the
    // colour is the low three bytes.
    return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu));
}

uint32_t OleColor::fromQColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return uint32_t(rgb.red()) | (uint32_t(rgb.green()) << 8) | (uint32_t(rgb.blue()) << 16);
}

uint32_t OleColor::fromVariant(const Variant &value)
{
    switch (value.kind()) {
    case VariantKind::Single:
    case VariantKind::Double:
    case VariantKind::Currency:
    case VariantKind::String: {
        const double number = roundHalfEven(toDouble(value));
        if (number >= 2147483648.0 && number <= 4294967295.0)
            return static_cast<uint32_t>(number);
        break;
    }
    default:
        break;
    }
    return static_cast<uint32_t>(toLong(value));
}

namespace {

double relativeLuminance(const QColor &color)
{
    const auto linear
        = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF())
        + 0.0722 * linear(color.blueF());
}

constexpr double ReadableContrast = 4.5;

} // namespace

double OleColor::contrast(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor OleColor::readableOn(const QColor &text, const QColor &background)
{
    if (contrast(text, background) >= ReadableContrast)
        return text;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrast(black, background) >= contrast(white, background) ? black : white;
}

} // namespace platform
