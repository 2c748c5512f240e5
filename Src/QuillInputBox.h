#pragma once

#include <Quillkit/Controls/TextBox.h>
#include <Quillkit/Hosting/UserControl.h>
#include <Quillkit/Objects/MemberTable.h>
#include <Quillkit/Objects/StdFont.h>
#include <Quillkit/Objects/TypeInfo.h>

#include <cstdint>
#include <memory>

// The values of the library's `style` enumeration.
inline constexpr int32_t INPUT_STANDARD = 0;
inline constexpr int32_t INPUT_CURRENCY = 1;

// A single-line input showing its text as entered or as a currency amount. Two text boxes lie
// on top of each other, txtLeft aligned left and txtRight aligned right; RefreshDisplay shows
// exactly one of them. m_Text always holds the value as entered: formatting happens only on the
// way into the shown box.
class QuillInputBox : public platform::DispatchFromTable<QuillInputBox, platform::UserControl>
{
public:
    // The event interface's only event.
    static constexpr platform::DispId ChangeEventId = 1;

    QuillInputBox();
    ~QuillInputBox() override;

    static const platform::MemberTable<QuillInputBox> &memberTable();
    static platform::ClassInfo classInfo();

    // Properties of _QuillInputBox. Setters store, apply, then notify; none validates.
    int32_t style() const { return m_Style; }
    void setStyle(int32_t value);
    QString Text() const;
    void setText(const QString &value);
    int32_t Alignment() const { return m_Alignment; }
    void setAlignment(int32_t align);
    // The control's one font object itself, not a copy.
    platform::StdFontPtr Font() const { return m_stdFont; }
    // Copies Bold, Italic, Name and Size of any font object into m_stdFont.
    void setFont(const platform::Variant &mnewFont);
    uint32_t BackColor() const { return m_BackColor; }
    void setBackColor(uint32_t Color);
    uint32_t ForeColor() const { return m_ForeColor; }
    void setForeColor(uint32_t Color);

    void UserControl_Initialize() override;
    void UserControl_ReadProperties(platform::PropertyBag &PropBag) override;
    void UserControl_Resize() override;
    void UserControl_WriteProperties(platform::PropertyBag &PropBag) override;

private:
    void RefreshDisplay();
    void m_stdFont_FontChanged(const QString &PropertyName);
    platform::StdFont &requireFont() const;

    void txtLeft_Change();
    void txtLeft_GotFocus();
    void txtLeft_LostFocus();
    void txtRight_Change();
    void txtRight_GotFocus();
    void txtRight_KeyPress(int16_t &KeyAscii);
    void txtRight_LostFocus();
    // What the two boxes' handlers of each pair share.
    void boxChanged(platform::TextBox &box);
    void boxGotFocus(platform::TextBox &box);
    void boxLostFocus(platform::TextBox &box);
    void writeDisplay(platform::TextBox &box, const QString &text);

    // Constituent controls, created with the control.
    std::shared_ptr<platform::TextBox> txtRight;
    std::shared_ptr<platform::TextBox> txtLeft;

    int32_t m_Style = 0;
    QString m_Text;
    bool m_SkipChange = false;
    int32_t m_Alignment = 0;
    uint32_t m_BackColor = 0;
    uint32_t m_ForeColor = 0;
    platform::StdFontPtr m_stdFont;
    int m_stdFontListener = 0;
    // The box between its focus-gained and focus-lost reports, if any.
    platform::TextBox *m_focusedBox = nullptr;
};
