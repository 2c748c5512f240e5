#include "FormDispatch.h"

#include "HostForm.h"

#include "../Objects/StdFont.h"
#include "../Value/Conversions.h"
#include "../Value/RuntimeError.h"

namespace platform {

HostForm &FormDispatch::form() const
{
    if (!m_form)
        throw RuntimeError(ErrorNumber::ObjectVariableNotSet, QStringLiteral("the form is gone"));
    return *m_form;
}

const MemberTable<FormDispatch> &FormDispatch::memberTable()
{
    using M = Members<FormDispatch>;
    const std::vector<ParamInfo> scaleParams {{"Width", "single"},
        {"FromScale", "VARIANT", true, true}, {"ToScale", "VARIANT", true, true}};
    // Omitted units mean the form's own scale mode (twips).
    auto unit = [](const Variant &v) { return v.isMissing() ? int16_t(1) : toInteger(v); };
    static const MemberTable<FormDispatch> table(QStringLiteral("Form"),
        {
            M::get("Name", 1, "BSTR", [](FormDispatch &f) { return Variant(f.form().name()); }),
            M::get(
                "Caption", 2, "BSTR", [](FormDispatch &f) { return Variant(f.form().Caption()); }),
            M::let("Caption", 2, "BSTR",
                [](FormDispatch &f, const Variant &v) { f.form().setCaption(toText(v)); }),
            M::get("Width", 3, "single",
                [](FormDispatch &f) { return Variant(static_cast<float>(f.form().Width())); }),
            M::get("Height", 4, "single",
                [](FormDispatch &f) { return Variant(static_cast<float>(f.form().Height())); }),
            M::get("ScaleWidth", 5, "single",
                [](FormDispatch &f) {
                    return Variant(static_cast<float>(f.form().ClientWidth()));
                }),
            M::get("ScaleHeight", 6, "single",
                [](FormDispatch &f) {
                    return Variant(static_cast<float>(f.form().ClientHeight()));
                }),
            M::get("ScaleMode", 7, "short",
                [](FormDispatch &f) { return Variant(f.form().ScaleMode()); }),
            M::method("ScaleX", 8, scaleParams, "single",
                [unit](FormDispatch &f, const Args &a) {
                    return Variant(static_cast<float>(
                        f.form().ScaleX(toDouble(a[0]), unit(a[1]), unit(a[2]))));
                }),
            M::method("ScaleY", 9, scaleParams, "single",
                [unit](FormDispatch &f, const Args &a) {
                    return Variant(static_cast<float>(
                        f.form().ScaleY(toDouble(a[0]), unit(a[1]), unit(a[2]))));
                }),
            M::get("hWnd", 10, "long", [](FormDispatch &f) { return Variant(f.form().hWnd()); }),
            M::method("SetFocus", 11, [](FormDispatch &f) { f.form().SetFocus(); }),
            M::get("Font", StandardDispId::Font, "IFontDisp*",
                [](FormDispatch &f) {
                    return Variant(std::static_pointer_cast<Dispatch>(f.form().Font()));
                }),
        });
    return table;
}

} // namespace platform
