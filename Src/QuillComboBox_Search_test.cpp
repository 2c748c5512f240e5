// The search panel of QuillComboBox, driven with the user's clicks and keys.
#include "QuillComboBoxTestFixture.h"

#include <Quillkit/TestSupport/TestEnvironment.h>
#include <Quillkit/TestSupport/UnhandledErrors.h>
#include <Quillkit/Value/Pattern.h>
#include <Quillkit/Value/TextServices.h>

#include <QAbstractItemView>

using namespace platform;
using namespace quillkit::test;

namespace {

class QuillComboBoxSearchTest : public ComboBoxFixture
{
protected:
    // A control with the given hint and items, on an active form.
    void createWithHint(const QString &hint, const QStringList &items)
    {
        ASSERT_TRUE(activate());
        create(items);
        control->let(QStringLiteral("SearchText"), Variant(hint));
        events.clear();
    }

    void typeSearch(const QString &keys) { QTest::keyClicks(searchEdit(), keys); }
    // Replaces the search text as the user does: select all, then type.
    void retypeSearch(const QString &keys)
    {
        QTest::keyClick(searchEdit(), Qt::Key_A, Qt::ControlModifier);
        if (keys.isEmpty())
            QTest::keyClick(searchEdit(), Qt::Key_Delete);
        else
            typeSearch(keys);
    }
    QString searchText() const { return searchEdit()->property("text").toString(); }
    QString searchSelection() const { return searchEdit()->property("selectedText").toString(); }
    bool isOpen() const { return !searchEdit()->isHidden(); }
    bool comboHasFocus() const
    {
        QWidget *focus = QApplication::focusWidget();
        return focus && (focus == widget("cmbCombo") || widget("cmbCombo")->isAncestorOf(focus));
    }

    // The results with the item index each carries.
    QStringList resultsWithData()
    {
        QStringList all;
        const QStringList texts = entries(results);
        for (int i = 0; i < texts.size(); ++i)
            all << QStringLiteral("%1@%2").arg(texts[i]).arg(itemData(results, int16_t(i)));
        return all;
    }
    int16_t selectedResult() { return int16_t(number(results, QStringLiteral("ListIndex"))); }

