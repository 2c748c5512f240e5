#include "UserControl.h"

#include <Controls/StdFont.h>
#include <Value/RuntimeError.h>
#include <Value/Units.h>

namespace platform {

namespace {

ControlContainer &requireContainer(ControlContainer *container)
{
    if (!container)
        throw RuntimeError(
            ErrorNumber::ObjectVariableNotSet, QStringLiteral("control is not sited"));
    return *container;
}

} // namespace

bool AmbientProperties::UserMode() const
{
    // An unsited control behaves as in run mode.
    return m_control.container() ? m_control.container()->ambientUserMode() : true;
}

std::shared_ptr<StdFont> AmbientProperties::Font() const
{
    return m_control.container() ? m_control.container()->ambientFont()
                                 : std::make_shared<StdFont>();
}

uint32_t AmbientProperties::ForeColor() const
{
    // Window text, the container's default.
    return m_control.container() ? m_control.container()->ambientForeColor() : 0x80000008u;
}

UserControl::UserControl() : m_surface(new QWidget) { }

UserControl::~UserControl()
{
    delete m_surface.data();
}

void UserControl::setWidth(double twips)
{
    if (twips != m_width)
        applyExtent(twips, m_height);
}

void UserControl::setHeight(double twips)
{
    if (twips != m_height)
        applyExtent(m_width, twips);
}

void UserControl::setExtent(double width, double height)
{
    applyExtent(width, height);
}

void UserControl::applyExtent(double width, double height)
{
    m_width = width;
    m_height = height;
    if (m_surface)
        m_surface->resize(
            twipsToPixels(std::max(width, 0.0)), twipsToPixels(std::max(height, 0.0)));
    if (m_container)
        m_container->extentChanged(width, height);
    UserControl_Resize();
}

void UserControl::setFont(std::shared_ptr<StdFont> font)
{
    m_font = std::move(font);
    if (m_font && m_surface)
        m_surface->setFont(m_font->toQFont());
}

void UserControl::Refresh()
{
    if (m_surface)
        m_surface->update();
}

DispatchPtr UserControl::Parent() const
{
    return requireContainer(m_container).parent();
}

void UserControl::PropertyChanged(const QString &name)
{
    if (m_container)
        m_container->propertyChanged(name);
}

void UserControl::RaiseEvent(DispId id, const Args &args)
{
    if (m_container)
        m_container->raiseEvent(id, args);
}

} // namespace platform
