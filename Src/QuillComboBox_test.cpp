// QuillComboBox through the host: its class and members, persistence, layout, type-ahead
// completion, Backspace and the dispatch of clicks on the inner list.
#include "HighDensityTestSupport.h"
#include "QuillComboBoxTestFixture.h"
#include "QuillkitIds.h"

#include <Quillkit/Objects/TypeInfo.h>
#include <Quillkit/TestSupport/ControlTestHost.h>
#include <Quillkit/TestSupport/TestEnvironment.h>
#include <Quillkit/Value/TextServices.h>

#include <QAbstractItemView>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

using namespace platform;
using namespace quillkit::test;

namespace {

const QString Separator = QStringLiteral("---------------");

class QuillComboBoxTest : public ComboBoxFixture
{
protected:
    void typeInCombo(const QString &keys) { QTest::keyClicks(comboEdit(), keys); }
    int32_t selStart() { return number(combo, QStringLiteral("SelStart")); }
    int32_t selLength() { return number(combo, QStringLiteral("SelLength")); }
};

// --- Class and members ---

TEST_F(QuillComboBoxTest, JoinsTheLibraryWithItsClassData)
{
    const ClassInfo *info = host.libraryDescriptor(ModulePath)
                                .info()
                                .findClass(QStringLiteral("Quillkit.QuillComboBox"));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->id, quillkit::ids::QuillComboBox);
    EXPECT_EQ(info->name, "QuillComboBox");
    EXPECT_EQ(info->miscStatus, 0x00020191u);
    EXPECT_EQ(info->toolboxBitmapId, 30003);
    EXPECT_EQ(info->designWidth, 3270);
    EXPECT_EQ(info->designHeight, 2385);

    EXPECT_EQ(info->defaultInterface.id, quillkit::ids::QuillComboBoxInterface);
    EXPECT_EQ(info->defaultInterface.name, "_QuillComboBox");
    EXPECT_FALSE(info->defaultInterface.dispatchOnly);
    for (const char *attribute : {"dual", "hidden", "nonextensible", "oleautomation"})
        EXPECT_TRUE(info->defaultInterface.attributes.contains(QString::fromLatin1(attribute)))
            << attribute;

    EXPECT_EQ(info->eventInterface.id, quillkit::ids::QuillComboBoxEvents);
    EXPECT_EQ(info->eventInterface.name, "__QuillComboBox");
    EXPECT_TRUE(info->eventInterface.dispatchOnly);
    EXPECT_TRUE(info->eventInterface.attributes.contains("hidden"));
    EXPECT_TRUE(info->eventInterface.attributes.contains("nonextensible"));
    ASSERT_EQ(info->eventInterface.members.size(), 2u);
    EXPECT_EQ(info->eventInterface.members[0].name, "Change");
    EXPECT_EQ(info->eventInterface.members[0].id, 1);
    EXPECT_EQ(info->eventInterface.members[1].name, "Click");
    EXPECT_EQ(info->eventInterface.members[1].id, 2);
}

TEST_F(QuillComboBoxTest, ListsItsMembersInSlotOrderWithTheirIds)
{
    struct Expected
    {
        const char *name;
        DispId id;
        InvokeKind kind;
        const char *type;
    };
    const Expected expected[] = {
        {"Clear", 0x60030007, InvokeKind::Method, "void"},
        {"AddItem", 0x60030008, InvokeKind::Method, "void"},
        {"ItemData", 0x68030003, InvokeKind::PropertyLet, "long"},
        {"ItemData", 0x68030003, InvokeKind::PropertyGet, "long"},
        {"ResetMemory", 0x60030011, InvokeKind::Method, "void"},
        {"ComboBox", 0x68030002, InvokeKind::PropertyGet, "IDispatch*"},
        {"ListBox", 0x68030001, InvokeKind::PropertyGet, "IDispatch*"},
        {"SearchText", 0x68030000, InvokeKind::PropertyGet, "BSTR"},
        {"SearchText", 0x68030000, InvokeKind::PropertyLet, "BSTR"},
    };
    const ClassInfo *info = host.libraryDescriptor(ModulePath)
                                .info()
                                .findClass(QStringLiteral("Quillkit.QuillComboBox"));
    ASSERT_NE(info, nullptr);
    const auto &members = info->defaultInterface.members;
    ASSERT_EQ(members.size(), std::size(expected));
    for (size_t i = 0; i < members.size(); ++i) {
        EXPECT_EQ(members[i].name, QString::fromLatin1(expected[i].name)) << i;
        EXPECT_EQ(members[i].id, expected[i].id) << i;
        EXPECT_EQ(members[i].kind, expected[i].kind) << i;
        EXPECT_EQ(members[i].type, QString::fromLatin1(expected[i].type)) << i;
    }
    // AddItem: the item, then an optional index.
    ASSERT_EQ(members[1].params.size(), 2u);
    EXPECT_EQ(members[1].params[0].type, "BSTR");
    EXPECT_FALSE(members[1].params[0].optional);
    EXPECT_EQ(members[1].params[1].type, "VARIANT");
    EXPECT_TRUE(members[1].params[1].optional);
}

