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

/// The drop-down combo box: an edit field over a list of at most 32767 entries, on an editable
/// QComboBox whose own competing behaviours (completer, insertion of typed text, selection by
/// Enter, the mouse wheel) are off.
///
/// - `onChange` reports a change of the edit text by typing or by setting Text; typing also
///   leaves no entry selected (ListIndex -1) without a click.
/// - `onClick` reports a pick from the list, by the user or by setting ListIndex (every set,
///   even to the same index; -1 too). The edit text takes the entry's text silently.
/// - Enter in the edit field goes to `onKeyPress` and no further.
/// - With no entry selected, the list drops down at the first entry whose text is the edit
///   text, highlighted but not picked (ListIndex stays -1 and no click is reported).
/// - Height follows the font and cannot be set.
class QUILL_PLATFORM_EXPORT ComboBox : public DispatchFromTable<ComboBox, StandardControl>
{
public:
    ComboBox(QWidget *parent, const QString &name);

    /// The members late-bound callers reach, with their ids and types.
    static const MemberTable<ComboBox> &memberTable();

    ///@{
    /// The edit field's text.
    QString Text() const;
    void setText(const QString &text);
    ///@}
    ///@{
    /// The selection in the edit field, in UTF-16 code units from 0, and its text.
    int32_t SelStart() const;
    void setSelStart(int32_t start);
    int32_t SelLength() const;
    void setSelLength(int32_t length);
    QString SelText() const;
    void setSelText(const QString &text);
    ///@}

    /// Adds at the end, or before the entry at `index` (0..ListCount).
    void AddItem(const QString &item, std::optional<int16_t> index = std::nullopt);
    /// Removes the entry at `index`.
    void RemoveItem(int16_t index);
    /// Removes every entry.
    void Clear();
    ///@{
    /// The text of the entry at `index`.
    QString List(int16_t index) const;
    void setList(int16_t index, const QString &text);
    ///@}
    /// How many entries the list holds.
    int16_t ListCount() const;
    ///@{
    /// The selected entry, -1 for none.
    int16_t ListIndex() const { return m_listIndex; }
    void setListIndex(int16_t index);
    ///@}
    ///@{
    /// The 32-bit value kept with the entry at `index`.
    int32_t ItemData(int16_t index) const;
    void setItemData(int16_t index, int32_t data);
    ///@}
    /// The index of the entry added last.
    int16_t NewIndex() const { return m_newIndex; }

    ///@{
    /// The widgets, for tests and composite controls.
    QComboBox *comboBox() const;
    QLineEdit *lineEdit() const;
    ///@}

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
