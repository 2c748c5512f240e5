#include "../TestSupport/ControlTestHost.h"
#include "ListBox.h"

#include "../Value/RuntimeError.h"

#include <QListView>
#include <QRandomGenerator>
#include <QScrollBar>
#include <gtest/gtest.h>
#include <span>
#include <vector>

using namespace platform;
using platform::test::ControlTestHost;

namespace {

struct MouseUp
{
    int16_t button;
    int16_t shift;
    double x;
    double y;
};

class ListBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.activate());
        list = host.make<ListBox>(QStringLiteral("lstResultados"));
        list->setLeft(300);
        list->setTop(360);
        list->setWidth(3255);
        list->setHeight(2010);
        list->onClick = [this] { clicks << list->ListIndex(); };
        list->onMouseUp = [this](int16_t button, int16_t shift, double x, double y) {
            mouseUps.push_back({button, shift, x, y});
        };
    }

    void fill(int count)
    {
        for (int i = 0; i < count; ++i)
            list->AddItem(QStringLiteral("Item %1").arg(i));
    }

    QListView *view() const { return list->listView(); }
    QWidget *viewport() const { return view()->viewport(); }

    // The centre of an entry in the viewport, the view laid out first.
    QPoint entryCentre(int row) const
    {
        QApplication::processEvents();
        return view()->visualRect(view()->model()->index(row, 0)).center();
    }

    static int errorOf(const std::function<void()> &call)
    {
        try {
            call();
        } catch (const RuntimeError &e) {
            return e.number();
        }
        return 0;
    }

    ControlTestHost host;
    std::shared_ptr<ListBox> list;
    QList<int> clicks;
    std::vector<MouseUp> mouseUps;
};

// --- ListIndex by code ---

TEST_F(ListBoxTest, SettingListIndexReportsAClickEveryTime)
{
    fill(3);
    int indexSeen = -2;
    list->onClick = [&] {
        indexSeen = list->ListIndex();
        clicks << list->ListIndex();
    };
    list->setListIndex(1);
    EXPECT_EQ(indexSeen, 1);
    list->setListIndex(1);
    list->setListIndex(-1);
    list->let(QStringLiteral("ListIndex"), Variant(int16_t(2)));
    EXPECT_EQ(clicks, (QList<int> {1, 1, -1, 2}));
    EXPECT_EQ(list->Text(), QStringLiteral("Item 2"));
    const QModelIndexList selected = view()->selectionModel()->selectedIndexes();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.first().row(), 2);
}

TEST_F(ListBoxTest, DeselectingClearsTheViewSelection)
{
    fill(3);
    list->setListIndex(1);
    list->setListIndex(-1);
    EXPECT_TRUE(view()->selectionModel()->selectedIndexes().isEmpty());
    EXPECT_EQ(list->Text(), QString());
}

TEST_F(ListBoxTest, ListIndexOutsideTheListIsAnInvalidValue)
{
    fill(2);
    for (const int16_t bad : {int16_t(-2), int16_t(2)})
        EXPECT_EQ(errorOf([&] { list->setListIndex(bad); }), 380) << bad;
    EXPECT_TRUE(clicks.isEmpty());
}

// --- The user's selection ---

TEST_F(ListBoxTest, ClickingAnEntryReportsAClickOncePerChange)
{
    fill(5);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, entryCentre(2));
    EXPECT_EQ(clicks, QList<int> {2});
    EXPECT_EQ(list->ListIndex(), 2);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, entryCentre(2));
    EXPECT_EQ(clicks, QList<int> {2});
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, entryCentre(0));
    EXPECT_EQ(clicks, (QList<int> {2, 0}));
}

TEST_F(ListBoxTest, ArrowKeysMoveTheSelectionAndReportClicks)
{
    fill(5);
    list->setListIndex(1);
    clicks.clear();
    list->SetFocus();
    QTest::keyClick(view(), Qt::Key_Down);
    QTest::keyClick(view(), Qt::Key_Down);
    QTest::keyClick(view(), Qt::Key_Up);
    EXPECT_EQ(clicks, (QList<int> {2, 3, 2}));
    EXPECT_EQ(list->ListIndex(), 2);
}

TEST_F(ListBoxTest, CtrlClickCannotEmptyTheSelection)
{
    fill(3);
    list->setListIndex(1);
    clicks.clear();
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ControlModifier, entryCentre(1));
    EXPECT_EQ(list->ListIndex(), 1);
    EXPECT_EQ(view()->selectionModel()->selectedIndexes().size(), 1);
    EXPECT_TRUE(clicks.isEmpty());
}

