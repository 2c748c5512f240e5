#include "../TestSupport/ControlTestHost.h"
#include "ComboBox.h"

#include "../Value/RuntimeError.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace platform;
using platform::test::ControlTestHost;

namespace {

class ComboBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.activate());
        combo = host.make<ComboBox>(QStringLiteral("cmbCombo"));
        combo->setWidth(2895);
        combo->onChange = [this] {
            ++changes;
            log << QStringLiteral("change:") + combo->Text();
        };
        combo->onClick = [this] {
            ++clicks;
            log << QStringLiteral("click:%1:%2").arg(combo->ListIndex()).arg(combo->Text());
        };
    }

    void fill(const QStringList &items)
    {
        for (const QString &item : items)
            combo->AddItem(item);
    }

    void resetCounts()
    {
        changes = 0;
        clicks = 0;
        log.clear();
    }

    QLineEdit *edit() const { return combo->lineEdit(); }
    QAbstractItemView *popupView() const { return combo->comboBox()->view(); }

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
    std::shared_ptr<ComboBox> combo;
    int changes = 0;
    int clicks = 0;
    QStringList log;
};

// --- Text and change reports ---

TEST_F(ComboBoxTest, SettingADifferentTextReportsOneChangeAndTheSameNone)
{
    combo->setText(QStringLiteral("Apple"));
    EXPECT_EQ(log, QStringList {QStringLiteral("change:Apple")});
    combo->setText(QStringLiteral("Apple"));
    EXPECT_EQ(changes, 1);
    combo->setText(QString());
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(clicks, 0);
}

TEST_F(ComboBoxTest, TypingReportsChangesAndDeselectsWithoutAClick)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Apricot")});
    combo->setListIndex(1);
    resetCounts();
    combo->SetFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
    EXPECT_EQ(combo->ListIndex(), -1);
    EXPECT_EQ(log, QStringList {QStringLiteral("change:Apricotx")});
}

TEST_F(ComboBoxTest, NoBuiltInCompletion)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Apricot")});
    EXPECT_EQ(combo->comboBox()->completer(), nullptr);
    combo->SetFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Ap"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Ap"));
    EXPECT_EQ(combo->SelLength(), 0);
    EXPECT_EQ(combo->ListIndex(), -1);
}

TEST_F(ComboBoxTest, CompletionInTheChangeHandlerKeepsItsSelection)
{
    // The owner's type-ahead: fill in the first entry that starts with the typed text and
    // select the completed part, nested inside the change report of the keystroke.
    fill({QStringLiteral("Apple"), QStringLiteral("Apricot")});
    int depth = 0;
    combo->onChange = [&] {
        ++changes;
        ++depth;
        const QString typed = combo->Text().toUpper();
        for (int16_t i = 0; i < combo->ListCount(); ++i) {
            if (combo->List(i).toUpper().startsWith(typed)) {
                combo->setText(combo->List(i));
                combo->setSelStart(int32_t(typed.size()));
                combo->setSelLength(int32_t(combo->List(i).size()));
                break;
            }
        }
        --depth;
    };
    combo->SetFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ap"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Apple"));
    EXPECT_EQ(combo->SelStart(), 2);
    EXPECT_EQ(combo->SelLength(), 3);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("r"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Apricot"));
    EXPECT_EQ(combo->SelStart(), 3);
    EXPECT_EQ(combo->SelLength(), 4);
    EXPECT_EQ(clicks, 0);
}

TEST_F(ComboBoxTest, TextKeepsAnyUtf16AndLengthBeyondTheToolkitLimit)
{
    const QString text = QString(40000, QChar(u'x')) + QString::fromUtf16(u"\xD800\x01");
    combo->setText(text);
    EXPECT_TRUE(combo->Text() == text);
}

// --- ListIndex ---

struct ListIndexCase
{
    int16_t from;
    int16_t to;
    const char16_t *text;
};

class ComboBoxListIndex : public ComboBoxTest, public ::testing::WithParamInterface<ListIndexCase>
{
};

TEST_P(ComboBoxListIndex, SettingReportsAClickAtOnceAndShowsTheEntrySilently)
{
    const ListIndexCase c = GetParam();
    fill({QStringLiteral("Apple"), QStringLiteral("Grape"), QStringLiteral("Plum")});
    combo->setListIndex(c.from);
    resetCounts();
    combo->setListIndex(c.to);
    EXPECT_EQ(
        log, QStringList {QStringLiteral("click:%1:%2").arg(c.to).arg(QString::fromUtf16(c.text))});
    EXPECT_EQ(combo->Text(), QString::fromUtf16(c.text));
    EXPECT_EQ(changes, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, ComboBoxListIndex,
    ::testing::Values(ListIndexCase {-1, 0, u"Apple"}, ListIndexCase {0, 2, u"Plum"},
        ListIndexCase {1, 1, u"Grape"}, ListIndexCase {2, -1, u""}, ListIndexCase {-1, -1, u""}));

TEST_F(ComboBoxTest, SettingTheIndexTypedAwayFromShowsTheEntryAgain)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Grape")});
    combo->setListIndex(1);
    combo->SetFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("zz"));
    resetCounts();
    combo->setListIndex(1);
    EXPECT_EQ(combo->Text(), QStringLiteral("Grape"));
    EXPECT_EQ(log, QStringList {QStringLiteral("click:1:Grape")});
}

