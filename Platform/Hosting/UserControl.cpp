#include "UserControl.h"

#include "../Controls/AccessibleRole.h"
#include "../Objects/StdFont.h"
#include "../Value/RuntimeError.h"
#include "../Value/Units.h"

namespace platform {

namespace {

ControlContainer &requireContainer(ControlContainer *container)
{
    if (!container)
        throw RuntimeError(
            ErrorNumber::ObjectVariableNotSet, QStringLiteral("control is not sited"));
    return *container;
}

// An object handed out of a library, holding one use of the library. The use is declared
// first, so that it is given back after the object is released.
class HandedOut
{
public:
    HandedOut(std::atomic<int> &uses, DispatchPtr object) : m_use(uses), m_object(std::move(object))
    { }

private:
    class Use
    {
    public:
        explicit Use(std::atomic<int> &uses) : m_uses(uses) { ++m_uses; }
        ~Use() { --m_uses; }
        Use(const Use &) = delete;
        Use &operator=(const Use &) = delete;

    private:
        std::atomic<int> &m_uses;
    };

    Use m_use;
    DispatchPtr m_object;
};

Variant handedOut(std::atomic<int> &uses, const Variant &value)
{
    switch (value.kind()) {
    case VariantKind::Object: {
        const DispatchPtr &object = value.object();
        if (!object)
            return value;
        // Shares ownership with a holder the platform made, pointing at the same object: the
        // host sees the very object, and letting go of it runs the holder's code first.
        return Variant(DispatchPtr(std::make_shared<HandedOut>(uses, object), object.get()));
    }
    case VariantKind::Array: {
        std::vector<Variant> elements;
        elements.reserve(value.elements().size());
        for (const Variant &element : value.elements())
            elements.push_back(handedOut(uses, element));
        return Variant(std::move(elements));
    }
    default:
        return value;
    }
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
    // A control may take a negative size of its own (its widget then has none), but no size
    // beyond what windows can take.
    checkedPosition(width, QStringLiteral("Width"));
    checkedPosition(height, QStringLiteral("Height"));
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

Variant UserControl::handOut(const Variant &value) const
{
    return m_libraryUses ? handedOut(*m_libraryUses, value) : value;
}

void UserControl::setSurfaceRole(QAccessible::Role role)
{
    if (m_surface)
        setAccessibleRole(m_surface, role);
}

PropertyBag UserControl::savedState()
{
    PropertyBag written;
    UserControl_WriteProperties(written);
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("_extentx"), Variant(twipsToHimetric(Width())));
    bag.WriteProperty(QStringLiteral("_extenty"), Variant(twipsToHimetric(Height())));
    for (const auto &entry : written.entries())
        bag.WriteProperty(entry.key.toLower(), handOut(entry.value));
    return bag;
}

} // namespace platform
