#include "ComboBox.h"

#include "ListMembers.h"

#include "ConstantSizeDelegate.h"
#include "EditSelection.h"

#include "../Value/RuntimeError.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPalette>
#include <limits>

namespace platform {

namespace {

// A combo box is its font's line plus 8 pixels high, and at least 21.
constexpr int MinimumPixelHeight = 21;
constexpr int FontPadding = 8;

// The toolkit's combo opens its list at its own current entry. With no entry selected, the
// list opens at the row `openingRow` names instead, when it names one, as a highlight only:
// nothing is picked until the user picks.
class DropDownCombo : public QComboBox
{
public:
    using QComboBox::QComboBox;

    std::function<int()> openingRow;

    void showPopup() override
    {
        QComboBox::showPopup();
        const int row = openingRow ? openingRow() : -1;
        if (row < 0)
            return;
        QAbstractItemView *list = view();
        list->setCurrentIndex(model()->index(row, modelColumn(), rootModelIndex()));
        list->scrollTo(list->currentIndex(), QAbstractItemView::PositionAtCenter);
    }
};

// The edit field's panel fills the whole field with the base brush, so the toolkit need not
// paint the combo beneath it first, as it otherwise does on every keystroke. A style sheet or a
// see-through base may leave the combo showing through: then it is painted beneath again.
void markWhetherOpaque(QLineEdit &edit)
{
    const QPalette &palette = edit.palette();
    bool opaque = !edit.testAttribute(Qt::WA_StyleSheet);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        opaque = opaque && palette.brush(group, QPalette::Base).isOpaque();
    edit.setAttribute(Qt::WA_OpaquePaintEvent, opaque);
}

// Whether the edit field claims a key before the window's shortcuts see it, and claims it, for
// a key that types: the toolkit's field decides the same, but only after comparing the key
// with some twenty standard key sequences, which costs a keystroke more than its whole search.
// Every other key is left to the field's own decision.
bool claimTypingKey(const QLineEdit &edit, QKeyEvent &event)
{
    if (edit.isReadOnly() || event.key() >= Qt::Key_Escape
        || !ControlEventFilter::typesPlainly(event.modifiers()))
        return false;
    event.accept();
    return true;
}

} // namespace

ComboBox::ComboBox(QWidget *parent, const QString &name)
{
    auto *combo = new DropDownCombo(parent);
    m_combo = combo;
    combo->setEditable(true);
    m_model = new ListItemModel(combo);
    // The toolkit's combo reads its own count from the model, so the model tells it of every
    // entry at once; an entry costs well under the toolkit's own addItem all the same.
    m_model->setBatchAppends(false);
    combo->setModel(m_model);
    // Off: completion, insertion of typed text, duplicate folding (which makes Enter select the
    // matching entry), and measuring every entry for the size hint.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setDuplicatesEnabled(true);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMaxVisibleItems(8);
    // With no placeholder, the toolkit selects the first entry added to an empty list.
    combo->setPlaceholderText(QStringLiteral(" "));
    if (auto *view = qobject_cast<QListView *>(combo->view()))
        view->setUniformItemSizes(true);
    combo->setItemDelegate(new ConstantSizeDelegate(combo));

    m_edit = combo->lineEdit();
    m_edit->setMaxLength(std::numeric_limits<int>::max());
    markWhetherOpaque(*m_edit);
    // When editing finishes (the focus leaves), the toolkit's combo would pick the entry that
    // matches the text and report it as a pick: only the list and ListIndex pick here.
    QObject::disconnect(m_edit, &QLineEdit::editingFinished, combo, nullptr);
    attach(combo, name, OleColor::WindowBackground, OleColor::WindowText);

    ControlEventFilter *filter = events();
    // Typing is the only edit the line edit reports as edited; the text the toolkit writes on
    // a pick is not a change.
    QObject::connect(m_edit, &QLineEdit::textEdited, filter, [this] {
        m_listIndex = -1;
        raise(onChange);
    });
    QObject::connect(combo, &QComboBox::activated, filter, [this](int index) { picked(index); });

    // After typing (or a completion) the list opens at the entry that reads as the text.
    combo->openingRow = [this]() -> int {
        if (m_listIndex >= 0 || !m_edit)
            return -1;
        const QString text = m_edit->text();
        const int count = m_model->count();
        for (int i = 0; i < count; ++i) {
            if (m_model->text(i) == text)
                return i;
        }
        return -1;
    };

    filter->textTarget = m_edit;
    filter->consumeEnter = true;
    filter->keyPress = [this](int16_t &keyAscii) { raise(onKeyPress, keyAscii); };
    filter->gotFocus = [this] { raise(onGotFocus); };
    filter->lostFocus = [this] { raise(onLostFocus); };
    filter->preview = [this](QObject *watched, QEvent *event) {
        switch (event->type()) {
        case QEvent::Wheel:
            // The wheel does not flip through the entries of a closed list.
            return true;
        case QEvent::ShortcutOverride:
            // The combo hands the question to its edit field.
            return m_edit && claimTypingKey(*m_edit, *static_cast<QKeyEvent *>(event));
        case QEvent::StyleChange:
        case QEvent::PaletteChange:
            if (watched == m_edit)
                markWhetherOpaque(*m_edit);
            return false;
        default:
            return false;
        }
    };
    filter->watch(combo);
    filter->watch(m_edit);
}

const MemberTable<ComboBox> &ComboBox::memberTable()
{
    using M = Members<ComboBox>;
    namespace Id = ControlDispId;
    static const MemberTable<ComboBox> table = [] {
        auto members = standardMembers<ComboBox>();
        const QString text = QStringLiteral("BSTR");
        const QString number = QStringLiteral("long");
        const QString index = QStringLiteral("short");
        std::vector<Member<ComboBox>> own {
            M::get(QStringLiteral("Text"), Id::Text, text,
                [](ComboBox &c) { return Variant(c.Text()); }),
            M::let(QStringLiteral("Text"), Id::Text, text,
                [](ComboBox &c, const Variant &v) { c.setText(toText(v)); }),
            M::get(QStringLiteral("SelStart"), Id::SelStart, number,
                [](ComboBox &c) { return Variant(c.SelStart()); }),
            M::let(QStringLiteral("SelStart"), Id::SelStart, number,
                [](ComboBox &c, const Variant &v) { c.setSelStart(toLong(v)); }),
            M::get(QStringLiteral("SelLength"), Id::SelLength, number,
                [](ComboBox &c) { return Variant(c.SelLength()); }),
            M::let(QStringLiteral("SelLength"), Id::SelLength, number,
                [](ComboBox &c, const Variant &v) { c.setSelLength(toLong(v)); }),
            M::get(QStringLiteral("SelText"), Id::SelText, text,
                [](ComboBox &c) { return Variant(c.SelText()); }),
            M::let(QStringLiteral("SelText"), Id::SelText, text,
                [](ComboBox &c, const Variant &v) { c.setSelText(toText(v)); }),
        };
        members.insert(members.end(), own.begin(), own.end());
        const auto list = listMembers<ComboBox>();
        members.insert(members.end(), list.begin(), list.end());
        return MemberTable<ComboBox>(QStringLiteral("ComboBox"), std::move(members));
    }();
    return table;
}

QComboBox *ComboBox::comboBox() const
{
    return m_combo;
}

QLineEdit *ComboBox::lineEdit() const
{
    return m_edit;
}

int ComboBox::fixedPixelHeight() const
{
    const QWidget *combo = m_combo;
    if (!combo)
        return MinimumPixelHeight;
    return std::max(MinimumPixelHeight, QFontMetrics(combo->font()).height() + FontPadding);
}

QString ComboBox::Text() const
{
    return live(m_edit)->text();
}

void ComboBox::setText(const QString &text)
{
    QLineEdit *edit = live(m_edit);
    if (edit->text() == text)
        return;
    NotificationScope scope;
    edit->setText(text);
    // The text no longer shows the selected entry, unless it is that entry's text.
    if (m_listIndex >= 0 && m_model->text(m_listIndex) != text)
        m_listIndex = -1;
    raise(onChange);
    scope.finish();
}

int32_t ComboBox::SelStart() const
{
    return EditSelection::start(*live(m_edit));
}

void ComboBox::setSelStart(int32_t start)
{
    EditSelection::setStart(*live(m_edit), start);
}

int32_t ComboBox::SelLength() const
{
    return EditSelection::length(*live(m_edit));
}

void ComboBox::setSelLength(int32_t length)
{
    EditSelection::setLength(*live(m_edit), length);
}

QString ComboBox::SelText() const
{
    return live(m_edit)->selectedText();
}

void ComboBox::setSelText(const QString &text)
{
    QLineEdit *edit = live(m_edit);
    const QString before = edit->text();
    NotificationScope scope;
    edit->insert(text);
    if (edit->text() != before) {
        m_listIndex = -1;
        raise(onChange);
    }
    scope.finish();
}

void ComboBox::AddItem(const QString &item, std::optional<int16_t> index)
{
    liveWidget();
    const int16_t at = m_model->insert(item, index);
    if (index && m_listIndex >= at)
        ++m_listIndex;
    m_newIndex = at;
}

void ComboBox::RemoveItem(int16_t index)
{
    QLineEdit *edit = live(m_edit);
    m_model->text(index); // validates the index before anything changes
    // Removing the toolkit's current entry makes it pick and show another; the edit field
    // keeps its text instead.
    const QString text = edit->text();
    const int cursor = edit->cursorPosition();
    m_model->remove(index);
    if (edit->text() != text) {
        setEditTextSilently(text);
        edit->setCursorPosition(cursor);
    }
    if (m_listIndex == index)
        m_listIndex = -1;
    else if (m_listIndex > index)
        --m_listIndex;
    if (m_newIndex == index)
        m_newIndex = -1;
    else if (m_newIndex > index)
        --m_newIndex;
}

void ComboBox::Clear()
{
    liveWidget();
    // Emptying the list empties the edit field too, without a change report.
    m_model->clear();
    setEditTextSilently(QString());
    m_listIndex = -1;
    m_newIndex = -1;
}

QString ComboBox::List(int16_t index) const
{
    liveWidget();
    return m_model->text(index);
}

void ComboBox::setList(int16_t index, const QString &text)
{
    liveWidget();
    m_model->setText(index, text);
}

int16_t ComboBox::ListCount() const
{
    liveWidget();
    return m_model->count();
}

void ComboBox::setListIndex(int16_t index)
{
    QComboBox *combo = live(m_combo);
    if (index < -1 || index >= m_model->count())
        throw RuntimeError(
            ErrorNumber::InvalidPropertyValue, QStringLiteral("ListIndex %1").arg(index));
    NotificationScope scope;
    combo->setCurrentIndex(index);
    picked(index);
    scope.finish();
}

void ComboBox::picked(int index)
{
    m_listIndex = static_cast<int16_t>(index);
    // The toolkit leaves the text alone when its own current entry is picked again after the
    // user typed; the edit field shows the pick either way.
    const QString text = index >= 0 ? m_model->text(index) : QString();
    if (m_edit && m_edit->text() != text)
        setEditTextSilently(text);
    raise(onClick);
}

void ComboBox::setEditTextSilently(const QString &text)
{
    // Only typing emits textEdited, so this reaches no change report.
    m_edit->setText(text);
}

int32_t ComboBox::ItemData(int16_t index) const
{
    liveWidget();
    return m_model->itemData(index);
}

void ComboBox::setItemData(int16_t index, int32_t data)
{
    liveWidget();
    m_model->setItemData(index, data);
}

} // namespace platform