TEST_F(ComboBoxTest, ClickHandlerMaySetTheIndexAgainNested)
{
    fill({QStringLiteral("APPLE "), QStringLiteral("---"), QStringLiteral("Apple")});
    combo->onClick = [&] {
        log << QStringLiteral("click:%1").arg(combo->ListIndex());
        if (combo->ListIndex() == 0)
            combo->setListIndex(2);
    };
    combo->setListIndex(0);
    EXPECT_EQ(log, (QStringList {QStringLiteral("click:0"), QStringLiteral("click:2")}));
    EXPECT_EQ(combo->ListIndex(), 2);
    EXPECT_EQ(combo->Text(), QStringLiteral("Apple"));
}

TEST_F(ComboBoxTest, ListIndexOutsideTheListIsAnInvalidValue)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Grape")});
    for (const int16_t bad : {int16_t(-2), int16_t(2), int16_t(32767)})
        EXPECT_EQ(errorOf([&] { combo->setListIndex(bad); }), 380) << bad;
    EXPECT_EQ(errorOf([&] { combo->let(QStringLiteral("ListIndex"), Variant(int16_t(5))); }), 380);
    EXPECT_EQ(clicks, 0);
}

// --- Picks by the user ---

TEST_F(ComboBoxTest, PickWithTheMouseReportsAClickNotAChange)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Grape"), QStringLiteral("Plum")});
    combo->comboBox()->showPopup();
    QAbstractItemView *view = popupView();
    ASSERT_TRUE(view->isVisible());
    const QRect rect = view->visualRect(view->model()->index(1, 0));
    QTest::mouseMove(view->viewport(), rect.center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(log, QStringList {QStringLiteral("click:1:Grape")});
    EXPECT_EQ(combo->Text(), QStringLiteral("Grape"));
    EXPECT_EQ(combo->ListIndex(), 1);
    EXPECT_FALSE(view->isVisible());
}

TEST_F(ComboBoxTest, PickWithTheKeyboardReportsAClickNotAChange)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Grape"), QStringLiteral("Plum")});
    combo->setListIndex(0);
    resetCounts();
    combo->SetFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(log, QStringList {QStringLiteral("click:1:Grape")});

    combo->comboBox()->showPopup();
    QAbstractItemView *view = popupView();
    ASSERT_TRUE(view->isVisible());
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(log, (QStringList {QStringLiteral("click:1:Grape"), QStringLiteral("click:2:Plum")}));
    EXPECT_EQ(changes, 0);
}

TEST_F(ComboBoxTest, PickingTheEntryTypedAwayFromShowsItAgain)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Grape")});
    combo->setListIndex(1);
    combo->SetFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("zz"));
    resetCounts();
    combo->comboBox()->showPopup();
    QAbstractItemView *view = popupView();
    const QRect rect = view->visualRect(view->model()->index(1, 0));
    QTest::mouseMove(view->viewport(), rect.center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(log, QStringList {QStringLiteral("click:1:Grape")});
}

TEST_F(ComboBoxTest, MouseWheelDoesNotPick)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Grape")});
    combo->setListIndex(0);
    resetCounts();
    QWheelEvent wheel(QPointF(5, 5), combo->comboBox()->mapToGlobal(QPointF(5, 5)), QPoint(),
        QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo->comboBox(), &wheel);
    EXPECT_EQ(combo->ListIndex(), 0);
    EXPECT_EQ(clicks, 0);
}

// --- Keys ---

