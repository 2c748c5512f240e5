#include "ListBox.h"

#include "ListMembers.h"

#include "ConstantSizeDelegate.h"
#include "UniformListView.h"

#include "../Value/RuntimeError.h"
#include "../Value/Units.h"

#include <QItemSelectionModel>
#include <QListView>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace platform {

namespace {

// Sets a flag for the life of the object.
class FlagGuard
{
public:
    explicit FlagGuard(bool &flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = m_old; }
    FlagGuard(const FlagGuard &) = delete;
    FlagGuard &operator=(const FlagGuard &) = delete;

private:
    bool &m_flag;
    bool m_old;
};

int16_t mouseButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return ListBox::LeftButton;
    case Qt::RightButton:
        return ListBox::RightButton;
    case Qt::MiddleButton:
        return ListBox::MiddleButton;
    default:
        return 0;
    }
}

} // namespace

ListBox::ListBox(QWidget *parent, const QString &name)
{
    auto *view = new UniformListView(parent);
    m_view = view;
    m_model = new ListItemModel(view);
    view->setModel(m_model);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setDragEnabled(false);
    view->setItemDelegate(new ConstantSizeDelegate(view));
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setTextElideMode(Qt::ElideNone);
    attach(view, name, OleColor::WindowBackground, OleColor::WindowText);

    ControlEventFilter *filter = events();
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, filter,
        [this] { selectionChangedByUser(); });

    filter->consumeCharacters = true;
    filter->keyPress = [this](int16_t &keyAscii) { raise(onKeyPress, keyAscii); };
    filter->gotFocus = [this] { raise(onGotFocus); };
    filter->lostFocus = [this] { raise(onLostFocus); };
    filter->mousePress = [this](QWidget *target, QMouseEvent *event) {
        return target == m_view->viewport() && mousePressed(event);
    };
    filter->mouseRelease = [this](QWidget *target, QMouseEvent *event) {
        return target == m_view->viewport() && mouseReleased(target, event);
    };
    filter->preview = [this](QObject *, QEvent *) {
        // Whatever the view is about to do, it works on every entry.
        if (m_model)
            m_model->publish();
        return false;
    };
    filter->watch(view);
    filter->watch(view->viewport());
}

const MemberTable<ListBox> &ListBox::memberTable()
{
    using M = Members<ListBox>;
    namespace Id = ControlDispId;
    static const MemberTable<ListBox> table = [] {
        auto members = standardMembers<ListBox>();
        const QString text = QStringLiteral("BSTR");
        const QString index = QStringLiteral("short");
        std::vector<Member<ListBox>> own {
            M::get(QStringLiteral("Text"), Id::Text, text,
                [](ListBox &c) { return Variant(c.Text()); }),
            M::get(QStringLiteral("TopIndex"), Id::TopIndex, index,
                [](ListBox &c) { return Variant(c.TopIndex()); }),
            M::let(QStringLiteral("TopIndex"), Id::TopIndex, index,
                [](ListBox &c, const Variant &v) { c.setTopIndex(toInteger(v)); }),
        };
        members.insert(members.end(), own.begin(), own.end());
        const auto list = listMembers<ListBox>();
        members.insert(members.end(), list.begin(), list.end());
        return MemberTable<ListBox>(QStringLiteral("ListBox"), std::move(members));
    }();
    return table;
}

QListView *ListBox::listView() const
{
    return m_view;
}

void ListBox::AddItem(const QString &item, std::optional<int16_t> index)
{
    liveWidget();
    FlagGuard updating(m_updatingSelection);
    const int16_t at = m_model->insert(item, index);
    if (index && m_listIndex >= at)
        ++m_listIndex;
    m_newIndex = at;
}

void ListBox::RemoveItem(int16_t index)
{
    liveWidget();
    FlagGuard updating(m_updatingSelection);
    m_model->remove(index);
    if (m_listIndex == index) {
        m_listIndex = -1;
        showSelection();
    } else if (m_listIndex > index) {
        --m_listIndex;
    }
    if (m_newIndex == index)
        m_newIndex = -1;
    else if (m_newIndex > index)
        --m_newIndex;
}

void ListBox::Clear()
{
    liveWidget();
    FlagGuard updating(m_updatingSelection);
    m_model->clear();
    m_listIndex = -1;
    m_newIndex = -1;
}

