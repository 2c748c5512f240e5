// QuillInputBox: what the boxes show, how edits flow back into m_Text, focus and Enter.
#include "QuillInputBox.h"

#include <Quillkit/Value/AmountText.h>
#include <Quillkit/Value/TextServices.h>

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
    // A screen reader tells the user that the right box, in the currency style, wants an amount.
    txtRight->setAccessibleDescription(
        m_Style == INPUT_CURRENCY ? QStringLiteral("Amount") : QString());
    if (m_Style == INPUT_STANDARD) {
        writeDisplay(box, m_Text);
        // Plain text is never red, whatever the currency style left in the box.
        box.setForeColor(m_ForeColor);
    } else if (m_Style == INPUT_CURRENCY) {
        writeDisplay(box, formatNamed(Variant(m_Text), QStringLiteral("Currency")));
        // The format reads the amount the same way: what shows as a negative amount is red.
        box.setForeColor(readAmount(m_Text).isNegative() ? NegativeAmountColor : m_ForeColor);
    }
    // Any other style writes nothing and leaves m_SkipChange raised for the next report.

    // A focused box that is hidden keeps the focus when the form has no other control to
    // take it, and would go on taking keys unseen: the shown box takes the focus instead.
    if (m_focusedBox && m_focusedBox != &box)
        box.SetFocus();
}

void QuillInputBox::writeDisplay(TextBox &box, const QString &text)
{
    // A nested run in the hiding may have used up the flag with its own write. The boxes report
    // every write, the same text too, so this one write clears the flag again.
    m_SkipChange = true;
    box.setText(text);
}

QString QuillInputBox::Text() const
{
    if (m_Style != INPUT_CURRENCY)
        return m_Text;
    // The amount normalised through the currency type, read as the display reads it; a text
    // that is no amount, or beyond the currency range, reads as empty.
    const AmountReading amount = readAmount(m_Text);
    return amount.isAmount() ? amount.value.toText() : QString();
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
    m_focusedBox = &box;
    // The user edits the amount as entered. The flag stays down, so this write reports a
    // Change like an edit; a box that already shows the amount as entered is left alone, so
    // that entering raises a Change only when the text changes.
    if (m_Style == INPUT_CURRENCY && box.Text() != m_Text)
        box.setText(m_Text);
}

void QuillInputBox::boxLostFocus(TextBox &box)
{
    if (m_focusedBox == &box)
        m_focusedBox = nullptr;
    RefreshDisplay();
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
    boxLostFocus(*txtLeft);
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
    boxLostFocus(*txtRight);
}
