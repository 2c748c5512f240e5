#include "TypedControl.h"

#include "../../Controls/OleColor.h"
#include "../../Objects/StdFont.h"
#include "../../Value/Conversions.h"

using namespace platform;

namespace {

// The events' ids.
constexpr DispId ChangedEvent = 1;
constexpr DispId MovedEvent = 2;
constexpr DispId HandedEvent = 3;

} // namespace

TypedControl::TypedControl()
    : m_tint(OleColor::WindowBackground), m_picture(StdPicture::empty()) { }

EnumInfo TypedControl::shapeEnum()
{
    return {QStringLiteral("ShapeKind"),
        {{QStringLiteral("shpCircle"), 0, {}}, {QStringLiteral("shpSquare"), 1, {}},
            {QStringLiteral("shpStar"), 7, {}}}};
}

std::vector<MemberInfo> TypedControl::events()
{
    return {{QStringLiteral("Changed"), ChangedEvent, InvokeKind::Method, QStringLiteral("void"),
                {{"Text", "BSTR"}, {"Count", "long"}, {"Small", "short"}, {"Ratio", "single"},
                    {"Flag", "VARIANT_BOOL"}, {"Amount", "CY"}, {"Tint", "OLE_COLOR"},
                    {"Shape", "ShapeKind"}, {"Value", "VARIANT"}},
                {}},
        {QStringLiteral("Moved"), MovedEvent, InvokeKind::Method, QStringLiteral("void"), {}, {}},
        {QStringLiteral("Handed"), HandedEvent, InvokeKind::Method, QStringLiteral("void"),
            {{"Item", "IDispatch*"}}, {}}};
}

