#include "QuillComboBox.h"

#include "BinocularsPicture.h"
#include "QuillkitIds.h"
#include "ToolboxBitmaps.h"

#include <Quillkit/Objects/StdPicture.h>
#include <Quillkit/Value/Conversions.h>
#include <Quillkit/Value/TextServices.h>

#include <algorithm>
#include <optional>

using namespace platform;

namespace {

constexpr int16_t KeyBackspace = 8;

} // namespace

QuillComboBox::QuillComboBox()
{
    // The design table: name, position and size in twips, the rest of each control's design.
    QWidget *const form = surface();
    setSurfaceRole(QAccessible::ComboBox);
    cmbCombo = std::make_shared<platform::ComboBox>(form, QStringLiteral("cmbCombo"));
    cmbCombo->setLeft(0);
    cmbCombo->setTop(0);
    cmbCombo->setWidth(2895);
    cmbCombo->setHeight(315);
    cmbCombo->setTabIndex(0);

    cmdBuscar = std::make_shared<CommandButton>(form, QStringLiteral("cmdBuscar"));
    cmdBuscar->setLeft(2895);
    cmdBuscar->setTop(0);
    cmdBuscar->setWidth(360);
    cmdBuscar->setHeight(315);
    cmdBuscar->setTabIndex(1);
    cmdBuscar->setCaption(QString());
    cmdBuscar->setStyle(CommandButton::Graphical);
    cmdBuscar->setPicture(quillkit::binocularsPicture());
    // The button shows only its picture: its name and tooltip say what it does.
    cmdBuscar->setAccessibleName(QStringLiteral("Search"));
    cmdBuscar->setToolTipText(QStringLiteral("Search"));

    lstResultados = std::make_shared<platform::ListBox>(form, QStringLiteral("lstResultados"));
    lstResultados->setLeft(0);
    lstResultados->setTop(360);
    lstResultados->setWidth(3255);
    lstResultados->setHeight(2010);
    lstResultados->setTabIndex(2);
    lstResultados->setVisible(false);
    lstResultados->setAccessibleName(QStringLiteral("Search results"));
    // A release of either button takes a result: a press of either picks which one.
    lstResultados->setRightButtonSelects(true);

    txtBuscar = std::make_shared<TextBox>(form, QStringLiteral("txtBuscar"));
    txtBuscar->setLeft(0);
    txtBuscar->setTop(0);
    txtBuscar->setWidth(2775);
    txtBuscar->setHeight(315);
    txtBuscar->setTabIndex(3);
    txtBuscar->setVisible(false);
    txtBuscar->setAccessibleName(QStringLiteral("Search text"));

    cmbCombo->onChange = [this] { cmbCombo_Change(); };
    cmbCombo->onClick = [this] { cmbCombo_Click(); };
    cmbCombo->onKeyPress = [this](int16_t &keyAscii) { cmbCombo_KeyPress(keyAscii); };
    cmdBuscar->onClick = [this] { cmdBuscar_Click(); };
    txtBuscar->onChange = [this] { txtBuscar_Change(); };
    txtBuscar->onKeyPress = [this](int16_t &keyAscii) { txtBuscar_KeyPress(keyAscii); };
    txtBuscar->onKeyDown
        = [this](int16_t &keyCode, int16_t shift) { txtBuscar_KeyDown(keyCode, shift); };
    lstResultados->onKeyPress = [this](int16_t &keyAscii) { lstResultados_KeyPress(keyAscii); };
    lstResultados->onMouseUp = [this](int16_t button, int16_t shift, double x, double y) {
        lstResultados_MouseUp(button, shift, x, y);
    };

    m_items.attach(*cmbCombo);
}

QuillComboBox::~QuillComboBox()
{
    // No handler may run while the controls go.
    cmbCombo->onChange = nullptr;
    cmbCombo->onClick = nullptr;
    cmbCombo->onKeyPress = nullptr;
    cmdBuscar->onClick = nullptr;
    txtBuscar->onChange = nullptr;
    txtBuscar->onKeyPress = nullptr;
    txtBuscar->onKeyDown = nullptr;
    lstResultados->onKeyPress = nullptr;
    lstResultados->onMouseUp = nullptr;
}

