#pragma once

#include "../QuillPlatformExport.h"

#include "ListItemModel.h"
#include "StandardControl.h"

#include <QPointer>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;

namespace platform {

// The drop-down combo box: an edit field over a list of at most 32767 entries, on an editable
// QComboBox whose own competing behaviours (completer, insertion of typed text, selection by
// Enter, the mouse wheel) are off.
//
// - `onChange` reports a change of the edit text by typing or by setting Text; typing also
//   leaves no entry selected (ListIndex -1) without a click.
// - `onClick` reports a pick from the list, by the user or by setting ListIndex (every set,
//   even to the same index; -1 too). The edit text takes the entry's text silently.
// - Enter in the edit field goes to `onKeyPress` and no further.
// - Height follows the font and cannot be set.
class QUILL_PLATFORM_EXPORT ComboBox : public DispatchFromTable<ComboBox, StandardControl>
{
public:
    ComboBox(QWidget *parent, const QString &name);

    static const MemberTable<ComboBox> &memberTable();

    QString Text() const;
    void setText(const QString &text);
    int32_t SelStart() const;
    void setSelStart(int32_t start);
    int32_t SelLength() const;
    void setSelLength(int32_t length);
    QString SelText() const;
    void setSelText(const QString &text);

    // Adds at the end, or before the entry at `index` (0..ListCount).
    void AddItem(const QString &item, std::optional<int16_t> index = std::nullopt);
    void RemoveItem(int16_t index);
    void Clear();
    QString List(int16_t index) const;
    void setList(int16_t index, const QString &text);
    int16_t ListCount() const;
    int16_t ListIndex() const { return m_listIndex; }
    void setListIndex(int16_t index);
    int32_t ItemData(int16_t index) const;
    void setItemData(int16_t index, int32_t data);
    int16_t NewIndex() const { return m_newIndex; }

    // The widgets, for tests and composite controls.
    QComboBox *comboBox() const;
    QLineEdit *lineEdit() const;

    std::function<void()> onChange;
    std::function<void()> onClick;
    std::function<void(int16_t &keyAscii)> onKeyPress;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;

protected:
    int fixedPixelHeight() const override;

private:
    void picked(int index);
    // Puts the edit text back without a change report.
    void setEditTextSilently(const QString &text);

    QPointer<QComboBox> m_combo;
    QPointer<QLineEdit> m_edit;
    QPointer<ListItemModel> m_model;
    int16_t m_listIndex = -1;
    int16_t m_newIndex = -1;
};

} // namespace platform