TEST_F(ComboBoxTest, EnterGoesToKeyPressAndNoFurther)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Grape")});
    std::vector<int> codes;
    combo->onKeyPress = [&codes](int16_t &keyAscii) { codes.push_back(keyAscii); };
    combo->SetFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Grape"));
    resetCounts();
    codes.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(edit(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(codes, (std::vector<int> {13, 13}));
    EXPECT_EQ(combo->ListCount(), 2);
    EXPECT_EQ(combo->ListIndex(), -1);
    EXPECT_EQ(combo->Text(), QStringLiteral("Grape"));
    EXPECT_EQ(clicks + changes, 0);
}

TEST_F(ComboBoxTest, KeyPressCanSwallowAndReplace)
{
    combo->onKeyPress = [](int16_t &keyAscii) {
        if (keyAscii == 'x')
            keyAscii = 0;
        else if (keyAscii == 'a')
            keyAscii = 'A';
    };
    combo->SetFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("axbx"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Ab"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    EXPECT_EQ(combo->Text(), QStringLiteral("A"));
}

TEST_F(ComboBoxTest, BackspaceArrivesAsEightAndCanBeSwallowed)
{
    combo->setText(QStringLiteral("Apple"));
    std::vector<int> codes;
    combo->onKeyPress = [&codes](int16_t &keyAscii) {
        codes.push_back(keyAscii);
        keyAscii = 0;
    };
    combo->SetFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    EXPECT_EQ(codes, std::vector<int> {8});
    EXPECT_EQ(combo->Text(), QStringLiteral("Apple"));
}

TEST_F(ComboBoxTest, LeavingWithTheTextOfAnEntryPicksNothing)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Grape")});
    auto other = host.make<ComboBox>(QStringLiteral("other"));
    other->setTop(600);
    combo->SetFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Grape"));
    resetCounts();
    other->SetFocus();
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(combo->ListIndex(), -1);
    EXPECT_EQ(combo->Text(), QStringLiteral("Grape"));
}

// --- Focus ---

TEST_F(ComboBoxTest, ReportsFocusOnceAcrossItsParts)
{
    auto other = host.make<ComboBox>(QStringLiteral("other"));
    other->setTop(600);
    QStringList focus;
    combo->onGotFocus = [&] { focus << QStringLiteral("got"); };
    combo->onLostFocus = [&] { focus << QStringLiteral("lost"); };
    combo->SetFocus();
    QTest::mouseClick(edit(), Qt::LeftButton);
    combo->comboBox()->showPopup();
    combo->comboBox()->hidePopup();
    EXPECT_EQ(focus, QStringList {QStringLiteral("got")});
    other->SetFocus();
    EXPECT_EQ(focus, (QStringList {QStringLiteral("got"), QStringLiteral("lost")}));
}

// --- Entries ---

TEST_F(ComboBoxTest, AddItemAppendsOrInsertsAndSetsNewIndex)
{
    EXPECT_EQ(combo->NewIndex(), -1);
    combo->AddItem(QStringLiteral("b"));
    combo->AddItem(QStringLiteral("d"));
    EXPECT_EQ(combo->NewIndex(), 1);
    combo->AddItem(QStringLiteral("a"), 0);
    EXPECT_EQ(combo->NewIndex(), 0);
    combo->call(QStringLiteral("AddItem"), {Variant(QStringLiteral("c")), Variant(int16_t(2))});
    combo->call(QStringLiteral("AddItem"), {Variant(QStringLiteral("e"))});
    EXPECT_EQ(combo->NewIndex(), 4);
    ASSERT_EQ(combo->ListCount(), 5);
    QStringList items;
    for (int16_t i = 0; i < combo->ListCount(); ++i)
        items << combo->List(i);
    EXPECT_EQ(items.join(QString()), QStringLiteral("abcde"));
    EXPECT_EQ(combo->get(QStringLiteral("List"), {Variant(QStringLiteral("1"))}),
        Variant(QStringLiteral("b")));
}

TEST_F(ComboBoxTest, AddingToAnEmptyListLeavesTextAndIndexAlone)
{
    combo->setText(QStringLiteral("typed"));
    resetCounts();
    combo->AddItem(QStringLiteral("Apple"));
    QApplication::processEvents();
    EXPECT_EQ(combo->Text(), QStringLiteral("typed"));
    EXPECT_EQ(combo->ListIndex(), -1);
    EXPECT_EQ(combo->comboBox()->count(), 1);
    EXPECT_EQ(clicks + changes, 0);
}

TEST_F(ComboBoxTest, InsertingBeforeTheSelectionKeepsTheSelectedEntry)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Grape")});
    combo->setListIndex(1);
    combo->AddItem(QStringLiteral("Banana"), 0);
    EXPECT_EQ(combo->ListIndex(), 2);
    EXPECT_EQ(combo->List(combo->ListIndex()), QStringLiteral("Grape"));
}

TEST_F(ComboBoxTest, RemoveItemKeepsTheTextAndMovesTheIndex)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Grape"), QStringLiteral("Plum")});
    combo->setListIndex(2);
    resetCounts();
    combo->RemoveItem(0);
    EXPECT_EQ(combo->ListIndex(), 1);
    EXPECT_EQ(combo->Text(), QStringLiteral("Plum"));
    combo->RemoveItem(1);
    EXPECT_EQ(combo->ListIndex(), -1);
    EXPECT_EQ(combo->Text(), QStringLiteral("Plum"));
    EXPECT_EQ(combo->ListCount(), 1);
    EXPECT_EQ(clicks + changes, 0);
}