TEST_F(ListBoxTest, PressOnTheBlankAreaKeepsTheSelection)
{
    fill(2);
    list->setListIndex(0);
    clicks.clear();
    const QPoint blank(20, viewport()->height() - 5);
    ASSERT_FALSE(view()->indexAt(blank).isValid());
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, blank);
    EXPECT_EQ(list->ListIndex(), 0);
    EXPECT_TRUE(clicks.isEmpty());
    EXPECT_EQ(mouseUps.size(), 1u);
}

// --- Mouse releases ---

struct MouseCase
{
    const char *label;
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    int16_t expectedButton;
    int16_t expectedShift;
};

class ListBoxMouseUp : public ListBoxTest, public ::testing::WithParamInterface<MouseCase>
{
};

TEST_P(ListBoxMouseUp, ReportsEveryButtonWithShiftAndTwips)
{
    const MouseCase c = GetParam();
    fill(3);
    const QPoint at = entryCentre(1);
    QTest::mouseClick(viewport(), c.button, c.modifiers, at);
    ASSERT_EQ(mouseUps.size(), 1u) << c.label;
    EXPECT_EQ(mouseUps[0].button, c.expectedButton);
    EXPECT_EQ(mouseUps[0].shift, c.expectedShift);
    const QPoint inControl = viewport()->mapTo(view(), at);
    EXPECT_EQ(mouseUps[0].x, inControl.x() * 15.0);
    EXPECT_EQ(mouseUps[0].y, inControl.y() * 15.0);
    // Only the left button selects.
    EXPECT_EQ(list->ListIndex(), c.button == Qt::LeftButton ? 1 : -1);
}

INSTANTIATE_TEST_SUITE_P(Table, ListBoxMouseUp,
    ::testing::Values(MouseCase {"Left", Qt::LeftButton, {}, 1, 0},
        MouseCase {"Right", Qt::RightButton, {}, 2, 0},
        MouseCase {"Middle", Qt::MiddleButton, {}, 4, 0},
        MouseCase {"ShiftLeft", Qt::LeftButton, Qt::ShiftModifier, 1, 1},
        MouseCase {"CtrlRight", Qt::RightButton, Qt::ControlModifier, 2, 2},
        MouseCase {"AltMiddle", Qt::MiddleButton, Qt::AltModifier, 4, 4},
        MouseCase {"AllRight", Qt::RightButton,
            Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, 2, 7}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(ListBoxTest, WithRightButtonSelectingARightPressSelectsTheEntryUnderThePointer)
{
    fill(3);
    list->setRightButtonSelects(true);
    list->setListIndex(0);
    clicks.clear();
    QStringList order;
    list->onClick = [&] { order << QStringLiteral("click %1").arg(list->ListIndex()); };
    list->onMouseUp = [&](int16_t button, int16_t, double, double) {
        order << QStringLiteral("up %1 at %2").arg(button).arg(list->ListIndex());
    };
    QTest::mouseClick(viewport(), Qt::RightButton, {}, entryCentre(2));
    // The middle button still selects nothing; a right press on the blank area keeps the
    // selection.
    QTest::mouseClick(viewport(), Qt::MiddleButton, {}, entryCentre(1));
    const QPoint blank(20, viewport()->height() - 5);
    ASSERT_FALSE(view()->indexAt(blank).isValid());
    QTest::mouseClick(viewport(), Qt::RightButton, {}, blank);
    EXPECT_EQ(order,
        (QStringList {QStringLiteral("click 2"), QStringLiteral("up 2 at 2"),
            QStringLiteral("up 4 at 2"), QStringLiteral("up 2 at 2")}));
    EXPECT_EQ(list->ListIndex(), 2);
}

TEST_F(ListBoxTest, MouseUpComesAfterTheClickOfTheSamePress)
{
    fill(3);
    QStringList order;
    list->onClick = [&] { order << QStringLiteral("click"); };
    list->onMouseUp = [&](int16_t, int16_t, double, double) { order << QStringLiteral("up"); };
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, entryCentre(2));
    EXPECT_EQ(order, (QStringList {QStringLiteral("click"), QStringLiteral("up")}));
}

TEST_F(ListBoxTest, MouseUpHandlerMayHideOrDestroyTheList)
{
    fill(3);
    list->onMouseUp = [this](int16_t, int16_t, double, double) { list->setVisible(false); };
    QTest::mouseClick(viewport(), Qt::RightButton, {}, entryCentre(0));
    EXPECT_FALSE(list->Visible());

    auto doomed = host.make<ListBox>(QStringLiteral("doomed"));
    doomed->AddItem(QStringLiteral("x"));
    QWidget *doomedViewport = doomed->listView()->viewport();
    const QPoint at
        = doomed->listView()->visualRect(doomed->listView()->model()->index(0, 0)).center();
    doomed->onMouseUp = [&doomed](int16_t, int16_t, double, double) { doomed.reset(); };
    QApplication::processEvents();
    QTest::mouseClick(doomedViewport, Qt::LeftButton, {}, at);
    EXPECT_EQ(doomed, nullptr);
}

// --- Keys ---

TEST_F(ListBoxTest, TypingGoesToKeyPressAndSelectsNothing)
{
    list->AddItem(QStringLiteral("apple"));
    list->AddItem(QStringLiteral("banana"));
    list->AddItem(QStringLiteral("cherry"));
    std::vector<int> codes;
    list->onKeyPress = [&codes](int16_t &keyAscii) { codes.push_back(keyAscii); };
    list->SetFocus();
    QTest::keyClicks(view(), QStringLiteral("bc"));
    QTest::keyClick(view(), Qt::Key_Return);
    QTest::keyClick(view(), Qt::Key_Escape);
    QTest::keyClick(view(), Qt::Key_Backspace);
    EXPECT_EQ(codes, (std::vector<int> {'b', 'c', 13, 27, 8}));
    EXPECT_EQ(list->ListIndex(), -1);
    EXPECT_TRUE(clicks.isEmpty());
}

TEST_F(ListBoxTest, ReportsFocus)
{
    QStringList focus;
    list->onGotFocus = [&] { focus << QStringLiteral("got"); };
    list->onLostFocus = [&] { focus << QStringLiteral("lost"); };
    fill(2);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, entryCentre(0));
    EXPECT_EQ(focus, QStringList {QStringLiteral("got")});
    host.window()->setFocus();
    EXPECT_EQ(focus, (QStringList {QStringLiteral("got"), QStringLiteral("lost")}));
}