TEST_F(QuillComboBoxTest, IsCreatedByClassIdAsByProgId)
{
    ControlSite &site = form.addControl(
        quillkit::ids::QuillComboBox.toString(), QStringLiteral("ById"), QRectF(0, 0, 3270, 2385));
    EXPECT_EQ(site.control()->className(), "QuillComboBox");
    EXPECT_EQ(site.control()->idOfName(QStringLiteral("resetmemory")), 0x60030011);
}

TEST_F(QuillComboBoxTest, ComposesFourNamedControlsAtTheirDesignPlaces)
{
    create();
    for (const char *name : {"cmbCombo", "cmdBuscar", "lstResultados", "txtBuscar"})
        ASSERT_NE(widget(name), nullptr) << name;
    // The panel is closed: only the combo and the button show.
    EXPECT_FALSE(widget("cmbCombo")->isHidden());
    EXPECT_FALSE(widget("cmdBuscar")->isHidden());
    EXPECT_TRUE(widget("lstResultados")->isHidden());
    EXPECT_TRUE(widget("txtBuscar")->isHidden());

    EXPECT_EQ(twips(results, QStringLiteral("Left")), 0);
    EXPECT_EQ(twips(results, QStringLiteral("Top")), 360);
    EXPECT_EQ(twips(results, QStringLiteral("Height")), 2010);
    EXPECT_EQ(number(combo, QStringLiteral("TabIndex")), 0);
    EXPECT_EQ(number(results, QStringLiteral("TabIndex")), 2);
    EXPECT_EQ(widget("txtBuscar")->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(widget("txtBuscar")->height(), 21);

    // The button: graphical, no caption, the 17 x 16 binoculars.
    QWidget *button = widget("cmdBuscar");
    EXPECT_EQ(button->property("text").toString(), QString());
    EXPECT_EQ(button->property("iconSize").toSize(), QSize(17, 16));
    EXPECT_EQ(button->geometry().top(), 0);
    EXPECT_EQ(button->geometry().width(), 24); // 360 twips
}

// --- Persistence ---

// On a screen that doubles, the search button shows binoculars drawn at that density, not the
// 17 x 16 picture enlarged; on a plain screen it shows the 17 x 16 picture.
TEST_F(QuillComboBoxTest, TheSearchButtonsPictureIsSharpAtTwiceTheDensity)
{
    create();
    auto *button = qobject_cast<QPushButton *>(widget("cmdBuscar"));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->iconSize(), QSize(17, 16));
    const QImage at1x = button->icon().pixmap(button->iconSize(), 1.0).toImage();
    const QImage at2x = button->icon().pixmap(button->iconSize(), 2.0).toImage();
    EXPECT_EQ(at1x.size(), QSize(17, 16));
    ASSERT_EQ(at2x.size(), QSize(34, 32));
    EXPECT_GE(hardEdgesWithinOnePixel(at2x), 4);
    EXPECT_GE(agreementWith1x(at2x, at1x), 0.6);

    // The button as its style paints it on a screen of each density: the picture appears as
    // drawn for that density, pixel for pixel.
    QStyleOptionButton option;
    option.initFrom(button);
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    for (const qreal ratio : {1.0, 2.0}) {
        QImage shown(button->size() * ratio, QImage::Format_ARGB32_Premultiplied);
        shown.setDevicePixelRatio(ratio);
        shown.fill(Qt::white);
        QPainter painter(&shown);
        button->style()->drawControl(QStyle::CE_PushButton, &option, &painter, button);
        painter.end();
        EXPECT_TRUE(showsUnchanged(shown, ratio == 1.0 ? at1x : at2x)) << ratio;
    }
}

