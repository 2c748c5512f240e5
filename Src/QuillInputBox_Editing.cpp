// QuillInputBox: what the boxes show, how edits flow back into m_Text, focus and Enter.
#include "QuillInputBox.h"

#include "mod_misc.h"

#include <Value/Currency.h>
#include <Value/RuntimeError.h>
#include <Value/TextServices.h>

using namespace platform;

namespace {

// Pure red, for a negative amount.
constexpr uint32_t NegativeAmountColor = 255;

constexpr int16_t KeyEnter = 13;

} // namespace

void QuillInputBox::RefreshDisplay()
{
    // The boxes report our own writes at once; the next report is ours, not the user's.
    m_SkipChange = true;
    // Both go first, every time: hiding a focused box may run its focus-lost handler, and with
    // it this routine, nested.
    txtLeft->setVisible(false);
    txtRight->setVisible(false);
    TextBox &box = (m_Style == INPUT_CURRENCY || m_Alignment != 0) ? *txtRight : *txtLeft;
    box.setVisible(true);
    if (m_Style == INPUT_STANDARD) {
        box.setText(m_Text);
    } else if (m_Style == INPUT_CURRENCY) {
        box.setText(formatNamed(Variant(m_Text), QStringLiteral("Currency")));
        const double amount = VALUE_AsNumber(Variant(m_Text), 0.0);
        box.setForeColor(amount < 0.0 ? NegativeAmountColor : m_ForeColor);
    }
    // Any other style writes nothing and leaves m_SkipChange raised for the next report.
}

QString QuillInputBox::Text() const
{
    if (m_Style != INPUT_CURRENCY)
        return m_Text;
    // The amount normalised; a text that is no amount, or beyond the currency range, reads as
    // empty.
    try {
        return Currency::fromText(m_Text).toText();
    } catch (const RuntimeError &) {
        return {};
    }
}

void QuillInputBox::boxChanged(TextBox &box)
{
    if (m_SkipChange) {
        m_SkipChange = false;
        return;
    }
    m_Text = box.Text();
    RaiseEvent(ChangeEventId);
}

void QuillInputBox::boxGotFocus(TextBox &box)
{
    // The user edits the amount as entered. The flag stays down, so this write reports a
    // Change like an edit.
    if (m_Style == INPUT_CURRENCY)
        box.setText(m_Text);
}

void QuillInputBox::txtLeft_Change()
{
    boxChanged(*txtLeft);
}

void QuillInputBox::txtLeft_GotFocus()
{
    boxGotFocus(*txtLeft);
}

void QuillInputBox::txtLeft_LostFocus()
{
    RefreshDisplay();
}

void QuillInputBox::txtRight_Change()
{
    boxChanged(*txtRight);
}

void QuillInputBox::txtRight_GotFocus()
{
    boxGotFocus(*txtRight);
}

void QuillInputBox::txtRight_KeyPress(int16_t &KeyAscii)
{
    if (KeyAscii != KeyEnter)
        return;
    KeyAscii = 0;
    RefreshDisplay();
    // By name: the container is whatever form holds the control.
    Parent()->call(QStringLiteral("SetFocus"));
}

void QuillInputBox::txtRight_LostFocus()
{
    RefreshDisplay();
}
