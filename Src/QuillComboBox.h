#pragma once

#include "QuillComboBoxItemCache.h"

#include <Quillkit/Controls/ComboBox.h>
#include <Quillkit/Controls/CommandButton.h>
#include <Quillkit/Controls/ListBox.h>
#include <Quillkit/Controls/TextBox.h>
#include <Quillkit/Hosting/UserControl.h>
#include <Quillkit/Objects/MemberTable.h>
#include <Quillkit/Objects/TypeInfo.h>

#include <QLocale>
#include <array>
#include <memory>
#include <optional>
#include <vector>

// A drop-down list with type-ahead completion, a search panel that lists every item containing
// a search text, and a per-user memory of how often each text was picked. The five most picked
// texts head the inner list, above a separator line, ahead of the host's items.
class QuillComboBox : public platform::DispatchFromTable<QuillComboBox, platform::UserControl>
{
public:
    // Member ids of _QuillComboBox and of its events.
    static constexpr platform::DispId ClearId = 0x60030007;
    static constexpr platform::DispId AddItemId = 0x60030008;
    static constexpr platform::DispId ItemDataId = 0x68030003;
    static constexpr platform::DispId ResetMemoryId = 0x60030011;
    static constexpr platform::DispId ComboBoxId = 0x68030002;
    static constexpr platform::DispId ListBoxId = 0x68030001;
    static constexpr platform::DispId SearchTextId = 0x68030000;
    static constexpr platform::DispId ChangeEventId = 1;
    static constexpr platform::DispId ClickEventId = 2;

    QuillComboBox();
    ~QuillComboBox() override;

    static const platform::MemberTable<QuillComboBox> &memberTable();
    static platform::ClassInfo classInfo();

    void UserControl_Initialize() override;
    void UserControl_ReadProperties(platform::PropertyBag &bag) override;
    void UserControl_Resize() override;
    void UserControl_WriteProperties(platform::PropertyBag &bag) override;

    // _QuillComboBox
    void Clear();
    void AddItem(const QString &Item, const platform::Variant &index);
    int32_t ItemData(const platform::Variant &index) const;
    void setItemData(const platform::Variant &index, int32_t value);
    void ResetMemory();
    platform::DispatchPtr ComboBox() const { return cmbCombo; }
    platform::DispatchPtr ListBox() const { return lstResultados; }
    QString SearchText() const { return m_SearchText; }
    void setSearchText(const QString &value);

private:
    // One recorded text with its count, held as the stored digits.
    struct Selection
    {
        QString text;
        QString count;
    };
    static constexpr int TopSlots = 5;

    // Inner list (QuillComboBox.cpp)
    int16_t firstItemIndex() const;
    void cmbCombo_Change();
    void cmbCombo_Click();
    void cmbCombo_KeyPress(int16_t &keyAscii);

    // Search panel (QuillComboBox_Search.cpp)
    void ToggleSearchPanel();
    void AcceptSearchResult();
    void runSearch();
    bool resultsAreStale();
    // The selected result's item index, checked against the current items; -1 when the results
    // no longer lead to an item with the result's text.
    int16_t selectedResultItem();
    void cmdBuscar_Click();
    void txtBuscar_Change();
    void txtBuscar_KeyPress(int16_t &keyAscii);
    void txtBuscar_KeyDown(int16_t &keyCode, int16_t shift);
    void lstResultados_KeyPress(int16_t &keyAscii);
    // Closes the panel from the keyboard.
    void closeSearchPanelByKey();
    void lstResultados_MouseUp(int16_t button, int16_t shift, double x, double y);

    // Remembered selections (QuillComboBox_Memory.cpp)
    void LoadRemembered();
    void RebuildList();
    void RememberSelection(const QString &text);
    void rankSelection(const QString &text, double value);
    QString storedValue() const;
    const QString &upperSelection(size_t index);

    // Constituent controls.
    std::shared_ptr<platform::ComboBox> cmbCombo;
    std::shared_ptr<platform::CommandButton> cmdBuscar;
    std::shared_ptr<platform::ListBox> lstResultados;
    std::shared_ptr<platform::TextBox> txtBuscar;
    // Declared after the controls so that it lets go of the inner list's model first.
    QuillComboBoxItemCache m_items;

    QString m_SearchText;
    bool m_SearchOpen = false;
    // The items found by the last search, kept so that a search allocates nothing.
    std::vector<int> m_found;
    // The items' generation the results were made from; nothing before the first search.
    std::optional<uint64_t> m_resultsGeneration;
    std::vector<Selection> m_Selections;
    std::array<QString, TopSlots> m_TopNames;
    std::array<int32_t, TopSlots> m_TopCounts {};
    int32_t m_RememberedCount = 0;

    // The last recording could not be written to the store (and was reported).
    bool m_rememberFailed = false;
    // The stored value could not be read at creation (and that was reported): m_Selections holds
    // only this instance's picks, which must not replace a value it never saw.
    bool m_storedValueUnread = false;

    // The last completion, when its item was the first from `from` on to begin with the typed
    // text (none before it was turned down). Any item that begins with the item's own text begins
    // with the typed text as well, so while the items stay as they were, the item's own text
    // completes to the same item: setting it, which reports a change at once, needs no search.
    struct Completion
    {
        uint64_t generation = 0;
        int16_t from = 0;
        int index = -1;
        QString text;
    };
    std::optional<Completion> m_lastCompletion;

    // Upper-cased texts of m_Selections, filled as recording needs them, under m_selectionsLocale.
    std::vector<QString> m_selectionsUpper;
    QLocale m_selectionsLocale;
};