// --- Entries ---

TEST_F(ListBoxTest, EntriesWithItemDataAndNewIndex)
{
    list->AddItem(QStringLiteral("b"));
    list->AddItem(QStringLiteral("a"), 0);
    EXPECT_EQ(list->NewIndex(), 0);
    list->call(QStringLiteral("AddItem"), {Variant(QStringLiteral("c"))});
    EXPECT_EQ(list->NewIndex(), 2);
    list->setItemData(list->NewIndex(), 42);
    list->let(QStringLiteral("ItemData"), {Variant(int16_t(0))}, Variant(int32_t(-1)));
    EXPECT_EQ(list->ItemData(2), 42);
    EXPECT_EQ(list->ItemData(0), -1);
    EXPECT_EQ(list->ItemData(1), 0);
    EXPECT_EQ(
        list->get(QStringLiteral("List"), {Variant(int16_t(1))}), Variant(QStringLiteral("b")));
    EXPECT_EQ(list->ListCount(), 3);
}

TEST_F(ListBoxTest, RemovingAndInsertingKeepTheSelectedEntry)
{
    fill(4);
    list->setListIndex(2);
    clicks.clear();
    list->AddItem(QStringLiteral("first"), 0);
    EXPECT_EQ(list->ListIndex(), 3);
    list->RemoveItem(0);
    EXPECT_EQ(list->ListIndex(), 2);
    EXPECT_EQ(list->Text(), QStringLiteral("Item 2"));
    list->RemoveItem(2);
    EXPECT_EQ(list->ListIndex(), -1);
    EXPECT_TRUE(view()->selectionModel()->selectedIndexes().isEmpty());
    EXPECT_TRUE(clicks.isEmpty());
}