    void releaseOverResults(Qt::MouseButton button, QPoint at = QPoint(5, 3))
    {
        QTest::mousePress(resultsViewport(), button, Qt::NoModifier, at);
        QTest::mouseRelease(resultsViewport(), button, Qt::NoModifier, at);
    }
};

const QStringList Fruit {QStringLiteral("Apple"), QStringLiteral("Grape"), QStringLiteral("Plum")};

// --- Opening and closing ---

TEST_F(QuillComboBoxSearchTest, OpeningShowsTheHintSelectedAndClosingShrinksBack)
{
    createWithHint(QStringLiteral("Texto a buscar"), Fruit);
    clickSearchButton();
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(height(), 2385);
    EXPECT_TRUE(widget("cmbCombo")->isHidden());
    EXPECT_FALSE(widget("lstResultados")->isHidden());
    EXPECT_FALSE(widget("cmdBuscar")->isHidden());
    EXPECT_EQ(searchText(), "Texto a buscar");
    EXPECT_EQ(searchSelection(), "Texto a buscar");
    EXPECT_EQ(QApplication::focusWidget(), searchEdit());
    // The hint was searched for and matches nothing.
    EXPECT_EQ(entries(results), QStringList());

    // The first key replaces the hint.
    typeSearch(QStringLiteral("ap"));
    EXPECT_EQ(searchText(), "ap");
    EXPECT_EQ(resultsWithData(), QStringList({"Apple@0", "Grape@1"}));
    EXPECT_EQ(selectedResult(), 0);

    clickSearchButton();
    EXPECT_FALSE(isOpen());
    EXPECT_TRUE(widget("lstResultados")->isHidden());
    EXPECT_FALSE(widget("cmbCombo")->isHidden());
    EXPECT_EQ(height(), 315);
    // Nothing was taken.
    EXPECT_EQ(text(combo), QString());
    EXPECT_EQ(events, QStringList());
    EXPECT_EQ(storedSelections(), "<absent>");
}

TEST_F(QuillComboBoxSearchTest, WithAnEmptyHintTheFirstOpeningListsNothingUntilAKey)
{
    createWithHint(QString(), Fruit);
    clickSearchButton();
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(searchText(), QString());
    EXPECT_EQ(entries(results), QStringList());
    typeSearch(QStringLiteral("u"));
    EXPECT_EQ(resultsWithData(), QStringList({"Plum@2"}));
}

TEST_F(QuillComboBoxSearchTest, ReopeningKeepsTheTextAndTheResults)
{
    createWithHint(QStringLiteral("Texto a buscar"), Fruit);
    clickSearchButton();
    typeSearch(QStringLiteral("p"));
    clickSearchButton();
    clickSearchButton();
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(searchText(), "p");
    EXPECT_EQ(resultsWithData(), QStringList({"Apple@0", "Grape@1", "Plum@2"}));
    EXPECT_EQ(selectedResult(), 0);
}

// Results carry item indices: once the host has changed its items, they would lead to other
// items, or to none.
TEST_F(QuillComboBoxSearchTest, ReopeningAfterTheHostChangedItsItemsSearchesTheCurrentOnes)
{
    struct Case
    {
        const char *name;
        QStringList newItems;
        QStringList results;
        QStringList events;
        QString stored;
    };
    const Case cases[] = {
        {"no item contains the text any more", {"Zucchini", "Yam", "Xigua", "Watercress"}, {}, {},
            ""},
        {"an item contains it at another index", {"Zucchini", "Yam", "Grapefruit"},
            {"Grapefruit@2"}, {"Click:Grapefruit"}, "Grapefruit|2|"},
        {"the same item moved down", {"Yam", "Apple", "Grape"}, {"Grape@2"}, {"Click:Grape"},
            "Grape|2|"},
    };
    ASSERT_TRUE(activate());
    int n = 0;
    for (const Case &c : cases) {
        storeSelections(QString());
        ControlSite &site = place(QStringLiteral("Stale%1").arg(n++));
        sitePtr = &site;
        control = site.control();
        combo = control->get(QStringLiteral("ComboBox")).object();
        results = control->get(QStringLiteral("ListBox")).object();
        for (const QString &item : Fruit)
            control->call(QStringLiteral("AddItem"), {Variant(item)});
        clickSearchButton();
        retypeSearch(QStringLiteral("gr"));
        ASSERT_EQ(resultsWithData(), QStringList({"Grape@1"})) << c.name;
        clickSearchButton();
        control->call(QStringLiteral("Clear"));
        for (const QString &item : c.newItems)
            control->call(QStringLiteral("AddItem"), {Variant(item)});
        events.clear();

        clickSearchButton();
        EXPECT_EQ(searchText(), "gr") << c.name;
        EXPECT_EQ(resultsWithData(), c.results) << c.name;
        QTest::keyClick(searchEdit(), Qt::Key_Return);
        EXPECT_EQ(events, c.events) << c.name;
        EXPECT_EQ(storedSelections(), c.stored) << c.name;
        EXPECT_EQ(isOpen(), c.results.isEmpty()) << c.name;
        if (isOpen())
            clickSearchButton();
        form.window()->setFocus();
    }
}

// The host may change its items while the panel is open (from a timer, say): taking a result
// then takes the item of the result's text, or nothing when it is gone.
TEST_F(QuillComboBoxSearchTest, TakingAResultAfterTheItemsChangedUnderTheOpenPanel)
{
    test::UnhandledErrors unhandled;
    createWithHint(QString(), Fruit);
    clickSearchButton();
    typeSearch(QStringLiteral("gr"));
    ASSERT_EQ(resultsWithData(), QStringList({"Grape@1"}));
    combo->call(QStringLiteral("RemoveItem"), {Variant(int16_t(0))}); // Apple: Grape moves up
    QTest::keyClick(searchEdit(), Qt::Key_Return);
    EXPECT_EQ(events, QStringList {QStringLiteral("Click:Grape")});
    EXPECT_EQ(text(combo), "Grape");
    EXPECT_EQ(storedSelections(), "Grape|2|");
    EXPECT_FALSE(isOpen());

    clickSearchButton();
    ASSERT_EQ(resultsWithData(), QStringList({"Grape@0"}));
    control->call(QStringLiteral("Clear"));
    control->call(QStringLiteral("AddItem"), {Variant("Kiwi")});
    events.clear();
    QTest::keyClick(searchEdit(), Qt::Key_Return);
    EXPECT_EQ(events, QStringList());
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(resultsWithData(), QStringList());
    EXPECT_EQ(storedSelections(), "Grape|2|");
    EXPECT_EQ(unhandled.numbers(), std::vector<int32_t>());
}

TEST_F(QuillComboBoxSearchTest, TheToggleDecidesByTheHeight)
{
    createWithHint(QStringLiteral("x"), Fruit);
    // Closed, but the host made it tall: the button closes (and the layout shrinks it back).
    sitePtr->setHeight(2100);
    ASSERT_EQ(height(), 315);
    clickSearchButton();
    ASSERT_TRUE(isOpen());
    // Open, but the host made it short: the button opens once more instead of closing.
    sitePtr->setHeight(1500);
    EXPECT_EQ(height(), 1500); // open, the layout leaves the height alone
    clickSearchButton();
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(height(), 2385);
    sitePtr->setHeight(2000);
    clickSearchButton();
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(height(), 315);
}

TEST_F(QuillComboBoxSearchTest, OpeningOnAnInactiveFormStillOpens)
{
    create(Fruit);
    control->let(QStringLiteral("SearchText"), Variant("gr"));
    QTest::mouseClick(widget("cmdBuscar"), Qt::LeftButton);
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(height(), 2385);
    EXPECT_EQ(resultsWithData(), QStringList({"Grape@1"}));
}

// --- Matching ---

TEST_F(QuillComboBoxSearchTest, ListsEveryItemThatContainsTheText)
{
    struct Case
    {
        const char *keys;
        QStringList expected;
    };
    const QStringList items {QStringLiteral("Apple"), QStringLiteral("Grape"),
        QStringLiteral("Plum"), QStringLiteral("Item 1"), QStringLiteral("Item 22"),
        QStringLiteral("Itemized 3"), QStringLiteral("item x"), QStringLiteral("a*b"),
        QStringLiteral("[x]"), QStringLiteral("PAPAYA")};
    const Case cases[] = {
        {"ap", {"Apple@0", "Grape@1", "PAPAYA@9"}},
        {"AP", {"Apple@0", "Grape@1", "PAPAYA@9"}},
        {"aP", {"Apple@0", "Grape@1", "PAPAYA@9"}},
        {"pa", {"PAPAYA@9"}},
        {"item #", {"Item 1@3", "Item 22@4"}},
        {"#", {"Item 1@3", "Item 22@4", "Itemized 3@5"}},
        {"?",
            {"Apple@0", "Grape@1", "Plum@2", "Item 1@3", "Item 22@4", "Itemized 3@5", "item x@6",
                "a*b@7", "[x]@8", "PAPAYA@9"}},
        {"p?e", {"Apple@0"}},
        {"a*b", {"a*b@7"}},
        {"[lx]", {"Apple@0", "Plum@2", "item x@6", "[x]@8"}},
        {"[!a-z ]#", {"Item 22@4"}},
        {"m ", {"Item 1@3", "Item 22@4", "item x@6"}},
        {"zz", {}},
        // An opening bracket without its closing one matches nothing and fails nothing.
        {"[x", {}},
        {"[", {}},
    };
    createWithHint(QString(), items);
    clickSearchButton();
    for (const Case &c : cases) {
        retypeSearch(QString::fromLatin1(c.keys));
        ASSERT_EQ(searchText(), QString::fromLatin1(c.keys));
        EXPECT_EQ(resultsWithData(), c.expected) << c.keys;
        EXPECT_EQ(selectedResult(), c.expected.isEmpty() ? -1 : 0) << c.keys;
    }
}

TEST_F(QuillComboBoxSearchTest, AnEmptySearchTextListsEveryItemAndSelectsTheFirst)
{
    createWithHint(QStringLiteral("Texto a buscar"), Fruit);
    clickSearchButton();
    retypeSearch(QString());
    EXPECT_EQ(searchText(), QString());
    EXPECT_EQ(resultsWithData(), QStringList({"Apple@0", "Grape@1", "Plum@2"}));
    EXPECT_EQ(selectedResult(), 0);
}

TEST_F(QuillComboBoxSearchTest, RememberedEntriesAndTheSeparatorAreNeverResults)
{
    storeSelections(QStringLiteral("Apple|3|Grapefruit|2|"));
    createWithHint(QString(), Fruit);
    ASSERT_EQ(entries(combo).mid(0, 3), QStringList({"APPLE ", "GRAPEFRUIT ", "---------------"}));
    clickSearchButton();
    typeSearch(QStringLiteral("x"));
    retypeSearch(QString());
    EXPECT_EQ(resultsWithData(), QStringList({"Apple@3", "Grape@4", "Plum@5"}));
    retypeSearch(QStringLiteral("fruit"));
    EXPECT_EQ(resultsWithData(), QStringList());
    retypeSearch(QStringLiteral("-"));
    EXPECT_EQ(resultsWithData(), QStringList());
    retypeSearch(QStringLiteral("e "));
    EXPECT_EQ(resultsWithData(), QStringList());
}

TEST_F(QuillComboBoxSearchTest, SeesItemsTheHostChangesThroughTheInnerCombo)
{
    createWithHint(QString(), Fruit);
    clickSearchButton();
    combo->call(QStringLiteral("AddItem"), {Variant("Grapefruit"), Variant(int16_t(0))});
    combo->call(QStringLiteral("RemoveItem"), {Variant(int16_t(3))}); // Plum
    combo->let(QStringLiteral("List"), {Variant(int16_t(1))}, Variant("Pineapple"));
    combo->call(QStringLiteral("AddItem"), {Variant("grape jelly")});
    retypeSearch(QStringLiteral("ap"));
    EXPECT_EQ(resultsWithData(),
        QStringList({"Grapefruit@0", "Pineapple@1", "Grape@2", "grape jelly@3"}));
    retypeSearch(QStringLiteral("apple"));
    EXPECT_EQ(resultsWithData(), QStringList({"Pineapple@1"}));
    combo->call(QStringLiteral("Clear"));
    retypeSearch(QStringLiteral("a"));
    EXPECT_EQ(resultsWithData(), QStringList());
}

TEST_F(QuillComboBoxSearchTest, UpperCasesInTheUsersLocaleAtTheTimeOfTheSearch)
{
    createWithHint(QString(), {QStringLiteral("kilim"), QStringLiteral("KILIM")});
    clickSearchButton();
    typeSearch(QStringLiteral("i"));
    EXPECT_EQ(resultsWithData(), QStringList({"kilim@0", "KILIM@1"}));
    {
        // In Turkish the upper case of i is the dotted capital, which KILIM does not hold.
        platform::test::ScopedLocale turkish(QLocale(QLocale::Turkish, QLocale::Turkey));
        retypeSearch(QStringLiteral("li"));
        EXPECT_EQ(resultsWithData(), QStringList({"kilim@0"}));
    }
    retypeSearch(QStringLiteral("i"));
    EXPECT_EQ(resultsWithData(), QStringList({"kilim@0", "KILIM@1"}));
}

TEST_F(QuillComboBoxSearchTest, FindsExactlyWhatThePatternMatchesOnEveryItem)
{
    // Items chosen so that texts overlap, repeat, sit at the ends of items and span two
    // neighbouring items; the expected results come from the pattern service item by item.
    const QStringList items {QStringLiteral("ab"), QStringLiteral("cd"), QStringLiteral("abc"),
        QStringLiteral("bcd"), QString(), QStringLiteral("aaa"), QStringLiteral("a"),
        QStringLiteral("b"), QStringLiteral("straße"), QStringLiteral("ÀÉ ou àé"),
        QStringLiteral("item 12"), QStringLiteral("[x]"), QStringLiteral("a*b"),
        QStringLiteral("?"), QStringLiteral("#1"), QStringLiteral("AbAbAbX"),
        QStringLiteral("babab"), QStringLiteral("line\nbreak"), QStringLiteral("x\ty"),
        QStringLiteral("zzzzzzzzzz"), QStringLiteral("ab")};
    const QStringList texts {QString(), "a", "b", "ab", "ba", "bc", "abc", "cd", "dab", "da", "aa",
        "aaa", "aaaa", "abab", "babx", "bab", "x", "ß", "ss", "SSE", "àé", "É O", "?", "#", "[ab]",
        "[!a]b", "a?c", "*", "**b", "a*d", "item #", "#1", "[x", "]", "!", "-", "b?b", "?b?",
        "[a-b]b", "x]", "[]a", "z*z*z*z*z*z*z*z*z*z*z", "\\", "n\\", "\\t", "zzzzzzzzzzz", "i"};
    storeSelections(QStringLiteral("ab|2|cd|1|"));
    createWithHint(QString(), items);
    const int first = 3; // below AB, CD and the separator line
    clickSearchButton();
    for (const QString &t : texts) {
        searchEdit()->setProperty("text", t + QStringLiteral("~"));
        searchEdit()->setProperty("text", t);
        QStringList expected;
        const QString pattern = QStringLiteral("*") + upperCase(t) + QStringLiteral("*");
        for (int i = 0; i < items.size(); ++i) {
            if (matchesPattern(upperCase(items[i]), pattern))
                expected << QStringLiteral("%1@%2").arg(items[i]).arg(first + i);
        }
        EXPECT_EQ(resultsWithData(), expected) << t.toStdString();
    }
}

TEST_F(QuillComboBoxSearchTest, CompletesExactlyToTheFirstItemThatBeginsWithTheText)
{
    const QStringList items {QStringLiteral("bcd"), QStringLiteral("abc"), QString(),
        QStringLiteral("ab"), QStringLiteral("aaa"), QStringLiteral("straße"),
        QStringLiteral("xab"), QStringLiteral("ÀÉ"), QStringLiteral("b"), QStringLiteral("abcd")};
    const QStringList texts {"a", "ab", "abc", "abcd", "abcde", "b", "bc", "c", "x", "xa", "strass",
        "STRASSE", "straßen", "àé", "aa", "aaaa", "d", "cd"};
    storeSelections(QStringLiteral("abcd|2|"));
    create(items);
    const auto expectedFor = [&](const QString &t) {
        for (const QString &item : items) {
            if (upperCase(item).startsWith(upperCase(t)))
                return item;
        }
        return t;
    };
    for (const QString &t : texts) {
        combo->let(QStringLiteral("Text"), Variant(QStringLiteral("~")));
        combo->let(QStringLiteral("Text"), Variant(t));
        EXPECT_EQ(text(combo), expectedFor(t)) << t.toStdString();
    }
    // Each text straight after the previous one's completion, and a text that extends it.
    for (const QString &t : texts) {
        combo->let(QStringLiteral("Text"), Variant(t));
        EXPECT_EQ(text(combo), expectedFor(t)) << t.toStdString();
        const QString longer = text(combo) + QStringLiteral("d");
        combo->let(QStringLiteral("Text"), Variant(longer));
        EXPECT_EQ(text(combo), expectedFor(longer)) << longer.toStdString();
    }
}

// --- Taking a result ---

TEST_F(QuillComboBoxSearchTest, TakingAResultClicksOnceCountsTwiceAndCloses)
{
    struct Case
    {
        const char *name;
        std::function<void()> take;
    };
    const Case cases[] = {
        {"Enter in the search box", [this] { QTest::keyClick(searchEdit(), Qt::Key_Return); }},
        {"left button over the results",
            // Below the entries, so that the press keeps the selection.
            [this] { releaseOverResults(Qt::LeftButton, QPoint(5, 120)); }},
        {"right button below the entries",
            [this] { releaseOverResults(Qt::RightButton, QPoint(5, 120)); }},
        {"middle button below the entries",
            [this] { releaseOverResults(Qt::MiddleButton, QPoint(5, 120)); }},
    };
    ASSERT_TRUE(activate());
    int n = 0;
    for (const Case &c : cases) {
        storeSelections(QString());
        ControlSite &site = place(QStringLiteral("Taking%1").arg(n++));
        sitePtr = &site;
        control = site.control();
        combo = control->get(QStringLiteral("ComboBox")).object();
        results = control->get(QStringLiteral("ListBox")).object();
        for (const QString &item : Fruit)
            control->call(QStringLiteral("AddItem"), {Variant(item)});
        // The host's Click handler runs while the panel is still open.
        QStringList seen;
        const auto log = site.onEvent;
        site.onEvent = [&, log](DispId id, const Args &args) {
            log(id, args);
            seen << QStringLiteral("open=%1 height=%2").arg(int(isOpen())).arg(height());
        };
        clickSearchButton();
        retypeSearch(QStringLiteral("p"));
        ASSERT_EQ(selectedResult(), 0) << c.name;
        QTest::keyClick(widget("lstResultados"), Qt::Key_Down); // Grape
        ASSERT_EQ(selectedResult(), 1) << c.name;
        events.clear();
        seen.clear();
        c.take();
        EXPECT_EQ(events, QStringList {QStringLiteral("Click:Grape")}) << c.name;
        EXPECT_EQ(seen, QStringList {QStringLiteral("open=1 height=2385")}) << c.name;
        EXPECT_EQ(text(combo), "Grape") << c.name;
        EXPECT_EQ(number(combo, QStringLiteral("ListIndex")), 1) << c.name;
        EXPECT_EQ(storedSelections(), "Grape|2|") << c.name;
        EXPECT_FALSE(isOpen()) << c.name;
        EXPECT_FALSE(widget("cmbCombo")->isHidden()) << c.name;
        EXPECT_EQ(height(), 315) << c.name;
        // The focus goes back where the user started, not to the button.
        EXPECT_TRUE(comboHasFocus()) << c.name;
        form.window()->setFocus();
    }
}

TEST_F(QuillComboBoxSearchTest, ARightClickOnAResultTakesThatResult)
{
    struct Case
    {
        const char *name;
        Qt::MouseButton button;
        const char *taken;
    };
    // Each button pressed and released over Pineapple while Apple is selected.
    const Case cases[] = {
        {"left", Qt::LeftButton, "Click:Pineapple"},
        {"right", Qt::RightButton, "Click:Pineapple"},
        {"middle", Qt::MiddleButton, "Click:Apple"},
    };
    ASSERT_TRUE(activate());
    int n = 0;
    for (const Case &c : cases) {
        storeSelections(QString());
        ControlSite &site = place(QStringLiteral("Pointer%1").arg(n++));
        sitePtr = &site;
        control = site.control();
        combo = control->get(QStringLiteral("ComboBox")).object();
        results = control->get(QStringLiteral("ListBox")).object();
        for (const QString &item : {QStringLiteral("Apple"), QStringLiteral("Pineapple")})
            control->call(QStringLiteral("AddItem"), {Variant(item)});
        clickSearchButton();
        retypeSearch(QStringLiteral("apple"));
        ASSERT_EQ(resultsWithData(), QStringList({"Apple@0", "Pineapple@1"})) << c.name;
        ASSERT_EQ(selectedResult(), 0) << c.name;
        QApplication::processEvents();
        const auto *view = qobject_cast<QAbstractItemView *>(widget("lstResultados"));
        const QPoint pineapple = view->visualRect(view->model()->index(1, 0)).center();
        events.clear();
        releaseOverResults(c.button, pineapple);
        EXPECT_EQ(events, QStringList {QString::fromLatin1(c.taken)}) << c.name;
        EXPECT_EQ(storedSelections(), QString::fromLatin1(c.taken).mid(6) + "|2|") << c.name;
        EXPECT_FALSE(isOpen()) << c.name;
        form.window()->setFocus();
    }
}

TEST_F(QuillComboBoxSearchTest, TakingAResultBelowRememberedEntriesSelectsTheItemItself)
{
    storeSelections(QStringLiteral("Plum|4|"));
    createWithHint(QString(), Fruit);
    clickSearchButton();
    typeSearch(QStringLiteral("plu"));
    ASSERT_EQ(resultsWithData(), QStringList({"Plum@4"}));
    QTest::keyClick(searchEdit(), Qt::Key_Return);
    EXPECT_EQ(number(combo, QStringLiteral("ListIndex")), 4);
    EXPECT_EQ(events, QStringList {QStringLiteral("Click:Plum")});
    EXPECT_EQ(storedSelections(), "Plum|6|");
}

TEST_F(QuillComboBoxSearchTest, WithoutASelectedResultEnterAndReleasesDoNothing)
{
    createWithHint(QString(), Fruit);
    clickSearchButton();
    typeSearch(QStringLiteral("zz"));
    ASSERT_EQ(selectedResult(), -1);
    QTest::keyClick(searchEdit(), Qt::Key_Return);
    releaseOverResults(Qt::LeftButton);
    releaseOverResults(Qt::RightButton);
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(height(), 2385);
    EXPECT_EQ(searchText(), "zz");
    EXPECT_EQ(events, QStringList());
    EXPECT_EQ(storedSelections(), "<absent>");
}

TEST_F(QuillComboBoxSearchTest, OtherKeysReachTheSearchBox)
{
    createWithHint(QString(), Fruit);
    clickSearchButton();
    typeSearch(QStringLiteral("grx"));
    QTest::keyClick(searchEdit(), Qt::Key_Backspace);
    QTest::keyClick(searchEdit(), Qt::Key_Left);
    QTest::keyClick(searchEdit(), Qt::Key_Home);
    QTest::keyClick(searchEdit(), Qt::Key_Delete);
    QTest::keyClick(searchEdit(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(searchText(), "r");
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(resultsWithData(), QStringList({"Grape@1"}));
    EXPECT_EQ(selectedResult(), 0);
}

// --- The keyboard alone ---

TEST_F(QuillComboBoxSearchTest, ArrowAndPageKeysInTheSearchBoxMoveTheSelectedResult)
{
    QStringList items;
    for (int i = 0; i < 60; ++i)
        items << QStringLiteral("Item %1").arg(i, 2, 10, QLatin1Char('0'));
    createWithHint(QString(), items);
    clickSearchButton();
    typeSearch(QStringLiteral("item"));
    ASSERT_EQ(selectedResult(), 0);
    const auto press = [this](Qt::Key key) {
        QTest::keyClick(searchEdit(), key);
        return selectedResult();
    };
    EXPECT_EQ(press(Qt::Key_Up), 0);
    EXPECT_EQ(press(Qt::Key_Down), 1);
    EXPECT_EQ(press(Qt::Key_Down), 2);
    EXPECT_EQ(press(Qt::Key_Up), 1);
    // A page is what the list shows: more than one result, and the new one is in view.
    const int16_t page = press(Qt::Key_PageDown);
    EXPECT_GT(page, 2);
    const auto *view = qobject_cast<QAbstractItemView *>(widget("lstResultados"));
    EXPECT_TRUE(view->viewport()->rect().contains(
        view->visualRect(view->model()->index(page, 0)).bottomLeft()));
    EXPECT_EQ(press(Qt::Key_PageDown), 2 * page - 1);
    EXPECT_EQ(press(Qt::Key_PageUp), page);
    for (int i = 0; i < 60; ++i)
        QTest::keyClick(searchEdit(), Qt::Key_PageDown);
    EXPECT_EQ(selectedResult(), 59);
    EXPECT_EQ(press(Qt::Key_Down), 59);
    EXPECT_EQ(press(Qt::Key_PageUp), 59 - (page - 1));
    // The keys moved the selection only: the typing stays in the search box.
    EXPECT_EQ(searchText(), "item");
    EXPECT_EQ(QApplication::focusWidget(), searchEdit());
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(events, QStringList());
    EXPECT_EQ(storedSelections(), "<absent>");

    // With no results the keys do nothing.
    retypeSearch(QStringLiteral("zz"));
    EXPECT_EQ(press(Qt::Key_Down), -1);
    EXPECT_EQ(press(Qt::Key_PageUp), -1);
}

TEST_F(QuillComboBoxSearchTest, APickWithTheKeyboardAloneTakesTheSelectedResult)
{
    struct Case
    {
        const char *name;
        std::function<void()> take;
    };
    const Case cases[] = {
        {"Down, then Enter in the search box",
            [this] {
                QTest::keyClick(searchEdit(), Qt::Key_Down);
                QTest::keyClick(searchEdit(), Qt::Key_Return);
            }},
        {"Shift+Tab to the list, Down, then Enter",
            [this] {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
                ASSERT_EQ(QApplication::focusWidget(), widget("lstResultados"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            }},
        {"Shift+Tab to the list, Down, then Space",
            [this] {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
                ASSERT_EQ(QApplication::focusWidget(), widget("lstResultados"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            }},
    };
    ASSERT_TRUE(activate());
    int n = 0;
    for (const Case &c : cases) {
        storeSelections(QString());
        ControlSite &site = place(QStringLiteral("Keys%1").arg(n++));
        sitePtr = &site;
        control = site.control();
        combo = control->get(QStringLiteral("ComboBox")).object();
        results = control->get(QStringLiteral("ListBox")).object();
        for (const QString &item : Fruit)
            control->call(QStringLiteral("AddItem"), {Variant(item)});
        // Into the combo, Tab to the button, Space opens the panel.
        combo->call(QStringLiteral("SetFocus"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), widget("cmdBuscar")) << c.name;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        ASSERT_TRUE(isOpen()) << c.name;
        ASSERT_EQ(QApplication::focusWidget(), searchEdit()) << c.name;
        QTest::keyClicks(searchEdit(), QStringLiteral("p"));
        ASSERT_EQ(selectedResult(), 0) << c.name;
        events.clear();
        c.take();
        EXPECT_EQ(events, QStringList {QStringLiteral("Click:Grape")}) << c.name;
        EXPECT_EQ(text(combo), "Grape") << c.name;
        EXPECT_EQ(storedSelections(), "Grape|2|") << c.name;
        EXPECT_FALSE(isOpen()) << c.name;
        EXPECT_EQ(height(), 315) << c.name;
        EXPECT_TRUE(comboHasFocus()) << c.name;
        form.window()->setFocus();
    }
}

TEST_F(QuillComboBoxSearchTest, EscapeClosesThePanelAndTheComboTakesTheFocus)
{
    struct Case
    {
        const char *name;
        const char *target;
    };
    const Case cases[] = {{"in the search box", "txtBuscar"}, {"in the list", "lstResultados"}};
    createWithHint(QString(), Fruit);
    for (const Case &c : cases) {
        clickSearchButton();
        ASSERT_TRUE(isOpen()) << c.name;
        retypeSearch(QStringLiteral("p"));
        widget(c.target)->setFocus();
        QTest::keyClick(widget(c.target), Qt::Key_Escape);
        EXPECT_FALSE(isOpen()) << c.name;
        EXPECT_EQ(height(), 315) << c.name;
        EXPECT_FALSE(widget("cmbCombo")->isHidden()) << c.name;
        EXPECT_TRUE(comboHasFocus()) << c.name;
        // Nothing was taken.
        EXPECT_EQ(text(combo), QString()) << c.name;
        EXPECT_EQ(events, QStringList()) << c.name;
        EXPECT_EQ(storedSelections(), "<absent>") << c.name;
        // Escape in the combo does not open it again.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(isOpen()) << c.name;
    }
}

} // namespace