TEST_F(ComboBoxTest, ClearEmptiesListAndTextSilently)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Grape")});
    combo->setListIndex(1);
    resetCounts();
    combo->Clear();
    EXPECT_EQ(combo->ListCount(), 0);
    EXPECT_EQ(combo->ListIndex(), -1);
    EXPECT_EQ(combo->NewIndex(), -1);
    EXPECT_EQ(combo->Text(), QString());
    EXPECT_EQ(clicks + changes, 0);
}

TEST_F(ComboBoxTest, ItemDataIsKeptPerEntry)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Grape")});
    combo->setItemData(1, 0x7FFFFFFF);
    combo->let(QStringLiteral("ItemData"), {Variant(QStringLiteral("0"))}, Variant(int32_t(-5)));
    EXPECT_EQ(combo->ItemData(0), -5);
    EXPECT_EQ(combo->get(QStringLiteral("ItemData"), {Variant(1.0)}), Variant(int32_t(0x7FFFFFFF)));
    combo->AddItem(QStringLiteral("First"), 0);
    EXPECT_EQ(combo->ItemData(0), 0);
    EXPECT_EQ(combo->ItemData(2), 0x7FFFFFFF);
}

struct BadIndexCase
{
    const char *label;
    std::function<void(ComboBox &)> call;
    int expected;
};

class ComboBoxBadIndex : public ComboBoxTest, public ::testing::WithParamInterface<BadIndexCase>
{
};

TEST_P(ComboBoxBadIndex, RaisesTheListErrors)
{
    fill({QStringLiteral("Apple"), QStringLiteral("Grape")});
    EXPECT_EQ(errorOf([&] { GetParam().call(*combo); }), GetParam().expected) << GetParam().label;
    EXPECT_EQ(combo->ListCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Table, ComboBoxBadIndex,
    ::testing::Values(BadIndexCase {"ListPastEnd", [](ComboBox &c) { c.List(2); }, 381},
        BadIndexCase {"ListNegative", [](ComboBox &c) { c.List(-1); }, 381},
        BadIndexCase {"ItemDataPastEnd", [](ComboBox &c) { c.ItemData(2); }, 381},
        BadIndexCase {"SetItemDataNegative", [](ComboBox &c) { c.setItemData(-1, 1); }, 381},
        BadIndexCase {"RemovePastEnd", [](ComboBox &c) { c.RemoveItem(2); }, 381},
        BadIndexCase {"RemoveNegative", [](ComboBox &c) { c.RemoveItem(-1); }, 381},
        BadIndexCase {"AddPastEnd", [](ComboBox &c) { c.AddItem(QStringLiteral("x"), 3); }, 381},
        BadIndexCase {"AddNegative", [](ComboBox &c) { c.AddItem(QStringLiteral("x"), -1); }, 381},
        BadIndexCase {"AddIndexOverflow",
            [](ComboBox &c) {
                c.call(QStringLiteral("AddItem"), {Variant(QStringLiteral("x")), Variant(40000.0)});
            },
            6}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(ComboBoxTest, AFullListRefusesOneMore)
{
    for (int i = 0; i < ListItemModel::MaxCount; ++i)
        combo->AddItem(QString::number(i));
    EXPECT_EQ(combo->ListCount(), 32767);
    EXPECT_EQ(combo->NewIndex(), 32766);
    EXPECT_EQ(errorOf([&] { combo->AddItem(QStringLiteral("one more")); }), 7);
    EXPECT_EQ(errorOf([&] { combo->AddItem(QStringLiteral("one more"), 0); }), 7);
    EXPECT_EQ(combo->ListCount(), 32767);
    // The whole list reaches the drop-down.
    combo->setListIndex(32766);
    combo->comboBox()->showPopup();
    EXPECT_EQ(popupView()->model()->rowCount(), 32767);
    EXPECT_EQ(combo->Text(), QStringLiteral("32766"));
    combo->comboBox()->hidePopup();
}

// --- Geometry ---

TEST_F(ComboBoxTest, HeightFollowsTheFontAndCannotBeSet)
{
    EXPECT_EQ(combo->Height(), 315.0);
    combo->setHeight(2000);
    EXPECT_EQ(combo->Height(), 315.0);
    EXPECT_EQ(combo->widget()->height(), 21);
    combo->Font()->setSize(Currency::fromRaw(240000));
    const int expected = QFontMetrics(combo->widget()->font()).height() + 8;
    EXPECT_GT(expected, 21);
    EXPECT_EQ(combo->Height(), expected * 15.0);
    EXPECT_EQ(combo->widget()->height(), expected);
}

} // namespace
