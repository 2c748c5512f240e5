#pragma once

#include <Quillkit/Controls/PictureBox.h>
#include <Quillkit/Hosting/UserControl.h>
#include <Quillkit/Objects/MemberTable.h>
#include <Quillkit/Objects/TypeInfo.h>

#include <memory>

// A control that shapes the form it sits on: at run time it gives the parent window rounded
// corners and a constant translucency. In the designer it is a fixed-size icon that changes
// nothing on the form; at run time it is not shown.
class QuillForm : public platform::DispatchFromTable<QuillForm, platform::UserControl>
{
public:
    QuillForm();

    static const platform::MemberTable<QuillForm> &memberTable();
    static platform::ClassInfo classInfo();

    // Applies the outline and the translucency to the parent window, in run mode only.
    void Update();

    int32_t CornerSize() const { return m_CornerSize; }
    void setCornerSize(int32_t value);
    int32_t Transparency() const { return m_Transparency; }
    void setTransparency(int32_t value);

    void UserControl_ReadProperties(platform::PropertyBag &bag) override;
    void UserControl_Resize() override;
    void UserControl_WriteProperties(platform::PropertyBag &bag) override;

private:
    std::shared_ptr<platform::PictureBox> cmdDummy;

    int32_t m_CornerSize = 0;
    int32_t m_Transparency = 0;
};