TEST_F(QuillComboBoxTest, ANewControlHasAnEmptySearchTextAndStillSavesIt)
{
    ControlSite &site = place();
    EXPECT_EQ(site.control()->get(QStringLiteral("SearchText")), Variant(QString()));
    EXPECT_TRUE(site.changedProperties().isEmpty());
    const PropertyBag saved = site.save();
    ASSERT_TRUE(saved.contains(QStringLiteral("searchtext")));
    EXPECT_EQ(saved.ReadProperty(QStringLiteral("SearchText")), Variant(QString()));
}

TEST_F(QuillComboBoxTest, ReadsSearchTextThroughItsSetter)
{
    struct Case
    {
        const char *name;
        std::optional<QString> stored; // under the host's lower-case key
        QString expected;
    };
    const Case cases[] = {
        {"absent key gives the default", std::nullopt, QStringLiteral("Texto a buscar")},
        {"stored text", QStringLiteral("Buscar fruta"), QStringLiteral("Buscar fruta")},
        {"stored empty text", QString(), QString()},
    };
    int n = 0;
    for (const Case &c : cases) {
        PropertyBag bag;
        if (c.stored)
            bag.WriteProperty(QStringLiteral("searchtext"), *c.stored);
        ControlSite &site = place(QStringLiteral("Restored%1").arg(n++), &bag);
        EXPECT_EQ(site.control()->get(QStringLiteral("SearchText")), Variant(c.expected)) << c.name;
        // Restoring goes through the setter, which reports the change.
        EXPECT_EQ(site.changedProperties(), QStringList {QStringLiteral("SearchText")}) << c.name;
        // Written back with no default: stored even when it equals the default.
        const PropertyBag saved = site.save();
        EXPECT_EQ(saved.ReadProperty(QStringLiteral("searchtext"), Variant::missing()),
            Variant(c.expected))
            << c.name;
    }
}

TEST_F(QuillComboBoxTest, SettingSearchTextReportsTheChangeAndShowsNothingYet)
{
    create();
    control->let(QStringLiteral("SearchText"), Variant("Otra pista"));
    EXPECT_EQ(control->get(QStringLiteral("SearchText")), Variant("Otra pista"));
    EXPECT_EQ(sitePtr->changedProperties(), QStringList {QStringLiteral("SearchText")});
    EXPECT_EQ(widget("txtBuscar")->property("text").toString(), QString());
    EXPECT_TRUE(widget("txtBuscar")->isHidden());
}

// --- Layout ---

TEST_F(QuillComboBoxTest, LaysOutItsControlsOnEveryResize)
{
    struct Case
    {
        double width;
        double buttonLeft;
        double comboWidth;
    };
    const Case cases[] = {
        {3270, 2910, 2910},
        {2000, 1640, 1640},
        {360, 0, 0},
        // Narrower than the button: the combo and the search box get no room at all.
        {200, -160, 0},
        {0, -360, 0},
    };
    create();
    for (const Case &c : cases) {
        sitePtr->setWidth(c.width);
        QWidget *button = widget("cmdBuscar");
        // Widgets take whole pixels of 15 twips.
        EXPECT_EQ(button->geometry().left(), qRound(c.buttonLeft / 15)) << c.width;
        EXPECT_EQ(twips(combo, QStringLiteral("Width")), c.comboWidth) << c.width;
        EXPECT_EQ(widget("txtBuscar")->width(), qRound(c.comboWidth / 15)) << c.width;
        EXPECT_EQ(twips(results, QStringLiteral("Width")), c.width) << c.width;
        // Closed, the control is as high as the combo.
        EXPECT_EQ(height(), twips(combo, QStringLiteral("Height"))) << c.width;
    }
}

TEST_F(QuillComboBoxTest, ClosedItShrinksToTheComboWhateverHeightTheHostGives)
{
    create();
    EXPECT_EQ(height(), 315);
    sitePtr->setHeight(1000);
    EXPECT_EQ(height(), 315);
    EXPECT_EQ(sitePtr->Height(), 315);
}