void ListBox::fill(std::shared_ptr<const ListTextSource> source, std::span<const int32_t> numbers)
{
    liveWidget();
    const int32_t available = source ? source->count() : 0;
    for (const int32_t number : numbers) {
        if (number < 0 || number >= available)
            throw RuntimeError(ErrorNumber::InvalidProcedureCall,
                QStringLiteral("text number %1 of %2").arg(number).arg(available));
    }
    const bool tooMany = numbers.size() > size_t(ListItemModel::MaxCount);
    if (tooMany)
        numbers = numbers.first(ListItemModel::MaxCount);
    FlagGuard updating(m_updatingSelection);
    m_model->fill(std::move(source), numbers);
    m_listIndex = -1;
    m_newIndex = int16_t(int(numbers.size()) - 1);
    if (tooMany)
        throw RuntimeError(ErrorNumber::OutOfMemory, QStringLiteral("the list is full"));
}

QString ListBox::List(int16_t index) const
{
    liveWidget();
    return m_model->text(index);
}

void ListBox::setList(int16_t index, const QString &text)
{
    liveWidget();
    m_model->setText(index, text);
}

int16_t ListBox::ListCount() const
{
    liveWidget();
    return m_model->count();
}

void ListBox::setListIndex(int16_t index)
{
    liveWidget();
    if (index < -1 || index >= m_model->count())
        throw RuntimeError(
            ErrorNumber::InvalidPropertyValue, QStringLiteral("ListIndex %1").arg(index));
    NotificationScope scope;
    m_listIndex = index;
    showSelection();
    raise(onClick);
    scope.finish();
}

void ListBox::showSelection()
{
    FlagGuard updating(m_updatingSelection);
    m_model->publish();
    QItemSelectionModel *selection = m_view->selectionModel();
    if (m_listIndex < 0) {
        selection->clear();
        return;
    }
    selection->setCurrentIndex(m_model->index(m_listIndex), QItemSelectionModel::ClearAndSelect);
}

void ListBox::selectionChangedByUser()
{
    if (m_updatingSelection || !m_view)
        return;
    const QModelIndexList selected = m_view->selectionModel()->selectedIndexes();
    const int16_t row = selected.isEmpty() ? int16_t(-1) : int16_t(selected.first().row());
    if (row < 0 && m_listIndex >= 0) {
        // The user cannot empty the selection of a single-selection list (a Ctrl+click on the
        // selected entry would): it stays where it was.
        showSelection();
        return;
    }
    if (row == m_listIndex)
        return;
    m_listIndex = row;
    raise(onClick);
}

bool ListBox::mousePressed(QMouseEvent *event)
{
    // Only the left button selects (and the right one when asked), and only on an entry.
    const bool selects = event->button() == Qt::LeftButton
        || (m_rightButtonSelects && event->button() == Qt::RightButton);
    if (!selects)
        return true;
    return !m_view->indexAt(event->position().toPoint()).isValid();
}

bool ListBox::mouseReleased(QWidget *viewport, QMouseEvent *event)
{
    const QPoint inView = viewport->mapTo(m_view, event->position().toPoint());
    raise(onMouseUp, mouseButtonOf(event->button()),
        ControlEventFilter::shiftStateOf(event->modifiers()), pixelsToTwips(inView.x()),
        pixelsToTwips(inView.y()));
    return false;
}

int32_t ListBox::ItemData(int16_t index) const
{
    liveWidget();
    return m_model->itemData(index);
}

void ListBox::setItemData(int16_t index, int32_t data)
{
    liveWidget();
    m_model->setItemData(index, data);
}

int16_t ListBox::TopIndex() const
{
    QListView *view = live(m_view);
    m_model->publish();
    const QModelIndex top = view->indexAt(QPoint(1, 1));
    return top.isValid() ? int16_t(top.row()) : int16_t(0);
}

void ListBox::setTopIndex(int16_t index)
{
    QListView *view = live(m_view);
    if (index < 0 || index >= m_model->count())
        throw RuntimeError(
            ErrorNumber::InvalidPropertyValue, QStringLiteral("TopIndex %1").arg(index));
    m_model->publish();
    view->scrollTo(m_model->index(index), QAbstractItemView::PositionAtTop);
}

int16_t ListBox::rowsInView() const
{
    QListView *view = live(m_view);
    m_model->publish();
    const int row = view->sizeHintForRow(0);
    if (row <= 0)
        return 1;
    return int16_t(std::clamp(view->viewport()->height() / row, 1, int(INT16_MAX)));
}

QString ListBox::Text() const
{
    liveWidget();
    return m_listIndex >= 0 ? m_model->text(m_listIndex) : QString();
}

} // namespace platform
