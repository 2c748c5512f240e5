#include "TabOrder.h"

#include <QPointer>
#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace platform {

namespace {

// The widgets Tab stops at for one member: the member itself when it takes the focus, else (a
// composite control's surface) its own pieces that do, in the order they already have.
std::vector<QWidget *> stopsOf(QWidget *member)
{
    if (member->focusPolicy() & Qt::TabFocus)
        return {member};
    std::vector<QWidget *> stops;
    for (QWidget *w = member->nextInFocusChain(); w && w != member; w = w->nextInFocusChain()) {
        if (!member->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        // A piece's own inner widgets (a combo box's edit field) go with the piece.
        const bool inner = std::any_of(
            stops.begin(), stops.end(), [w](const QWidget *stop) { return stop->isAncestorOf(w); });
        if (!inner)
            stops.push_back(w);
    }
    return stops;
}

// Links the stops of the members in the order given, each after the one before.
void chain(const std::vector<QWidget *> &members)
{
    QWidget *previous = nullptr;
    for (QWidget *member : members) {
        for (QWidget *stop : stopsOf(member)) {
            if (previous)
                QWidget::setTabOrder(previous, stop);
            previous = stop;
        }
    }
}

// Kept as a child of the parent, so that it goes with it.
class Keeper : public QObject
{
public:
    explicit Keeper(QWidget *parent) : QObject(parent), m_parent(parent) { all()[parent] = this; }
    ~Keeper() override { all().erase(m_parent); }

    static Keeper *of(QWidget *parent, bool create)
    {
        const auto found = all().find(parent);
        if (found != all().end())
            return found->second;
        return create ? new Keeper(parent) : nullptr;
    }

    int join(QWidget *widget)
    {
        const int index = m_live;
        m_position[widget] = m_members.size();
        m_members.push_back({widget, index, m_nextSequence++});
        ++m_live;
        // A widget's address may be reused once it is gone: forget it with it.
        connect(widget, &QObject::destroyed, this, [this, widget] {
            --m_live;
            m_position.erase(widget);
        });
        if (m_batches > 0 || !m_ordered) {
            m_ordered = false;
        } else if (index >= m_highest) {
            // The usual case: the new control goes after the last one.
            if (m_last && m_last != widget)
                chain({m_last, widget});
            m_last = widget;
            m_highest = index;
        } else {
            order();
        }
        return index;
    }

    void setIndex(QWidget *widget, int index)
    {
        const auto found = m_position.find(widget);
        if (found == m_position.end())
            return;
        m_members[found->second].index = index;
        m_ordered = false;
        if (m_batches == 0)
            order();
    }

    void beginBatch() { ++m_batches; }
    void endBatch()
    {
        if (--m_batches == 0 && !m_ordered)
            order();
    }

private:
    struct Member
    {
        QPointer<QWidget> widget;
        int index;
        uint64_t sequence;
    };

    void order()
    {
        std::erase_if(m_members, [](const Member &member) { return member.widget.isNull(); });
        std::sort(m_members.begin(), m_members.end(), [](const Member &a, const Member &b) {
            return a.index != b.index ? a.index < b.index : a.sequence < b.sequence;
        });
        m_position.clear();
        std::vector<QWidget *> ordered;
        ordered.reserve(m_members.size());
        for (size_t i = 0; i < m_members.size(); ++i) {
            m_position[m_members[i].widget.data()] = i;
            ordered.push_back(m_members[i].widget.data());
        }
        chain(ordered);
        m_last = m_members.empty() ? nullptr : m_members.back().widget.data();
        m_highest = m_members.empty() ? 0 : m_members.back().index;
        m_ordered = true;
    }

    static std::unordered_map<QWidget *, Keeper *> &all()
    {
        static std::unordered_map<QWidget *, Keeper *> keepers;
        return keepers;
    }

    QWidget *m_parent;
    std::vector<Member> m_members;
    // Where each live member's widget is in m_members.
    std::unordered_map<QWidget *, size_t> m_position;
    int m_live = 0;
    uint64_t m_nextSequence = 0;
    int m_batches = 0;
    bool m_ordered = true;
    QPointer<QWidget> m_last;
    int m_highest = 0;
};

} // namespace

int TabOrder::join(QWidget *widget)
{
    QWidget *parent = widget->parentWidget();
    return parent ? Keeper::of(parent, true)->join(widget) : 0;
}

void TabOrder::setIndex(QWidget *widget, int index)
{
    if (QWidget *parent = widget->parentWidget())
        Keeper::of(parent, true)->setIndex(widget, index);
}

TabOrder::Batch::Batch(QWidget *parent) : m_parent(parent)
{
    Keeper::of(parent, true)->beginBatch();
}

TabOrder::Batch::~Batch()
{
    if (Keeper *keeper = Keeper::of(m_parent, false))
        keeper->endBatch();
}

} // namespace platform
