#include "TestControl.h"

#include "../../Value/Conversions.h"
#include "../../Value/RuntimeError.h"

using namespace platform;

namespace {

// An error number of the control's own, as controls raise them.
constexpr int32_t ControlError = 31001;

} // namespace

const MemberTable<TestControl> &TestControl::memberTable()
{
    using M = Members<TestControl>;
    static const MemberTable<TestControl> table(QStringLiteral("TestControl"),
        {
            M::get(
                "Caption", 0x68030000, "BSTR", [](TestControl &c) { return Variant(c.m_caption); }),
            M::let("Caption", 0x68030000, "BSTR",
                [](TestControl &c, const Variant &v) {
                    c.m_caption = toText(v);
                    c.PropertyChanged(QStringLiteral("Caption"));
                }),
            M::get("Count", 0x68030001, "long", [](TestControl &c) { return Variant(c.m_count); }),
            M::let("Count", 0x68030001, "long",
                [](TestControl &c, const Variant &v) {
                    c.m_count = toLong(v);
                    c.PropertyChanged(QStringLiteral("Count"));
                }),
            M::let("Secret", 0x68030002, "BSTR", [](TestControl &, const Variant &) {}),
            M::get("Log", 0x68030003, "BSTR",
                [](TestControl &c) { return Variant(c.m_log.join(u';')); }),
            M::method("Fire", 0x60030000, {{"Value", "VARIANT", true, true}}, "void",
                [](TestControl &c, const Args &a) {
                    c.RaiseEvent(1, a[0].isMissing() ? Args {} : Args {a[0]});
                    return Variant();
                }),
            M::method("Fail", 0x60030001,
                [](TestControl &) {
                    throw RuntimeError(
                        ControlError, QStringLiteral("Test control failed on purpose"));
                }),
            M::method("ParentWidth", 0x60030002, {}, "single",
                [](TestControl &c, const Args &) { return c.Parent()->get("Width"); }),
            M::get("UserMode", 0x68030004, "VARIANT_BOOL",
                [](TestControl &c) { return Variant(c.Ambient().UserMode()); }),
            M::method("GrowBy", 0x60030003, {{"Twips", "single"}}, "void",
                [](TestControl &c, const Args &a) {
                    c.setWidth(c.Width() + toDouble(a[0]));
                    return Variant();
                }),
        });
    return table;
}

void TestControl::UserControl_Initialize()
{
    m_log << QStringLiteral("Initialize");
}

void TestControl::UserControl_ReadProperties(PropertyBag &bag)
{
    m_log << QStringLiteral("ReadProperties");
    m_failIn = toText(bag.ReadProperty(QStringLiteral("FailIn"), QString()));
    m_caption = toText(bag.ReadProperty(QStringLiteral("Caption"), QStringLiteral("Hello")));
    m_count = toLong(bag.ReadProperty(QStringLiteral("Count"), 7));
    m_ratio = toDouble(bag.ReadProperty(QStringLiteral("Ratio"), 0.5));
    m_flag = toBoolean(bag.ReadProperty(QStringLiteral("Flag"), false));
    if (m_failIn == u"ReadProperties")
        throw RuntimeError(ControlError, QStringLiteral("ReadProperties failed on purpose"));
}

void TestControl::UserControl_Resize()
{
    m_log << QStringLiteral("Resize");
    if (m_failIn == u"Resize")
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, QStringLiteral("Resize"));
}

void TestControl::UserControl_WriteProperties(PropertyBag &bag)
{
    m_log << QStringLiteral("WriteProperties");
    bag.WriteProperty(QStringLiteral("Caption"), m_caption);
    bag.WriteProperty(QStringLiteral("Count"), m_count);
    bag.WriteProperty(QStringLiteral("Ratio"), m_ratio);
    bag.WriteProperty(QStringLiteral("Flag"), m_flag);
}