// --- Zones of the inner list ---

TEST_F(QuillComboBoxTest, WithoutRememberedEntriesTheHostItemsStartAtZero)
{
    create({QStringLiteral("Apple"), QStringLiteral("Grape")});
    EXPECT_EQ(entries(combo), QStringList({QStringLiteral("Apple"), QStringLiteral("Grape")}));
    EXPECT_FALSE(entries(combo).contains(Separator));
}

TEST_F(QuillComboBoxTest, AddItemWithAnIndexCountsTheRememberedEntriesAndIsNotCorrected)
{
    storeSelections(QStringLiteral("Grape|5|Kiwi|2|"));
    create({QStringLiteral("Apple")});
    control->call(QStringLiteral("AddItem"), {Variant("Top"), Variant(int16_t(0))});
    control->call(QStringLiteral("AddItem"), {Variant("Inside"), Variant("2")});
    control->call(QStringLiteral("AddItem"), {Variant("Last"), Variant(6.0)});
    EXPECT_EQ(entries(combo),
        QStringList({"Top", "GRAPE ", "Inside", "KIWI ", Separator, "Apple", "Last"}));
    EXPECT_EQ(events, QStringList());
}

TEST_F(QuillComboBoxTest, AddItemAndItemDataPassTheInnerListsErrorsAndChangeNothing)
{
    create({QStringLiteral("Apple")});
    struct Case
    {
        const char *name;
        std::function<void()> call;
        int32_t error;
    };
    const Case cases[] = {
        {"index past the end",
            [&] {
                control->call(QStringLiteral("AddItem"), {Variant("x"), Variant(int16_t(5))});
            },
            381},
        {"index beyond 16 bits",
            [&] {
                control->call(QStringLiteral("AddItem"), {Variant("x"), Variant(40000)});
            },
            6},
        {"index that is no number",
            [&] {
                control->call(QStringLiteral("AddItem"), {Variant("x"), Variant("abc")});
            },
            13},
        {"ItemData outside the list",
            [&] { control->get(QStringLiteral("ItemData"), {Variant(int16_t(1))}); }, 381},
        {"ItemData put outside the list",
            [&] { control->let(QStringLiteral("ItemData"), {Variant(int16_t(-1))}, Variant(1)); },
            381},
        {"ItemData index that is no number",
            [&] { control->get(QStringLiteral("ItemData"), {Variant("first")}); }, 13},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(errorNumberOf(c.call), c.error) << c.name;
        EXPECT_EQ(entries(combo), QStringList {QStringLiteral("Apple")}) << c.name;
    }
}

TEST_F(QuillComboBoxTest, ItemDataTakesANumericTextIndexLikeTheNumber)
{
    create({QStringLiteral("Apple"), QStringLiteral("Grape"), QStringLiteral("Plum")});
    control->let(QStringLiteral("ItemData"), {Variant("1")}, Variant(42));
    control->let(QStringLiteral("ItemData"), {Variant(int16_t(2))}, Variant("-7"));
    EXPECT_EQ(itemData(combo, 1), 42);
    EXPECT_EQ(control->get(QStringLiteral("ItemData"), {Variant(int16_t(1))}), Variant(42));
    EXPECT_EQ(control->get(QStringLiteral("ItemData"), {Variant("2")}), Variant(-7));
    // Fractions round half to even: 1.5 is entry 2, 2.5 entry 2.
    EXPECT_EQ(control->get(QStringLiteral("ItemData"), {Variant(1.5)}), Variant(-7));
    EXPECT_EQ(control->get(QStringLiteral("ItemData"), {Variant(2.5)}), Variant(-7));
    EXPECT_EQ(control->get(QStringLiteral("ItemData"), {Variant(0.5)}), Variant(0));
}

TEST_F(QuillComboBoxTest, ComboBoxAndListBoxGiveTheConstituentControlsThemselves)
{
    create({QStringLiteral("Apple")});
    EXPECT_EQ(combo->className(), "ComboBox");
    EXPECT_EQ(results->className(), "ListBox");
    EXPECT_EQ(control->get(QStringLiteral("ComboBox")).object(), combo);
    EXPECT_EQ(control->get(QStringLiteral("ListBox")).object(), results);
    EXPECT_EQ(toText(combo->get(QStringLiteral("Name"))), "cmbCombo");
    EXPECT_EQ(toText(results->get(QStringLiteral("Name"))), "lstResultados");
    // The host works on the inner combo directly.
    combo->let(QStringLiteral("Text"), Variant("Gr"));
    EXPECT_EQ(text(combo), "Gr");
    EXPECT_EQ(entries(results), QStringList());
}