const MemberTable<TypedControl> &TypedControl::memberTable()
{
    using M = Members<TypedControl>;
    using C = TypedControl;
    static const MemberTable<TypedControl> table(QStringLiteral("TypedControl"),
        {
            M::get("Caption", 0x68030000, "BSTR", [](C &c) { return Variant(c.m_caption); }),
            M::let("Caption", 0x68030000, "BSTR",
                [](C &c, const Variant &v) { c.m_caption = toText(v); }),
            M::get("Count", 0x68030001, "long", [](C &c) { return Variant(c.m_count); }),
            M::let("Count", 0x68030001, "long", [](C &c, const Variant &v) { c.m_count = toLong(v); }),
            M::get("Small", 0x68030002, "short", [](C &c) { return Variant(c.m_small); }),
            M::let("Small", 0x68030002, "short",
                [](C &c, const Variant &v) { c.m_small = toInteger(v); }),
            M::get("Ratio", 0x68030003, "single", [](C &c) { return Variant(c.m_ratio); }),
            M::let("Ratio", 0x68030003, "single",
                [](C &c, const Variant &v) { c.m_ratio = toSingle(v); }),
            M::get("Precise", 0x68030004, "double", [](C &c) { return Variant(c.m_precise); }),
            M::let("Precise", 0x68030004, "double",
                [](C &c, const Variant &v) { c.m_precise = toDouble(v); }),
            M::get("Flag", 0x68030005, "VARIANT_BOOL", [](C &c) { return Variant(c.m_flag); }),
            M::let("Flag", 0x68030005, "VARIANT_BOOL",
                [](C &c, const Variant &v) { c.m_flag = toBoolean(v); }),
            M::get("Amount", 0x68030006, "CY", [](C &c) { return Variant(c.m_amount); }),
            M::let("Amount", 0x68030006, "CY",
                [](C &c, const Variant &v) { c.m_amount = toCurrency(v); }),
            M::get("Tint", 0x68030007, "OLE_COLOR",
                [](C &c) { return OleColor::toVariant(c.m_tint); }),
            M::let("Tint", 0x68030007, "OLE_COLOR",
                [](C &c, const Variant &v) { c.m_tint = OleColor::fromVariant(v); }),
            M::get("Font", StandardDispId::Font, "IFontDisp*",
                [](C &c) { return Variant(DispatchPtr(c.Font())); }),
            M::setRef("Font", StandardDispId::Font, "IFontDisp*",
                [](C &c, const Variant &v) {
                    const auto font = std::dynamic_pointer_cast<StdFont>(v.object());
                    if (!font)
                        throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("Font"));
                    c.setFont(font->clone());
                }),
            M::get("Picture", 0x68030008, "IPictureDisp*",
                [](C &c) { return Variant(DispatchPtr(c.m_picture)); }),
            M::setRef("Picture", 0x68030008, "IPictureDisp*",
                [](C &c, const Variant &v) {
                    const auto picture = std::dynamic_pointer_cast<StdPicture>(v.object());
                    c.m_picture = picture ? picture : StdPicture::empty();
                }),
            M::get("Shape", 0x68030009, "ShapeKind", [](C &c) { return Variant(c.m_shape); }),
            M::let("Shape", 0x68030009, "ShapeKind",
                [](C &c, const Variant &v) { c.m_shape = toLong(v); }),
            M::get("Value", 0x6803000a, "VARIANT", [](C &c) { return c.m_value; }),
            M::let("Value", 0x6803000a, "VARIANT", [](C &c, const Variant &v) { c.m_value = v; }),
            M::let("Secret", 0x6803000b, "BSTR",
                [](C &c, const Variant &v) { c.m_secret = toText(v); }),
            // Spelt as a member every widget has.
            M::get("update", 0x6803000c, "long", [](C &c) { return Variant(c.m_update); }),
            M::let("update", 0x6803000c, "long",
                [](C &c, const Variant &v) { c.m_update = toLong(v); }),
            M::get("Item", 0x6803000d, "long", {{"Index", "long"}},
                [](C &c, const Args &a) { return Variant(c.m_items[toLong(a[0])]); }),
            M::let("Item", 0x6803000d, "long", {{"Index", "long"}},
                [](C &c, const Args &a, const Variant &v) { c.m_items[toLong(a[0])] = toLong(v); }),
            M::get("Self", 0x6803000e, "IDispatch*",
                [](C &c) { return Variant(c.shared_from_this()); }),
            M::method("Sum", 0x60030000, {{"Whole", "long"}, {"Part", "single"}}, "double",
                [](C &, const Args &a) { return Variant(toLong(a[0]) + double(toSingle(a[1]))); }),
            M::method("Describe", 0x60030001,
                {{"Label", "BSTR"}, {"Detail", "VARIANT", true, true}}, "BSTR",
                [](C &c, const Args &a) {
                    const QString detail
                        = a[1].isMissing() ? QStringLiteral("(none)") : toText(a[1]);
                    return Variant(toText(a[0]) + u':' + detail + u':' + c.m_secret);
                }),
            M::method("Reshape", 0x60030002, {{"Shape", "ShapeKind"}}, "ShapeKind",
                [](C &c, const Args &a) {
                    const int32_t old = c.m_shape;
                    c.m_shape = toLong(a[0]);
                    return Variant(old);
                }),
            M::method("RaiseChanged", 0x60030003,
                [](C &c) {
                    c.RaiseEvent(ChangedEvent,
                        {Variant(c.m_caption), Variant(c.m_count), Variant(c.m_small),
                            Variant(c.m_ratio), Variant(c.m_flag), Variant(c.m_amount),
                            OleColor::toVariant(c.m_tint), Variant(c.m_shape), c.m_value});
                }),
            M::method("RaiseMoved", 0x60030004, [](C &c) { c.RaiseEvent(MovedEvent); }),
            M::method("Hand", 0x60030005, {{"Item", "IDispatch*"}}, "void",
                [](C &c, const Args &a) {
                    c.RaiseEvent(HandedEvent, {a[0]});
                    return Variant();
                }),
        });
    return table;
}
