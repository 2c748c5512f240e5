#include "TypedValues.h"

#include "../Controls/OleColor.h"
#include "../Objects/StdFont.h"
#include "../Objects/StdPicture.h"
#include "../Value/Conversions.h"
#include "../Value/RuntimeError.h"

#include <QLocale>
#include <limits>

namespace platform::typed {

Variant shortValue(int value)
{
    return Variant(toInteger(Variant(static_cast<int32_t>(value))));
}

Variant singleValue(double value)
{
    return Variant(toSingle(Variant(value)));
}

QString currencyText(const Variant &value)
{
    return toCurrency(value).toText(QLocale::c());
}

Variant currencyValue(const QString &text)
{
    return Variant(Currency::fromText(text, QLocale::c()));
}

QColor colorOf(const Variant &value, const QPalette &palette)
{
    return OleColor::toQColor(OleColor::fromVariant(value), palette);
}

Variant colorValue(const QColor &color)
{
    return OleColor::toVariant(OleColor::fromQColor(color));
}

namespace {

DispatchPtr objectOf(const Variant &value, const char *what)
{
    if (value.kind() != VariantKind::Object)
        throw RuntimeError(ErrorNumber::TypeMismatch, QString::fromLatin1(what));
    return value.object();
}

} // namespace

QFont fontOf(const Variant &value)
{
    const DispatchPtr object = objectOf(value, "Font");
    if (!object)
        return QFont();
    if (const auto font = std::dynamic_pointer_cast<StdFont>(object))
        return font->toQFont();
    // A font object of another make: its members by the font object's own ids.
    StdFont copy;
    copy.setName(toText(object->invoke(FontDispId::Name, InvokeKind::PropertyGet, {})));
    copy.setSize(toCurrency(object->invoke(FontDispId::Size, InvokeKind::PropertyGet, {})));
    copy.setWeight(toInteger(object->invoke(FontDispId::Weight, InvokeKind::PropertyGet, {})));
    copy.setItalic(toBoolean(object->invoke(FontDispId::Italic, InvokeKind::PropertyGet, {})));
    copy.setUnderline(
        toBoolean(object->invoke(FontDispId::Underline, InvokeKind::PropertyGet, {})));
    copy.setStrikethrough(
        toBoolean(object->invoke(FontDispId::Strikethrough, InvokeKind::PropertyGet, {})));
    return copy.toQFont();
}

Variant fontValue(const QFont &font)
{
    return Variant(DispatchPtr(StdFont::fromQFont(font)));
}

QPixmap pixmapOf(const Variant &value)
{
    const DispatchPtr object = objectOf(value, "Picture");
    const auto picture = std::dynamic_pointer_cast<StdPicture>(object);
    if (object && !picture)
        throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("Picture"));
    return picture && !picture->isEmpty() ? QPixmap::fromImage(picture->image()) : QPixmap();
}

Variant pictureValue(const QPixmap &pixmap)
{
    return Variant(DispatchPtr(StdPicture::fromImage(pixmap.toImage())));
}

QVariant toQVariant(const Variant &value)
{
    switch (value.kind()) {
    case VariantKind::Empty:
    case VariantKind::Object:
    case VariantKind::Error:
        return {};
    case VariantKind::Null:
        return QVariant::fromValue(nullptr);
    case VariantKind::Integer:
        return int(value.integerValue());
    case VariantKind::Long:
        return int(value.longValue());
    case VariantKind::Single:
        return value.singleValue();
    case VariantKind::Double:
    case VariantKind::Date:
        return value.doubleValue();
    case VariantKind::Currency:
        return currencyText(value);
    case VariantKind::String:
        return value.stringValue();
    case VariantKind::Boolean:
        return value.booleanValue();
    case VariantKind::Byte:
        return int(value.byteValue());
    case VariantKind::Array: {
        QVariantList list;
        for (const Variant &element : value.elements())
            list << toQVariant(element);
        return list;
    }
    }
    return {};
}

Variant fromQVariant(const QVariant &value, bool optional)
{
    if (!value.isValid())
        return optional ? Variant::missing() : Variant();
    switch (value.typeId()) {
    case QMetaType::Nullptr:
        return Variant::null();
    case QMetaType::Bool:
        return Variant(value.toBool());
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Int:
        return Variant(static_cast<int32_t>(value.toInt()));
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        // Wider integers stay Long where they fit; beyond, a Double holds them as hosts do.
        bool exact = false;
        const qlonglong wide = value.toLongLong(&exact);
        if (exact && wide >= std::numeric_limits<int32_t>::min()
            && wide <= std::numeric_limits<int32_t>::max())
            return Variant(static_cast<int32_t>(wide));
        return Variant(value.toDouble());
    }
    case QMetaType::Float:
        return Variant(value.toFloat());
    case QMetaType::Double:
        return Variant(value.toDouble());
    case QMetaType::QString:
        return Variant(value.toString());
    case QMetaType::QColor:
        return colorValue(value.value<QColor>());
    case QMetaType::QFont:
        return fontValue(value.value<QFont>());
    case QMetaType::QPixmap:
        return pictureValue(value.value<QPixmap>());
    case QMetaType::QVariantList: {
        std::vector<Variant> elements;
        for (const QVariant &element : value.toList())
            elements.push_back(fromQVariant(element));
        return Variant(std::move(elements));
    }
    default:
        throw RuntimeError(ErrorNumber::TypeMismatch,
            QStringLiteral("a %1 has no tagged form").arg(QString::fromLatin1(value.typeName())));
    }
}

} // namespace platform::typed