TEST_F(ListBoxTest, BadIndicesRaiseTheListErrors)
{
    fill(2);
    EXPECT_EQ(errorOf([&] { list->List(2); }), 381);
    EXPECT_EQ(errorOf([&] { list->List(-1); }), 381);
    EXPECT_EQ(errorOf([&] { list->ItemData(5); }), 381);
    EXPECT_EQ(errorOf([&] { list->setItemData(-3, 0); }), 381);
    EXPECT_EQ(errorOf([&] { list->RemoveItem(2); }), 381);
    EXPECT_EQ(errorOf([&] { list->AddItem(QStringLiteral("x"), 3); }), 381);
    EXPECT_EQ(errorOf([&] { list->AddItem(QStringLiteral("x"), -1); }), 381);
    EXPECT_EQ(errorOf([&] { list->setTopIndex(2); }), 380);
    EXPECT_EQ(list->ListCount(), 2);
}

TEST_F(ListBoxTest, AFullListRefusesOneMore)
{
    fill(ListItemModel::MaxCount);
    EXPECT_EQ(errorOf([&] { list->AddItem(QStringLiteral("x")); }), 7);
    EXPECT_EQ(list->ListCount(), 32767);
    list->setListIndex(32766);
    EXPECT_EQ(view()->model()->rowCount(), 32767);
}

TEST_F(ListBoxTest, ClearAndRefillThenSelectFirst)
{
    fill(100);
    list->setListIndex(50);
    clicks.clear();
    list->Clear();
    EXPECT_EQ(list->ListIndex(), -1);
    EXPECT_EQ(list->NewIndex(), -1);
    EXPECT_EQ(list->ListCount(), 0);
    fill(5500);
    list->setListIndex(0);
    EXPECT_EQ(clicks, QList<int> {0});
    EXPECT_EQ(view()->model()->rowCount(), 5500);
    EXPECT_EQ(view()->currentIndex().row(), 0);
    EXPECT_EQ(list->TopIndex(), 0);
}

TEST_F(ListBoxTest, AppendedEntriesReachTheViewByTheNextEventLoopTurn)
{
    fill(3);
    EXPECT_EQ(list->ListCount(), 3);
    QApplication::processEvents();
    EXPECT_EQ(view()->model()->rowCount(), 3);
    EXPECT_EQ(view()->model()->index(2, 0).data().toString(), QStringLiteral("Item 2"));
}

TEST_F(ListBoxTest, TopIndexScrollsTheList)
{
    fill(200);
    list->setTopIndex(50);
    EXPECT_EQ(list->TopIndex(), 50);
    EXPECT_EQ(list->get(QStringLiteral("TopIndex")), Variant(int16_t(50)));
    list->setTopIndex(0);
    EXPECT_EQ(list->TopIndex(), 0);
}

// --- Filling from numbered texts ---

// Texts held by the test, numbered in order.
class TextsInOrder : public ListTextSource
{
public:
    explicit TextsInOrder(QStringList texts) : m_texts(std::move(texts)) { }
    int32_t count() const override { return int32_t(m_texts.size()); }
    QString text(int32_t number) const override { return m_texts.at(number); }

private:
    QStringList m_texts;
};

// fill() beside a second list given the same entries one by one: Clear, then AddItem and
// ItemData at NewIndex for each number. Every read of the two must agree, also after further
// changes made to both.
class ListBoxFillTest : public ListBoxTest
{
protected:
    void SetUp() override
    {
        ListBoxTest::SetUp();
        reference = host.make<ListBox>(QStringLiteral("reference"));
        reference->onClick = [this] { referenceClicks << reference->ListIndex(); };
        QStringList texts;
        for (int i = 0; i < 40000; ++i)
            texts << (i % 7 == 0 ? QString() : QStringLiteral("Text %1").arg(i % 5000));
        texts[3] = QStringLiteral("ß|ﬁ e\u0301 \U0001D49C");
        source = std::make_shared<TextsInOrder>(texts);
    }

    // The same fill both ways; the error number each raised (0 for none).
    std::pair<int, int> fillBoth(const std::vector<int32_t> &numbers)
    {
        const int filled = errorOf([&] { list->fill(source, numbers); });
        const int added = errorOf([&] {
            reference->Clear();
            for (const int32_t number : numbers) {
                reference->AddItem(source->text(number));
                reference->setItemData(reference->NewIndex(), number);
            }
        });
        return {filled, added};
    }

