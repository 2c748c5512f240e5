#include "ControlSite.h"

#include "../Objects/TypeInfo.h"
#include "Extender.h"
#include "HostForm.h"

#include "../Controls/NotificationScope.h"
#include "../Controls/TabOrder.h"
#include "../Objects/StdFont.h"
#include "../Value/Conversions.h"
#include "../Value/RuntimeError.h"
#include "../Value/Units.h"

namespace platform {

ControlSite::ControlSite(HostForm &form, const QString &name, std::shared_ptr<UserControl> control,
    const Registry::ClassEntry &entry)
    : m_form(&form), m_name(name), m_entry(entry), m_control(std::move(control)),
      m_extender(std::make_shared<Extender>(this))
{
    QWidget *surface = m_control->surface();
    surface->setObjectName(name);
    // Assistive technology knows the control, and each constituent the control left unnamed,
    // by the name the host gave it.
    surface->setAccessibleName(name);
    for (QWidget *constituent : surface->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (constituent->accessibleName().isEmpty())
            constituent->setAccessibleName(name);
    }
    surface->setParent(form.window());
    TabOrder::join(surface);
    m_control->setContainer(this);
    updateVisibility();
}

ControlSite::~ControlSite()
{
    m_extender->detach();
    m_control->setContainer(nullptr);
    // The surface leaves the form's window so that it goes with the control, not the window.
    if (QWidget *surface = m_control->surface())
        surface->setParent(nullptr);
}

DispatchPtr ControlSite::extender() const
{
    return m_extender;
}

PropertyBag ControlSite::save()
{
    PropertyBag bag = m_control->savedState();
    m_changed.clear();
    return bag;
}

void ControlSite::setLeft(double twips)
{
    m_left = checkedPosition(twips, QStringLiteral("Left"));
    widget()->move(twipsToPixels(m_left), twipsToPixels(m_top));
}

void ControlSite::setTop(double twips)
{
    m_top = checkedPosition(twips, QStringLiteral("Top"));
    widget()->move(twipsToPixels(m_left), twipsToPixels(m_top));
}

void ControlSite::setWidth(double twips)
{
    m_control->setWidth(checkedSize(twips, QStringLiteral("Width")));
}

void ControlSite::setHeight(double twips)
{
    m_control->setHeight(checkedSize(twips, QStringLiteral("Height")));
}

void ControlSite::setVisible(bool visible)
{
    m_visible = visible;
    updateVisibility();
}

void ControlSite::updateVisibility()
{
    if (!m_form)
        return;
    const bool hiddenAtRunTime
        = (m_entry.miscStatus & MiscStatus::InvisibleAtRunTime) && m_form->userMode();
    widget()->setVisible(m_visible && !hiddenAtRunTime);
}

void ControlSite::formGone()
{
    m_form = nullptr;
    m_control->setContainer(nullptr);
}

// The control asks for these only while it is sited, which ends before the form goes.
bool ControlSite::ambientUserMode() const
{
    return m_form->userMode();
}

std::shared_ptr<StdFont> ControlSite::ambientFont() const
{
    return m_form->Font();
}

uint32_t ControlSite::ambientForeColor() const
{
    return m_form->ForeColor();
}

DispatchPtr ControlSite::parent() const
{
    return m_form->dispatch();
}

void ControlSite::propertyChanged(const QString &name)
{
    m_changed.append(name);
}

void ControlSite::raiseEvent(DispId id, const Args &args)
{
    if (!onEvent)
        return;
    // The handler may destroy the form, and with it this site: it runs from a copy, and what
    // it destroys waits until the control's code that raised the event is done with it.
    const RunningHandler running;
    const auto handler = onEvent;
    Args handed;
    handed.reserve(args.size());
    for (const Variant &arg : args)
        handed.push_back(m_control->handOut(arg));
    handler(id, handed);
}

void ControlSite::extentChanged(double, double)
{
    // The surface already has its new size; the extender reads the size from the control.
}

void ControlSite::setTabIndex(int32_t index)
{
    const int16_t checked = toInteger(Variant(index));
    if (checked < 0)
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, QStringLiteral("TabIndex"));
    m_tabIndex = checked;
    TabOrder::setIndex(widget(), checked);
}

} // namespace platform
