#include "StandardControl.h"

#include "TabOrder.h"

#include "../Value/RuntimeError.h"
#include "../Value/Units.h"

#include <QAccessible>
#include <QApplication>
#include <algorithm>
#include <vector>

namespace platform {

StandardControl::StandardControl()
    : m_events(std::make_unique<ControlEventFilter>(nullptr)), m_font(std::make_shared<StdFont>())
{ }

StandardControl::~StandardControl()
{
    m_font->disconnect(m_fontListener);
    // The filter goes first: deleting the widget sends it focus and other events that must not
    // reach a control that is being destroyed.
    m_events.reset();
    delete m_widget.data();
}

void StandardControl::attach(QWidget *widget, const QString &name, uint32_t backColor,
    uint32_t foreColor, QPalette::ColorRole backRole, QPalette::ColorRole foreRole)
{
    m_widget = widget;
    m_name = name;
    widget->setObjectName(name);
    m_backColor = backColor;
    m_foreColor = foreColor;
    m_backRole = backRole;
    m_foreRole = foreRole;

    const QRect geometry = widget->geometry();
    m_left = pixelsToTwips(geometry.x());
    m_top = pixelsToTwips(geometry.y());
    m_width = pixelsToTwips(geometry.width());
    m_height = pixelsToTwips(geometry.height());

    // New controls go after the ones already on the same parent.
    m_tabIndex = static_cast<int16_t>(std::min(TabOrder::join(widget), int(INT16_MAX)));

    m_fontListener = m_font->connect([this](const QString &) { applyFont(); });
    applyFont();
    applyColors();
    applyGeometry();
    // A child is visible from the start; a top-level widget waits for Visible.
    if (widget->parentWidget())
        widget->show();
}

QWidget *StandardControl::liveWidget() const
{
    if (!m_widget)
        throw RuntimeError(ErrorNumber::ObjectVariableNotSet,
            QStringLiteral("the window of %1 was destroyed").arg(m_name));
    return m_widget;
}

void StandardControl::setLeft(double twips)
{
    m_left = checkedPosition(twips, QStringLiteral("Left"));
    applyGeometry();
}

void StandardControl::setTop(double twips)
{
    m_top = checkedPosition(twips, QStringLiteral("Top"));
    applyGeometry();
}

void StandardControl::setWidth(double twips)
{
    m_width = checkedSize(twips, QStringLiteral("Width"));
    applyGeometry();
}

double StandardControl::Height() const
{
    const int fixed = fixedPixelHeight();
    return fixed >= 0 ? pixelsToTwips(fixed) : m_height;
}

void StandardControl::setHeight(double twips)
{
    checkedSize(twips, QStringLiteral("Height"));
    // A height the font fixes ignores the request.
    if (fixedPixelHeight() >= 0)
        return;
    m_height = twips;
    applyGeometry();
}

void StandardControl::applyGeometry()
{
    QWidget *widget = liveWidget();
    const int fixed = fixedPixelHeight();
    widget->setGeometry(twipsToPixels(m_left), twipsToPixels(m_top), twipsToPixels(m_width),
        fixed >= 0 ? fixed : twipsToPixels(m_height));
    geometryApplied();
}

bool StandardControl::Visible() const
{
    return !liveWidget()->isHidden();
}

void StandardControl::setVisible(bool visible)
{
    // Hiding the focused widget moves the focus, which reports at once.
    NotificationScope scope;
    liveWidget()->setVisible(visible);
    scope.finish();
}

bool StandardControl::Enabled() const
{
    return liveWidget()->isEnabled();
}

void StandardControl::setEnabled(bool enabled)
{
    NotificationScope scope;
    liveWidget()->setEnabled(enabled);
    scope.finish();
}

void StandardControl::setTabIndex(int16_t index)
{
    if (index < 0)
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, QStringLiteral("TabIndex"));
    QWidget *widget = liveWidget();
    m_tabIndex = index;
    TabOrder::setIndex(widget, index);
}

void StandardControl::setBackColor(uint32_t oleColor)
{
    m_backColor = oleColor;
    applyColors();
}

void StandardControl::setForeColor(uint32_t oleColor)
{
    m_foreColor = oleColor;
    applyColors();
}

void StandardControl::applyColors()
{
    QWidget *widget = liveWidget();
    QPalette palette = widget->palette();
    const QColor back = OleColor::toQColor(m_backColor);
    QColor fore = OleColor::toQColor(m_foreColor);
    // A system text colour follows the palette, a colour the host stored does not: in a dark
    // palette light text would land on a stored light ground. Only what is shown changes.
    if (OleColor::isSystemColor(m_foreColor) && !OleColor::isSystemColor(m_backColor))
        fore = OleColor::readableOn(fore, back);
    // The disabled group keeps the style's greyed-out look.
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, m_backRole, back);
        palette.setColor(group, m_foreRole, fore);
    }
    widget->setPalette(palette);
}

void StandardControl::setFont(const StdFont &font)
{
    m_font->assign(font);
    applyFont();
}

void StandardControl::setFont(const StdFontPtr &font)
{
    if (!font)
        throw RuntimeError(ErrorNumber::ObjectVariableNotSet, QStringLiteral("Font"));
    setFont(*font);
}

void StandardControl::applyFont()
{
    liveWidget()->setFont(m_font->toQFont());
    fontApplied();
    // A height that follows the font moves with it.
    if (fixedPixelHeight() >= 0)
        applyGeometry();
}

void StandardControl::SetFocus()
{
    NotificationScope scope;
    if (m_widget)
        m_widget->setFocus(Qt::OtherFocusReason);
    scope.finish();
}

bool StandardControl::hasFocus() const
{
    QWidget *focus = QApplication::focusWidget();
    return m_widget && focus && (focus == m_widget || m_widget->isAncestorOf(focus));
}

QString StandardControl::accessibleName() const
{
    return liveWidget()->accessibleName();
}

void StandardControl::setAccessibleName(const QString &name)
{
    liveWidget()->setAccessibleName(name);
}

QString StandardControl::accessibleDescription() const
{
    return liveWidget()->accessibleDescription();
}

void StandardControl::setAccessibleDescription(const QString &description)
{
    QWidget *widget = liveWidget();
    if (widget->accessibleDescription() == description)
        return;
    widget->setAccessibleDescription(description);
    // The toolkit does not tell assistive technology of the change by itself.
    QAccessibleEvent changed(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

QString StandardControl::ToolTipText() const
{
    return liveWidget()->toolTip();
}

void StandardControl::setToolTipText(const QString &text)
{
    liveWidget()->setToolTip(text);
}

void StandardControl::Refresh()
{
    QWidget *widget = liveWidget();
    if (widget->isVisible())
        widget->repaint();
}

const StdFont &StandardControl::fontArgument(const Variant &value)
{
    if (value.kind() != VariantKind::Object)
        throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("Font"));
    if (!value.object())
        throw RuntimeError(ErrorNumber::ObjectVariableNotSet, QStringLiteral("Font"));
    const auto font = std::dynamic_pointer_cast<StdFont>(value.object());
    if (!font)
        throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("Font"));
    return *font;
}

StdPicturePtr StandardControl::pictureArgument(const Variant &value)
{
    if (value.kind() != VariantKind::Object)
        throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("Picture"));
    if (!value.object())
        return nullptr;
    auto picture = std::dynamic_pointer_cast<StdPicture>(value.object());
    if (!picture)
        throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("Picture"));
    return picture;
}

} // namespace platform
