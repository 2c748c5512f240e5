#pragma once

#include "../QuillPlatformExport.h"

#include "ListItemModel.h"
#include "StandardControl.h"

#include <QPointer>
#include <functional>
#include <optional>

class QListView;

namespace platform {

/// The single-selection list box: at most 32767 entries on a QListView (a UniformListView). Typed
/// characters go to `onKeyPress` and nowhere else (no selection by typing); arrows and the mouse
/// move the selection.
///
/// - `onClick` reports a change of the selection by the user (mouse or keys) and every set of
///   ListIndex by code, even to the same index; -1 deselects and reports too.
/// - `onMouseUp` reports the release of any mouse button over the entries. Only the left button
///   selects (and the right one, when told to); a press on the blank area below the entries
///   keeps the selection.
/// - Refilling is cheap: entries appended reach the view in one batch (see ListItemModel), and
///   fill() refills from numbered texts without copying them.
class QUILL_PLATFORM_EXPORT ListBox : public DispatchFromTable<ListBox, StandardControl>
{
public:
    /// Mouse buttons and shift states of onMouseUp.
    enum MouseButton : int16_t { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
    enum ShiftState : int16_t { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };

    ListBox(QWidget *parent, const QString &name);

    /// The members late-bound callers reach, with their ids and types.
    static const MemberTable<ListBox> &memberTable();

    /// Adds at the end, or before the entry at `index` (0..ListCount).
    void AddItem(const QString &item, std::optional<int16_t> index = std::nullopt);
    /// Removes the entry at `index`.
    void RemoveItem(int16_t index);
    /// Removes every entry.
    void Clear();
    /// The same as Clear, then for each number n in order AddItem(source's text n) and ItemData
    /// of the new entry (NewIndex) set to n, with the same results and notifications (none), but
    /// holding only the numbers: the texts are read from `source` when they are needed. As
    /// AddItem, a list of more than 32767 entries is refused with 7 after the first 32767. A
    /// number that is not one of the source's raises 5 and changes nothing.
    void fill(std::shared_ptr<const ListTextSource> source, std::span<const int32_t> numbers);
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
    /// The first entry in view.
    int16_t TopIndex() const;
    void setTopIndex(int16_t index);
    ///@}
    /// The selected entry's text, empty without a selection.
    QString Text() const;
    ///@{
    /// Off by default. On, a right-button press selects the entry under the pointer as a
    /// left-button press does, so that what the release acts on is what the user pointed at.
    bool rightButtonSelects() const { return m_rightButtonSelects; }
    void setRightButtonSelects(bool on) { m_rightButtonSelects = on; }
    ///@}
    /// How many entries the list shows at once, at least 1: the step of Page Up and Page Down.
    int16_t rowsInView() const;

    QListView *listView() const;

    std::function<void()> onClick;
    std::function<void(int16_t &keyAscii)> onKeyPress;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    /// Button and shift as the enums above; x and y in twips from the control's top left.
    std::function<void(int16_t button, int16_t shift, double x, double y)> onMouseUp;

private:
    void selectionChangedByUser();
    // Moves the view's selection to m_listIndex without reporting it.
    void showSelection();
    bool mousePressed(QMouseEvent *event);
    bool mouseReleased(QWidget *viewport, QMouseEvent *event);

    QPointer<QListView> m_view;
    QPointer<ListItemModel> m_model;
    int16_t m_listIndex = -1;
    int16_t m_newIndex = -1;
    // Set while the control itself moves the view's selection.
    bool m_updatingSelection = false;
    bool m_rightButtonSelects = false;
};

} // namespace platform