TEST_F(QuillComboBoxTest, ClearKeepsTheRememberedBlockAndRemovesTheHostItems)
{
    storeSelections(QStringLiteral("Grape|5|"));
    create({QStringLiteral("Apple"), QStringLiteral("Grape")});
    combo->let(QStringLiteral("ListIndex"), Variant(int16_t(2)));
    control->call(QStringLiteral("Clear"));
    EXPECT_EQ(entries(combo), QStringList({"GRAPE ", Separator}));
    EXPECT_EQ(text(combo), QString());
    EXPECT_EQ(number(combo, QStringLiteral("ListIndex")), -1);
    control->call(QStringLiteral("AddItem"), {Variant("Plum")});
    EXPECT_EQ(entries(combo), QStringList({"GRAPE ", Separator, "Plum"}));
}

// --- Type-ahead completion, with the user's keys ---

TEST_F(QuillComboBoxTest, TypingFillsInTheFirstItemThatBeginsWithTheText)
{
    struct Case
    {
        const char *keys;
        QString text;
        int32_t selStart;
        int32_t selLength;
        int changes;
    };
    const Case cases[] = {
        {"ap", "Apple", 2, 3, 4},
        {"apr", "Apricot", 3, 4, 6},
        {"AP", "Apple", 2, 3, 4},
        {"aPRi", "Apricot", 4, 3, 8},
        {"b", "Banana", 1, 5, 2},
        // No item begins with the text: it stays as typed, one Change per key.
        {"x", "x", 1, 0, 1},
        {"apx", "Apx", 3, 0, 5},
    };
    ASSERT_TRUE(activate());
    create({QStringLiteral("Apple"), QStringLiteral("Apricot"), QStringLiteral("Banana")});
    for (const Case &c : cases) {
        combo->let(QStringLiteral("Text"), Variant(QString()));
        events.clear();
        typeInCombo(QString::fromLatin1(c.keys));
        EXPECT_EQ(text(combo), c.text) << c.keys;
        EXPECT_EQ(selStart(), c.selStart) << c.keys;
        EXPECT_EQ(selLength(), c.selLength) << c.keys;
        EXPECT_EQ(events.count(QStringLiteral("Change")), c.changes) << c.keys;
        EXPECT_EQ(events.size(), c.changes) << c.keys;
    }
}