const MemberTable<QuillComboBox> &QuillComboBox::memberTable()
{
    using M = Members<QuillComboBox>;
    static const MemberTable<QuillComboBox> table(QStringLiteral("QuillComboBox"),
        {
            M::method(QStringLiteral("Clear"), ClearId, [](QuillComboBox &c) { c.Clear(); }),
            M::method(QStringLiteral("AddItem"), AddItemId,
                {{QStringLiteral("Item"), QStringLiteral("BSTR"), false, false},
                    {QStringLiteral("index"), QStringLiteral("VARIANT"), true, true}},
                QStringLiteral("void"),
                [](QuillComboBox &c, const Args &args) {
                    c.AddItem(toText(args[0]), args[1]);
                    return Variant();
                }),
            M::let(QStringLiteral("ItemData"), ItemDataId, QStringLiteral("long"),
                {{QStringLiteral("index"), QStringLiteral("VARIANT"), false, false}},
                [](QuillComboBox &c, const Args &index, const Variant &value) {
                    c.setItemData(index[0], toLong(value));
                }),
            M::get(QStringLiteral("ItemData"), ItemDataId, QStringLiteral("long"),
                {{QStringLiteral("index"), QStringLiteral("VARIANT"), false, false}},
                [](QuillComboBox &c, const Args &index) { return Variant(c.ItemData(index[0])); }),
            M::method(QStringLiteral("ResetMemory"), ResetMemoryId,
                [](QuillComboBox &c) { c.ResetMemory(); }),
            M::get(QStringLiteral("ComboBox"), ComboBoxId, QStringLiteral("IDispatch*"),
                [](QuillComboBox &c) { return Variant(c.ComboBox()); }),
            M::get(QStringLiteral("ListBox"), ListBoxId, QStringLiteral("IDispatch*"),
                [](QuillComboBox &c) { return Variant(c.ListBox()); }),
            M::get(QStringLiteral("SearchText"), SearchTextId, QStringLiteral("BSTR"),
                [](QuillComboBox &c) { return Variant(c.SearchText()); }),
            M::let(QStringLiteral("SearchText"), SearchTextId, QStringLiteral("BSTR"),
                [](QuillComboBox &c, const Variant &value) { c.setSearchText(toText(value)); }),
        });
    return table;
}

ClassInfo QuillComboBox::classInfo()
{
    ClassInfo info;
    info.id = quillkit::ids::QuillComboBox;
    info.name = QStringLiteral("QuillComboBox");
    info.progId = QStringLiteral("Quillkit.QuillComboBox");
    info.defaultInterface
        = {quillkit::ids::QuillComboBoxInterface, QStringLiteral("_QuillComboBox"),
            {QStringLiteral("dual"), QStringLiteral("hidden"), QStringLiteral("nonextensible"),
                QStringLiteral("oleautomation")},
            false, memberTable().infos()};
    info.eventInterface = {quillkit::ids::QuillComboBoxEvents, QStringLiteral("__QuillComboBox"),
        {QStringLiteral("hidden"), QStringLiteral("nonextensible")}, true,
        {{QStringLiteral("Change"), ChangeEventId, InvokeKind::Method, QStringLiteral("void"), {},
             {}},
            {QStringLiteral("Click"), ClickEventId, InvokeKind::Method, QStringLiteral("void"), {},
                {}}}};
    info.miscStatus = MiscStatus::RecomposeOnResize | MiscStatus::CantLinkInside
        | MiscStatus::InsideOut | MiscStatus::ActivateWhenVisible | MiscStatus::SetClientSiteFirst;
    info.toolboxBitmapId = quillkit::QuillComboBoxBitmap;
    info.designWidth = 3270;
    info.designHeight = 2385;
    info.create = [] { return std::make_unique<QuillComboBox>(); };
    return info;
}

// --- Lifecycle ---

void QuillComboBox::UserControl_Initialize()
{
    LoadRemembered();
}

void QuillComboBox::UserControl_ReadProperties(PropertyBag &bag)
{
    setSearchText(
        toText(bag.ReadProperty(QStringLiteral("SearchText"), QStringLiteral("Texto a buscar"))));
}

void QuillComboBox::UserControl_WriteProperties(PropertyBag &bag)
{
    bag.WriteProperty(QStringLiteral("SearchText"), m_SearchText);
}

void QuillComboBox::UserControl_Resize()
{
    const double b = cmdBuscar->Width();
    cmdBuscar->setLeft(Width() - b);
    // A control narrower than the button leaves the combo no room rather than a negative width.
    cmbCombo->setWidth(std::max(Width() - b, 0.0));
    txtBuscar->setWidth(cmbCombo->Width());
    lstResultados->setWidth(Width());
    // While the panel is open its height is the panel's.
    if (!m_SearchOpen)
        setHeight(cmbCombo->Height());
}

// --- Members ---

