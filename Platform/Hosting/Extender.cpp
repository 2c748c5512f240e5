#include "Extender.h"

#include "ControlSite.h"

#include "../Value/Conversions.h"
#include "../Value/RuntimeError.h"

namespace platform {

ControlSite &Extender::site() const
{
    if (!m_site)
        throw RuntimeError(
            ErrorNumber::ObjectVariableNotSet, QStringLiteral("the control is gone"));
    return *m_site;
}

const MemberTable<Extender> &Extender::memberTable()
{
    using M = Members<Extender>;
    static const MemberTable<Extender> table(QStringLiteral("Extender"),
        {
            M::get("Name", ExtenderDispId::Name, "BSTR",
                [](Extender &e) { return Variant(e.site().name()); }),
            M::get("Left", ExtenderDispId::Left, "single",
                [](Extender &e) { return Variant(static_cast<float>(e.site().Left())); }),
            M::let("Left", ExtenderDispId::Left, "single",
                [](Extender &e, const Variant &v) { e.site().setLeft(toSingle(v)); }),
            M::get("Top", ExtenderDispId::Top, "single",
                [](Extender &e) { return Variant(static_cast<float>(e.site().Top())); }),
            M::let("Top", ExtenderDispId::Top, "single",
                [](Extender &e, const Variant &v) { e.site().setTop(toSingle(v)); }),
            M::get("Width", ExtenderDispId::Width, "single",
                [](Extender &e) { return Variant(static_cast<float>(e.site().Width())); }),
            M::let("Width", ExtenderDispId::Width, "single",
                [](Extender &e, const Variant &v) { e.site().setWidth(toSingle(v)); }),
            M::get("Height", ExtenderDispId::Height, "single",
                [](Extender &e) { return Variant(static_cast<float>(e.site().Height())); }),
            M::let("Height", ExtenderDispId::Height, "single",
                [](Extender &e, const Variant &v) { e.site().setHeight(toSingle(v)); }),
            M::get("Visible", ExtenderDispId::Visible, "VARIANT_BOOL",
                [](Extender &e) { return Variant(e.site().Visible()); }),
            M::let("Visible", ExtenderDispId::Visible, "VARIANT_BOOL",
                [](Extender &e, const Variant &v) { e.site().setVisible(toBoolean(v)); }),
            M::get("Parent", ExtenderDispId::Parent, "IDispatch*",
                [](Extender &e) { return Variant(e.site().parent()); }),
        });
    return table;
}

} // namespace platform
