#include "CommandButton.h"

#include "../Value/RuntimeError.h"

#include <QIcon>
#include <QPixmap>
#include <QPushButton>

namespace platform {

CommandButton::CommandButton(QWidget *parent, const QString &name)
{
    auto *button = new QPushButton(parent);
    m_button = button;
    button->setAutoDefault(false);
    attach(button, name, OleColor::ButtonFace, OleColor::ButtonText, QPalette::Button,
        QPalette::ButtonText);
    QObject::connect(button, &QPushButton::clicked, events(), [this] { raise(onClick); });
}

const MemberTable<CommandButton> &CommandButton::memberTable()
{
    using M = Members<CommandButton>;
    namespace Id = ControlDispId;
    static const MemberTable<CommandButton> table = [] {
        auto members = standardMembers<CommandButton>();
        const QString picture = QStringLiteral("IPictureDisp*");
        std::vector<Member<CommandButton>> own {
            M::get(QStringLiteral("Caption"), Id::Caption, QStringLiteral("BSTR"),
                [](CommandButton &c) { return Variant(c.Caption()); }),
            M::let(QStringLiteral("Caption"), Id::Caption, QStringLiteral("BSTR"),
                [](CommandButton &c, const Variant &v) { c.setCaption(toText(v)); }),
            M::get(QStringLiteral("Style"), Id::Style, QStringLiteral("short"),
                [](CommandButton &c) { return Variant(c.Style()); }),
            M::let(QStringLiteral("Style"), Id::Style, QStringLiteral("short"),
                [](CommandButton &c, const Variant &v) { c.setStyle(toInteger(v)); }),
            M::get(QStringLiteral("Picture"), Id::Picture, picture,
                [](CommandButton &c) { return Variant(DispatchPtr(c.Picture())); }),
            M::setRef(QStringLiteral("Picture"), Id::Picture, picture,
                [](CommandButton &c, const Variant &v) { c.setPicture(pictureArgument(v)); }),
        };
        members.insert(members.end(), own.begin(), own.end());
        return MemberTable<CommandButton>(QStringLiteral("CommandButton"), std::move(members));
    }();
    return table;
}

QPushButton *CommandButton::pushButton() const
{
    return m_button;
}

QString CommandButton::Caption() const
{
    return live(m_button)->text();
}

void CommandButton::setCaption(const QString &caption)
{
    live(m_button)->setText(caption);
}

void CommandButton::setStyle(int16_t style)
{
    if (style != Standard && style != Graphical)
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, QStringLiteral("Style"));
    liveWidget();
    m_style = style;
    applyPicture();
}

void CommandButton::setPicture(StdPicturePtr picture)
{
    liveWidget();
    m_picture = std::move(picture);
    applyPicture();
}

void CommandButton::applyPicture()
{
    QPushButton *button = live(m_button);
    if (m_style != Graphical || !m_picture || m_picture->isEmpty()) {
        button->setIcon(QIcon());
        return;
    }
    const QImage &image = m_picture->image();
    QIcon icon(QPixmap::fromImage(image));
    // The icon picks the rendition that matches the screen's density; the size stays the
    // picture's own.
    if (!m_picture->imageAt2x().isNull())
        icon.addPixmap(QPixmap::fromImage(m_picture->imageAt2x()));
    button->setIcon(icon);
    button->setIconSize(image.size());
}

} // namespace platform