void QuillComboBox::Clear()
{
    RebuildList();
}

void QuillComboBox::AddItem(const QString &Item, const Variant &index)
{
    std::optional<int16_t> at;
    if (!index.isMissing())
        at = toInteger(index);
    cmbCombo->AddItem(Item, at);
}

int32_t QuillComboBox::ItemData(const Variant &index) const
{
    return cmbCombo->ItemData(toInteger(index));
}

void QuillComboBox::setItemData(const Variant &index, int32_t value)
{
    cmbCombo->setItemData(toInteger(index), value);
}

void QuillComboBox::setSearchText(const QString &value)
{
    m_SearchText = value;
    PropertyChanged(QStringLiteral("SearchText"));
}

// --- The inner list ---

int16_t QuillComboBox::firstItemIndex() const
{
    return int16_t(m_RememberedCount >= 1 ? m_RememberedCount + 1 : 0);
}

void QuillComboBox::cmbCombo_Change()
{
    // Fill in the first host item that begins with the typed text, the completed part
    // selected. Setting the text reports a change at once, so this runs once more, nested: it
    // finds the same item, sets the same text (no further report) and raises Change.
    const QString text = cmbCombo->Text();
    const QString typed = upperCase(text);
    const int16_t from = firstItemIndex();
    // The completed part starts where the typed text ends in the item's own spelling, which
    // upper-casing may have made longer or shorter ("fuß" is "FUSS"). An item in which the typed
    // text ends inside one character ("fus" in "Fußball") does not begin with it: filling it in
    // would swallow the key just typed.
    std::optional<qsizetype> typedPart;
    int found = -1;
    if (m_lastCompletion && m_lastCompletion->text == text && m_lastCompletion->from == from
        && m_lastCompletion->generation == m_items.generation()) {
        typedPart = upperCasePrefixLength(text, typed.size());
        if (typedPart)
            found = m_lastCompletion->index;
    }
    if (found < 0) {
        int tried = 0;
        found = m_items.firstStartingWith(typed, from, [&](int i) {
            ++tried;
            typedPart = upperCasePrefixLength(cmbCombo->List(int16_t(i)), typed.size());
            return typedPart.has_value();
        });
        if (found >= 0 && tried == 1)
            m_lastCompletion
                = Completion {m_items.generation(), from, found, cmbCombo->List(int16_t(found))};
        else
            m_lastCompletion.reset();
    }
    if (found >= 0) {
        const QString item = cmbCombo->List(int16_t(found));
        cmbCombo->setText(item);
        // The nested run has selected the completed part already; selecting it again would
        // move the cursor away and back, each move reported and repainted.
        const auto start = int32_t(*typedPart);
        const auto length = int32_t(item.size()) - start;
        if (cmbCombo->SelStart() != start || cmbCombo->SelLength() != length) {
            cmbCombo->setSelStart(start);
            cmbCombo->setSelLength(length);
        }
    }
    RaiseEvent(ChangeEventId);
}

void QuillComboBox::cmbCombo_KeyPress(int16_t &keyAscii)
{
    if (keyAscii != KeyBackspace)
        return;
    // Backspace over a completion takes the completed part and the last typed character.
    const int32_t start = cmbCombo->SelStart();
    if (cmbCombo->SelLength() > 0 && start > 0) {
        QString kept = cmbCombo->Text().left(start - 1);
        // Never half a surrogate pair.
        if (!kept.isEmpty() && kept.back().isHighSurrogate())
            kept.chop(1);
        cmbCombo->setText(kept);
        keyAscii = 0;
    }
}

void QuillComboBox::cmbCombo_Click()
{
    if (m_RememberedCount > 0) {
        const int16_t idx = cmbCombo->ListIndex();
        // No selected entry (a host can set ListIndex to -1) is recorded like a host item.
        if (idx >= 0 && idx < m_RememberedCount) {
            // A remembered entry stands for the host item of the same text: select that one.
            // Its click, reported at once, records the selection and raises Click.
            const QString shown = cmbCombo->List(idx);
            const QString wanted = upperCase(shown.left(shown.size() - 1));
            const int count = cmbCombo->ListCount();
            for (int j = m_RememberedCount; j < count; ++j) {
                if (m_items.upper(j) == wanted) {
                    cmbCombo->setListIndex(int16_t(j));
                    return;
                }
            }
        } else if (idx == m_RememberedCount) {
            return; // the separator line
        }
    }
    RememberSelection(cmbCombo->Text());
    RaiseEvent(ClickEventId);
}
