#pragma once

#include "../QuillPlatformExport.h"

#include "../Value/Currency.h"
#include "MemberTable.h"

#include <QFont>
#include <QString>
#include <functional>
#include <map>
#include <memory>

namespace platform {

/// Member ids of the font object, numbered as the component model's font object numbers them,
/// so that hosts asking by those numbers find them.
namespace FontDispId {
///@{
/// The ids of the attributes of the same names.
constexpr DispId Name = 0;
constexpr DispId Size = 2;
constexpr DispId Bold = 3;
constexpr DispId Italic = 4;
constexpr DispId Underline = 5;
constexpr DispId Strikethrough = 6;
constexpr DispId Weight = 7;
constexpr DispId Charset = 8;
///@}
} // namespace FontDispId

/// The standard font object: a set of attributes that controls copy into their widgets, with a
/// change notification that listeners use to follow it. Every put of an attribute notifies,
/// even when the value does not change, after the value is stored.
class QUILL_PLATFORM_EXPORT StdFont : public DispatchFromTable<StdFont>
{
public:
    /// Told the name of the attribute that was put.
    using Listener = std::function<void(const QString &propertyName)>;

    ///@{
    /// The weights setting Bold gives; Bold reads true from 550 up.
    static constexpr int16_t NormalWeight = 400;
    static constexpr int16_t BoldWeight = 700;
    ///@}

    /// "MS Sans Serif", 8.25 points, regular.
    StdFont();

    /// The members late-bound callers reach.
    static const MemberTable<StdFont> &memberTable();

    ///@{
    /// The typeface's name.
    QString Name() const { return m_name; }
    void setName(const QString &name);
    ///@}
    ///@{
    /// Points, in ten-thousandths.
    Currency Size() const { return m_size; }
    void setSize(Currency size);
    ///@}
    ///@{
    /// The style attributes; setting Bold sets the weight to BoldWeight or NormalWeight.
    bool Bold() const { return m_weight >= BoldThreshold; }
    void setBold(bool bold);
    bool Italic() const { return m_italic; }
    void setItalic(bool italic);
    bool Underline() const { return m_underline; }
    void setUnderline(bool underline);
    bool Strikethrough() const { return m_strikethrough; }
    void setStrikethrough(bool strikethrough);
    ///@}
    ///@{
    /// The weight, 0 (the face's default) to 1000; Invalid property value outside.
    int16_t Weight() const { return m_weight; }
    void setWeight(int16_t weight);
    ///@}
    ///@{
    /// The character set code.
    int16_t Charset() const { return m_charset; }
    void setCharset(int16_t charset);
    ///@}

    /// Listeners run in the order they connected; the id disconnects.
    int connect(Listener listener);
    /// Stops the listener `connect` returned the id of.
    void disconnect(int id);

    /// Copies every attribute of another font without notifying: the caller applies the result
    /// itself. Listeners stay.
    void assign(const StdFont &other);
    /// A new font with the same attributes and no listeners.
    std::shared_ptr<StdFont> clone() const;

    /// The toolkit's font with these attributes.
    QFont toQFont() const;
    /// A font with a QFont's attributes (8.25 points when it has no point size).
    static std::shared_ptr<StdFont> fromQFont(const QFont &font);

private:
    // Weights from here up read as bold, semibold included.
    static constexpr int16_t BoldThreshold = 550;

    void notify(const QString &propertyName);

    QString m_name;
    Currency m_size;
    int16_t m_weight = NormalWeight;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikethrough = false;
    int16_t m_charset = 0;
    std::map<int, Listener> m_listeners;
    int m_nextListenerId = 1;
};

/// A shared font object.
using StdFontPtr = std::shared_ptr<StdFont>;

} // namespace platform