    void expectSame(const char *step)
    {
        SCOPED_TRACE(step);
        ASSERT_EQ(list->ListCount(), reference->ListCount());
        EXPECT_EQ(list->NewIndex(), reference->NewIndex());
        EXPECT_EQ(list->ListIndex(), reference->ListIndex());
        EXPECT_EQ(list->Text(), reference->Text());
        const int16_t count = list->ListCount();
        for (int16_t i = 0; i < count; ++i) {
            ASSERT_EQ(list->List(i), reference->List(i)) << i;
            ASSERT_EQ(list->ItemData(i), reference->ItemData(i)) << i;
        }
        QApplication::processEvents();
        const QAbstractItemModel *shown = view()->model();
        ASSERT_EQ(shown->rowCount(), count);
        for (int i = 0; i < count; i += std::max(1, count / 50))
            EXPECT_EQ(shown->index(i, 0).data().toString(), reference->List(int16_t(i))) << i;
        EXPECT_EQ(clicks, referenceClicks);
    }

    std::shared_ptr<ListBox> reference;
    QList<int> referenceClicks;
    std::shared_ptr<TextsInOrder> source;
};

TEST_F(ListBoxFillTest, FillingIsClearThenAddItemAndItemDataForEachNumber)
{
    struct Case
    {
        const char *name;
        std::vector<int32_t> numbers;
        int error;
    };
    std::vector<int32_t> full(32767), tooMany(32768), descending(300);
    for (size_t i = 0; i < tooMany.size(); ++i)
        tooMany[i] = int32_t(i);
    std::copy(tooMany.begin(), tooMany.begin() + 32767, full.begin());
    for (size_t i = 0; i < descending.size(); ++i)
        descending[i] = int32_t(39999 - i);
    const Case cases[] = {
        {"nothing", {}, 0},
        {"one", {3}, 0},
        {"duplicates and empty texts", {0, 7, 7, 3, 0, 14, 3}, 0},
        {"descending", descending, 0},
        {"as many as a list holds", full, 0},
        {"one more than a list holds", tooMany, 7},
        {"again after a full list", {5, 6}, 0},
    };
    for (const Case &c : cases) {
        list->setListIndex(-1);
        reference->setListIndex(-1);
        if (list->ListCount() > 0) {
            list->setListIndex(0);
            reference->setListIndex(0);
        }
        EXPECT_EQ(fillBoth(c.numbers), std::make_pair(c.error, c.error)) << c.name;
        expectSame(c.name);
    }
}

TEST_F(ListBoxFillTest, ANumberOutsideTheTextsChangesNothing)
{
    fillBoth({1, 2, 3});
    list->setListIndex(1);
    reference->setListIndex(1);
    for (const int32_t bad : {-1, 40000}) {
        EXPECT_EQ(errorOf([&] { list->fill(source, std::vector<int32_t> {4, bad}); }), 5) << bad;
        expectSame("refused");
    }
    EXPECT_EQ(errorOf([&] { list->fill(nullptr, std::vector<int32_t> {0}); }), 5);
    expectSame("refused without texts");
    EXPECT_EQ(errorOf([&] { list->fill(nullptr, {}); }), 0);
    reference->Clear();
    expectSame("empty without texts");
}

TEST_F(ListBoxFillTest, AFilledListChangesAsAListOfItsOwnTexts)
{
    QRandomGenerator random(15);
    for (int round = 0; round < 60; ++round) {
        std::vector<int32_t> numbers(random.bounded(40));
        for (int32_t &number : numbers)
            number = int32_t(random.bounded(source->count()));
        fillBoth(numbers);
        expectSame("filled");
        // A few changes of any kind, made to both the same way.
        for (int step = 0; step < 4; ++step) {
            const int16_t count = list->ListCount();
            const int16_t at = int16_t(count > 0 ? random.bounded(count) : 0);
            const QString text = QStringLiteral("new %1").arg(random.bounded(9));
            const int32_t data = int32_t(random.bounded(1000));
            switch (random.bounded(count > 0 ? 7 : 2)) {
            case 0:
                list->AddItem(text);
                reference->AddItem(text);
                break;
            case 1:
                list->AddItem(text, int16_t(random.bounded(count + 1)));
                reference->AddItem(text, list->NewIndex());
                break;
            case 2:
                list->RemoveItem(at);
                reference->RemoveItem(at);
                break;
            case 3:
                list->setList(at, text);
                reference->setList(at, text);
                break;
            case 4:
                list->setItemData(at, data);
                reference->setItemData(at, data);
                break;
            case 5:
                list->setListIndex(at);
                reference->setListIndex(at);
                break;
            default:
                list->Clear();
                reference->Clear();
                break;
            }
            expectSame("changed");
        }
    }
}

} // namespace
