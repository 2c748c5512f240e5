#include "StdFont.h"

#include "../Value/Conversions.h"

#include <vector>

namespace platform {

StdFont::StdFont() : m_name(QStringLiteral("MS Sans Serif")), m_size(Currency::fromRaw(82500)) { }

const MemberTable<StdFont> &StdFont::memberTable()
{
    using M = Members<StdFont>;
    namespace Id = FontDispId;
    static const MemberTable<StdFont> table(QStringLiteral("StdFont"),
        {
            M::get(QStringLiteral("Name"), Id::Name, QStringLiteral("BSTR"),
                [](StdFont &f) { return Variant(f.Name()); }),
            M::let(QStringLiteral("Name"), Id::Name, QStringLiteral("BSTR"),
                [](StdFont &f, const Variant &v) { f.setName(toText(v)); }),
            M::get(QStringLiteral("Size"), Id::Size, QStringLiteral("CY"),
                [](StdFont &f) { return Variant(f.Size()); }),
            M::let(QStringLiteral("Size"), Id::Size, QStringLiteral("CY"),
                [](StdFont &f, const Variant &v) { f.setSize(toCurrency(v)); }),
            M::get(QStringLiteral("Bold"), Id::Bold, QStringLiteral("VARIANT_BOOL"),
                [](StdFont &f) { return Variant(f.Bold()); }),
            M::let(QStringLiteral("Bold"), Id::Bold, QStringLiteral("VARIANT_BOOL"),
                [](StdFont &f, const Variant &v) { f.setBold(toBoolean(v)); }),
            M::get(QStringLiteral("Italic"), Id::Italic, QStringLiteral("VARIANT_BOOL"),
                [](StdFont &f) { return Variant(f.Italic()); }),
            M::let(QStringLiteral("Italic"), Id::Italic, QStringLiteral("VARIANT_BOOL"),
                [](StdFont &f, const Variant &v) { f.setItalic(toBoolean(v)); }),
            M::get(QStringLiteral("Underline"), Id::Underline, QStringLiteral("VARIANT_BOOL"),
                [](StdFont &f) { return Variant(f.Underline()); }),
            M::let(QStringLiteral("Underline"), Id::Underline, QStringLiteral("VARIANT_BOOL"),
                [](StdFont &f, const Variant &v) { f.setUnderline(toBoolean(v)); }),
            M::get(QStringLiteral("Strikethrough"), Id::Strikethrough,
                QStringLiteral("VARIANT_BOOL"),
                [](StdFont &f) { return Variant(f.Strikethrough()); }),
            M::let(QStringLiteral("Strikethrough"), Id::Strikethrough,
                QStringLiteral("VARIANT_BOOL"),
                [](StdFont &f, const Variant &v) { f.setStrikethrough(toBoolean(v)); }),
            M::get(QStringLiteral("Weight"), Id::Weight, QStringLiteral("short"),
                [](StdFont &f) { return Variant(f.Weight()); }),
            M::let(QStringLiteral("Weight"), Id::Weight, QStringLiteral("short"),
                [](StdFont &f, const Variant &v) { f.setWeight(toInteger(v)); }),
            M::get(QStringLiteral("Charset"), Id::Charset, QStringLiteral("short"),
                [](StdFont &f) { return Variant(f.Charset()); }),
            M::let(QStringLiteral("Charset"), Id::Charset, QStringLiteral("short"),
                [](StdFont &f, const Variant &v) { f.setCharset(toInteger(v)); }),
        });
    return table;
}

void StdFont::setName(const QString &name)
{
    if (name.isEmpty())
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, QStringLiteral("Font.Name"));
    m_name = name;
    notify(QStringLiteral("Name"));
}

void StdFont::setSize(Currency size)
{
    if (size <= Currency())
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, QStringLiteral("Font.Size"));
    m_size = size;
    notify(QStringLiteral("Size"));
}

void StdFont::setBold(bool bold)
{
    m_weight = bold ? BoldWeight : NormalWeight;
    notify(QStringLiteral("Bold"));
}

void StdFont::setItalic(bool italic)
{
    m_italic = italic;
    notify(QStringLiteral("Italic"));
}

void StdFont::setUnderline(bool underline)
{
    m_underline = underline;
    notify(QStringLiteral("Underline"));
}

void StdFont::setStrikethrough(bool strikethrough)
{
    m_strikethrough = strikethrough;
    notify(QStringLiteral("Strikethrough"));
}

void StdFont::setWeight(int16_t weight)
{
    if (weight < 0 || weight > 1000)
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, QStringLiteral("Font.Weight"));
    m_weight = weight;
    notify(QStringLiteral("Weight"));
}

void StdFont::setCharset(int16_t charset)
{
    m_charset = charset;
    notify(QStringLiteral("Charset"));
}

int StdFont::connect(Listener listener)
{
    const int id = m_nextListenerId++;
    m_listeners.emplace(id, std::move(listener));
    return id;
}

void StdFont::disconnect(int id)
{
    m_listeners.erase(id);
}

void StdFont::assign(const StdFont &other)
{
    m_name = other.m_name;
    m_size = other.m_size;
    m_weight = other.m_weight;
    m_italic = other.m_italic;
    m_underline = other.m_underline;
    m_strikethrough = other.m_strikethrough;
    m_charset = other.m_charset;
}

std::shared_ptr<StdFont> StdFont::clone() const
{
    auto copy = std::make_shared<StdFont>();
    copy->assign(*this);
    return copy;
}

QFont StdFont::toQFont() const
{
    QFont font(m_name);
    font.setPointSizeF(m_size.toDouble());
    // Weight 0 asks for the face's default weight.
    font.setWeight(QFont::Weight(m_weight == 0 ? NormalWeight : m_weight));
    font.setItalic(m_italic);
    font.setUnderline(m_underline);
    font.setStrikeOut(m_strikethrough);
    return font;
}

std::shared_ptr<StdFont> StdFont::fromQFont(const QFont &qt)
{
    auto font = std::make_shared<StdFont>();
    if (!qt.family().isEmpty())
        font->m_name = qt.family();
    font->m_size = Currency::fromDouble(qt.pointSizeF() > 0 ? qt.pointSizeF() : 8.25);
    font->m_weight = static_cast<int16_t>(qt.weight());
    font->m_italic = qt.italic();
    font->m_underline = qt.underline();
    font->m_strikethrough = qt.strikeOut();
    return font;
}

void StdFont::notify(const QString &propertyName)
{
    // A listener may connect or disconnect others (or itself) while it runs: walk a snapshot
    // of the ids and skip those gone meanwhile.
    std::vector<int> ids;
    ids.reserve(m_listeners.size());
    for (const auto &entry : m_listeners)
        ids.push_back(entry.first);
    for (const int id : ids) {
        const auto found = m_listeners.find(id);
        if (found == m_listeners.end())
            continue;
        const Listener listener = found->second;
        listener(propertyName);
    }
}

} // namespace platform