TEST_F(QuillComboBoxTest, DeletingTheWholeTextFillsInTheFirstItemWhollySelected)
{
    ASSERT_TRUE(activate());
    create({QStringLiteral("Grape"), QStringLiteral("Apple")});
    typeInCombo(QStringLiteral("ap"));
    ASSERT_EQ(text(combo), "Apple");
    QTest::keyClick(comboEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(comboEdit(), Qt::Key_Delete);
    EXPECT_EQ(text(combo), "Grape");
    EXPECT_EQ(selStart(), 0);
    EXPECT_EQ(selLength(), 5);
}

TEST_F(QuillComboBoxTest, WithNoItemsTheTextStaysAsTyped)
{
    ASSERT_TRUE(activate());
    create();
    typeInCombo(QStringLiteral("ap"));
    EXPECT_EQ(text(combo), "ap");
    QTest::keyClick(comboEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(comboEdit(), Qt::Key_Delete);
    EXPECT_EQ(text(combo), QString());
    EXPECT_EQ(events, QStringList({"Change", "Change", "Change"}));
}

TEST_F(QuillComboBoxTest, CompletionSkipsTheRememberedEntries)
{
    storeSelections(QStringLiteral("Apricot|4|"));
    ASSERT_TRUE(activate());
    create({QStringLiteral("Apple"), QStringLiteral("Apricot")});
    typeInCombo(QStringLiteral("a"));
    EXPECT_EQ(text(combo), "Apple");
    QTest::keyClick(comboEdit(), Qt::Key_A, Qt::ControlModifier);
    typeInCombo(QStringLiteral("-"));
    EXPECT_EQ(text(combo), "-"); // the separator line is no item either
}

TEST_F(QuillComboBoxTest, CompletionBySettingTheTextRaisesChangeTwice)
{
    create({QStringLiteral("Apple"), QStringLiteral("Apricot")});
    combo->let(QStringLiteral("Text"), Variant("apr"));
    EXPECT_EQ(text(combo), "Apricot");
    EXPECT_EQ(selStart(), 3);
    EXPECT_EQ(selLength(), 4);
    // The nested run raises its Change, then the outer one.
    EXPECT_EQ(events, QStringList({"Change", "Change"}));
}

TEST_F(QuillComboBoxTest, BackspaceTakesTheCompletionAndTheLastTypedCharacter)
{
    struct Case
    {
        const char *keys;
        QString text;
        int32_t selStart;
        int32_t selLength;
    };
    const Case cases[] = {
        // "Apricot" with "icot" selected: the first 2 characters stay and complete again.
        {"apr", "Apple", 2, 3},
        {"ap", "Apple", 1, 4},
        // A single typed character: nothing is left, which completes to the first item.
        {"a", "Apple", 0, 5},
        // No selection: Backspace goes to the field as usual.
        {"az", "Apple", 1, 4},
    };
    ASSERT_TRUE(activate());
    create({QStringLiteral("Apple"), QStringLiteral("Apricot")});
    for (const Case &c : cases) {
        combo->let(QStringLiteral("Text"), Variant(QString()));
        typeInCombo(QString::fromLatin1(c.keys));
        QTest::keyClick(comboEdit(), Qt::Key_Backspace);
        EXPECT_EQ(text(combo), c.text) << c.keys;
        EXPECT_EQ(selStart(), c.selStart) << c.keys;
        EXPECT_EQ(selLength(), c.selLength) << c.keys;
    }
}

TEST_F(QuillComboBoxTest, BackspaceWithTheWholeTextSelectedGoesToTheField)
{
    ASSERT_TRUE(activate());
    create({QStringLiteral("Zebra")});
    typeInCombo(QStringLiteral("abc"));
    QTest::keyClick(comboEdit(), Qt::Key_A, Qt::ControlModifier);
    events.clear();
    // Selection start 0: the field deletes the selection itself, and the empty text completes.
    QTest::keyClick(comboEdit(), Qt::Key_Backspace);
    EXPECT_EQ(text(combo), "Zebra");
    EXPECT_EQ(selStart(), 0);
    EXPECT_EQ(selLength(), 5);
}

// Upper-casing changes some texts' length: "ß" becomes "SS", the ligature "ﬁ" becomes "FI".
// The completed part must still start where the typed text ends in the item's own spelling.
TEST_F(QuillComboBoxTest, CompletionSelectsFromTheEndOfTheTypedTextInTheItemsSpelling)
{
    struct Case
    {
        QStringList items;
        QString keys;
        QString text;
        int32_t selStart;
        int32_t selLength;
    };
    const QStringList fuss {QStringLiteral("Fußball"), QStringLiteral("Fußgänger")};
    const QStringList strasse {QStringLiteral("Straße"), QStringLiteral("Straßenbahn")};
    const QStringList fi {QStringLiteral("ﬁnance"), QStringLiteral("ﬁnal")};
    const Case cases[] = {
        {fuss, QStringLiteral("fuß"), QStringLiteral("Fußball"), 3, 4},
        {fuss, QStringLiteral("fußg"), QStringLiteral("Fußgänger"), 4, 5},
        {fuss, QStringLiteral("FUSSG"), QStringLiteral("Fußgänger"), 4, 5},
        // Typed as two letters, "SS" ends with the "ß" that stands for both.
        {fuss, QStringLiteral("fuss"), QStringLiteral("Fußball"), 3, 4},
        {strasse, QStringLiteral("straß"), QStringLiteral("Straße"), 5, 1},
        {strasse, QStringLiteral("straße"), QStringLiteral("Straße"), 6, 0},
        {strasse, QStringLiteral("straßen"), QStringLiteral("Straßenbahn"), 7, 4},
        {fi, QStringLiteral("ﬁ"), QStringLiteral("ﬁnance"), 1, 5},
        {fi, QStringLiteral("ﬁn"), QStringLiteral("ﬁnance"), 2, 4},
        {fi, QStringLiteral("ﬁnal"), QStringLiteral("ﬁnal"), 4, 0},
    };
    ASSERT_TRUE(activate());
    int n = 0;
    for (const Case &c : cases) {
        ControlSite &site = place(QStringLiteral("Spelling%1").arg(n++));
        sitePtr = &site;
        combo = site.control()->get(QStringLiteral("ComboBox")).object();
        for (const QString &item : c.items)
            site.control()->call(QStringLiteral("AddItem"), {Variant(item)});
        platform::test::ControlTestHost::typeText(comboEdit(), c.keys);
        EXPECT_EQ(text(combo), c.text) << c.keys.toStdString();
        EXPECT_EQ(selStart(), c.selStart) << c.keys.toStdString();
        EXPECT_EQ(selLength(), c.selLength) << c.keys.toStdString();
    }
}

TEST_F(QuillComboBoxTest, BackspaceDeletesThroughAnItemThatUpperCasingLengthens)
{
    ASSERT_TRUE(activate());
    create({QStringLiteral("Fußball"), QStringLiteral("Fußgänger")});
    platform::test::ControlTestHost::typeText(comboEdit(), QStringLiteral("fuß"));
    ASSERT_EQ(text(combo), "Fußball");
    QStringList steps;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(comboEdit(), Qt::Key_Backspace);
        steps << QStringLiteral("%1|%2").arg(
            text(combo).left(selStart()), text(combo).mid(selStart()));
    }
    EXPECT_EQ(steps, QStringList({"Fu|ßball", "F|ußball", "|Fußball"}));
}

// In Lithuanian the dot above an i is dropped when upper-cased: "i̇" (i, U+0307) is "I".
TEST_F(QuillComboBoxTest, CompletionTakesAlongWhatUpperCasingDrops)
{
    test::ScopedLocale lithuanian {QLocale(QLocale::Lithuanian, QLocale::Lithuania)};
    const QString item = QStringLiteral("ki\u0307ta");
    ASSERT_EQ(upperCase(item), QStringLiteral("KITA"));
    ASSERT_TRUE(activate());
    create({QStringLiteral("kelias"), item});
    typeInCombo(QStringLiteral("ki"));
    EXPECT_EQ(text(combo), item);
    EXPECT_EQ(selStart(), 3);
    typeInCombo(QStringLiteral("t"));
    EXPECT_EQ(text(combo), item);
    EXPECT_EQ(selStart(), 4);
    EXPECT_EQ(selLength(), 1);
}

// --- Click dispatch ---

TEST_F(QuillComboBoxTest, ClicksAreDispatchedByTheZoneOfTheEntry)
{
    struct Case
    {
        const char *name;
        int16_t index;
        QStringList events;
        int16_t listIndexAfter;
        QString stored;
    };
    // The list: GRAPE , KIWI , separator, Apple, Grape, Plum.
    const Case cases[] = {
        {"host item", 3, {"Click:Apple"}, 3, "Grape|5|Kiwi|3|Apple|1|"},
        {"remembered entry among the items", 0, {"Click:Grape"}, 4, "Grape|6|Kiwi|3|"},
        {"remembered entry no longer an item", 1, {"Click:KIWI "}, 1, "Grape|5|Kiwi|3|KIWI |1|"},
        {"separator line", 2, {}, 2, "Grape|5|Kiwi|3|"},
        {"no entry", -1, {"Click:"}, -1, "Grape|5|Kiwi|3||1|"},
    };
    for (const Case &c : cases) {
        storeSelections(QStringLiteral("Grape|5|Kiwi|3|"));
        ControlSite &site = place(QString::fromLatin1(c.name).replace(' ', '_'));
        sitePtr = &site;
        combo = site.control()->get(QStringLiteral("ComboBox")).object();
        for (const char *item : {"Apple", "Grape", "Plum"})
            site.control()->call(QStringLiteral("AddItem"), {Variant(item)});
        events.clear();
        combo->let(QStringLiteral("ListIndex"), Variant(c.index));
        EXPECT_EQ(events, c.events) << c.name;
        EXPECT_EQ(number(combo, QStringLiteral("ListIndex")), c.listIndexAfter) << c.name;
        EXPECT_EQ(storedSelections(), c.stored) << c.name;
    }
}

TEST_F(QuillComboBoxTest, ARememberedEntryFindsItsItemWithoutRegardToLetterCase)
{
    storeSelections(QStringLiteral("gRaPe|2|"));
    create({QStringLiteral("grapefruit"), QStringLiteral("GRAPE"), QStringLiteral("grape")});
    combo->let(QStringLiteral("ListIndex"), Variant(int16_t(0)));
    EXPECT_EQ(number(combo, QStringLiteral("ListIndex")), 3); // the first that equals
    EXPECT_EQ(events, QStringList {QStringLiteral("Click:GRAPE")});
    EXPECT_EQ(storedSelections(), "gRaPe|3|");
}

TEST_F(QuillComboBoxTest, WithoutRememberedEntriesEveryClickIsRecorded)
{
    create({QStringLiteral("Apple"), QStringLiteral("Grape")});
    combo->let(QStringLiteral("ListIndex"), Variant(int16_t(0)));
    combo->let(QStringLiteral("ListIndex"), Variant(int16_t(0)));
    combo->let(QStringLiteral("ListIndex"), Variant(int16_t(1)));
    EXPECT_EQ(events, QStringList({"Click:Apple", "Click:Apple", "Click:Grape"}));
    EXPECT_EQ(storedSelections(), "Apple|2|Grape|1|");
}

TEST_F(QuillComboBoxTest, APickFromTheOpenListIsDispatchedLikeAnyClick)
{
    storeSelections(QStringLiteral("Plum|2|"));
    ASSERT_TRUE(activate());
    create({QStringLiteral("Apple"), QStringLiteral("Plum")});
    // Home and Enter in the open list pick its first entry: the remembered PLUM.
    QTest::keyClick(comboEdit(), Qt::Key_Down, Qt::AltModifier);
    QWidget *popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QWidget *view = popup->focusWidget() ? popup->focusWidget() : popup;
    QTest::keyClick(view, Qt::Key_Home);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(number(combo, QStringLiteral("ListIndex")), 3);
    EXPECT_EQ(events, QStringList {QStringLiteral("Click:Plum")});
    EXPECT_EQ(storedSelections(), "Plum|3|");
}

TEST_F(QuillComboBoxTest, TheListOpensAtTheCompletedItemWithoutPickingIt)
{
    storeSelections(QStringLiteral("Plum|2|"));
    ASSERT_TRUE(activate());
    create({QStringLiteral("Apple"), QStringLiteral("Grape"), QStringLiteral("Grapefruit"),
        QStringLiteral("Plum")});
    const int16_t grape = 3; // below PLUM and the separator line
    // A pick first, so that the toolkit's own idea of the current entry is another one.
    combo->let(QStringLiteral("ListIndex"), Variant(int16_t(2)));
    events.clear();
    QTest::keyClick(comboEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(comboEdit(), QStringLiteral("gr"));
    ASSERT_EQ(text(combo), "Grape");
    ASSERT_EQ(number(combo, QStringLiteral("ListIndex")), -1);
    events.clear();

    QTest::keyClick(comboEdit(), Qt::Key_Down, Qt::AltModifier);
    QWidget *popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    auto *view = popup->findChild<QAbstractItemView *>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->currentIndex().row(), grape);
    EXPECT_TRUE(view->selectionModel()->isSelected(view->currentIndex()));
    EXPECT_TRUE(view->viewport()->rect().intersects(view->visualRect(view->currentIndex())));
    // Opening picked nothing.
    EXPECT_EQ(number(combo, QStringLiteral("ListIndex")), -1);
    EXPECT_EQ(text(combo), "Grape");
    EXPECT_EQ(events, QStringList());

    // Down moves on from there; Enter picks as ever.
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(number(combo, QStringLiteral("ListIndex")), grape + 1);
    EXPECT_EQ(events, QStringList {QStringLiteral("Click:Grapefruit")});

    // A text that is no entry leaves the list where the toolkit puts it.
    QTest::keyClick(comboEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(comboEdit(), QStringLiteral("zz"));
    events.clear();
    QTest::keyClick(comboEdit(), Qt::Key_Down, Qt::AltModifier);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(number(combo, QStringLiteral("ListIndex")), -1);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    EXPECT_EQ(events, QStringList());
}

} // namespace
