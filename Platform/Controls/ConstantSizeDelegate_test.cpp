// Entries drawn by ConstantSizeDelegate look as the style draws them, whatever their state.
#include "../TestSupport/ControlTestHost.h"
#include "ConstantSizeDelegate.h"
#include "UniformListView.h"

#include <QStringListModel>
#include <gtest/gtest.h>

using namespace platform;
using platform::test::ControlTestHost;

namespace {

// The same sizes, every entry drawn by the style itself.
class StyleDrawnDelegate : public ConstantSizeDelegate
{
public:
    using ConstantSizeDelegate::ConstantSizeDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
    }
};

TEST(ConstantSizeDelegateTest, EntriesLookAsTheStyleDrawsThem)
{
    ControlTestHost host;
    ASSERT_TRUE(host.activate());
    QStringListModel model({QStringLiteral("Apple"), QStringLiteral("Grape ß ﬁ e\u0301"), QString(),
        QStringLiteral("\U0001D49C and a text far too long to fit in the list at all"),
        QStringLiteral("Plum"), QStringLiteral("two\nlines")});
    struct Case
    {
        const char *name;
        Qt::TextElideMode elide;
        int current;
        bool focus;
        bool enabled;
    };
    const Case cases[] = {
        {"selected with the focus", Qt::ElideNone, 1, true, true},
        {"selected without the focus", Qt::ElideNone, 3, false, true},
        {"nothing selected", Qt::ElideNone, -1, false, true},
        {"disabled", Qt::ElideNone, 0, false, false},
        {"elided", Qt::ElideRight, 3, true, true},
    };
    for (const Case &c : cases) {
        QImage shots[2];
        for (int way = 0; way < 2; ++way) {
            UniformListView view(host.window());
            view.setModel(&model);
            if (way == 0)
                view.setItemDelegate(new ConstantSizeDelegate(&view));
            else
                view.setItemDelegate(new StyleDrawnDelegate(&view));
            view.setTextElideMode(c.elide);
            view.setGeometry(10, 10, 160, 120);
            view.setEnabled(c.enabled);
            view.show();
            if (c.current >= 0)
                view.setCurrentIndex(model.index(c.current, 0));
            if (c.focus)
                view.setFocus();
            QApplication::processEvents();
            shots[way] = view.viewport()->grab().toImage();
        }
        EXPECT_EQ(shots[0], shots[1]) << c.name;
    }
}

} // namespace
