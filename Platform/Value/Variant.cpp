#include "Variant.h"

namespace platform {

Variant Variant::null()
{
    Variant v;
    v.m_kind = VariantKind::Null;
    return v;
}

Variant Variant::date(double oleDate)
{
    Variant v(oleDate);
    v.m_kind = VariantKind::Date;
    return v;
}

Variant Variant::error(int32_t code)
{
    Variant v(code);
    v.m_kind = VariantKind::Error;
    return v;
}

const std::vector<Variant> &Variant::elements() const
{
    return *std::get<std::shared_ptr<const std::vector<Variant>>>(m_value);
}

QString Variant::typeName() const
{
    switch (m_kind) {
    case VariantKind::Empty:
        return QStringLiteral("Empty");
    case VariantKind::Null:
        return QStringLiteral("Null");
    case VariantKind::Integer:
        return QStringLiteral("Integer");
    case VariantKind::Long:
        return QStringLiteral("Long");
    case VariantKind::Single:
        return QStringLiteral("Single");
    case VariantKind::Double:
        return QStringLiteral("Double");
    case VariantKind::Currency:
        return QStringLiteral("Currency");
    case VariantKind::Date:
        return QStringLiteral("Date");
    case VariantKind::String:
        return QStringLiteral("String");
    case VariantKind::Object:
        return object() ? QStringLiteral("Object") : QStringLiteral("Nothing");
    case VariantKind::Error:
        return QStringLiteral("Error");
    case VariantKind::Boolean:
        return QStringLiteral("Boolean");
    case VariantKind::Byte:
        return QStringLiteral("Byte");
    case VariantKind::Array:
        return QStringLiteral("Variant()");
    }
    return QStringLiteral("Unknown");
}

bool Variant::operator==(const Variant &other) const
{
    if (m_kind != other.m_kind)
        return false;
    if (m_kind == VariantKind::Array)
        return elements() == other.elements();
    return m_value == other.m_value;
}

QString describe(const Variant &value)
{
    QString text = value.typeName();
    switch (value.kind()) {
    case VariantKind::Integer:
    case VariantKind::Boolean:
        return text + QStringLiteral("(%1)").arg(value.integerValue());
    case VariantKind::Long:
    case VariantKind::Error:
        return text + QStringLiteral("(%1)").arg(value.longValue());
    case VariantKind::Single:
        return text + QStringLiteral("(%1)").arg(double(value.singleValue()), 0, 'g', 9);
    case VariantKind::Double:
    case VariantKind::Date:
        return text + QStringLiteral("(%1)").arg(value.doubleValue(), 0, 'g', 17);
    case VariantKind::Currency:
        return text + QStringLiteral("(%1)").arg(value.currencyValue().toText(QLocale::c()));
    case VariantKind::Byte:
        return text + QStringLiteral("(%1)").arg(value.byteValue());
    case VariantKind::String:
        return text + QStringLiteral("(\"%1\")").arg(value.stringValue());
    case VariantKind::Array: {
        QStringList parts;
        for (const Variant &element : value.elements())
            parts << describe(element);
        return QStringLiteral("Array(%1)").arg(parts.join(QStringLiteral(", ")));
    }
    default:
        return text;
    }
}

} // namespace platform
