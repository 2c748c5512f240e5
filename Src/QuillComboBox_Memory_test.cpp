// The remembered selections of QuillComboBox: loading and ranking at creation, recording
// picks in the user's settings store, forgetting them, and stored values that do not read.
#include "QuillComboBoxTestFixture.h"

#include <Quillkit/TestSupport/UnhandledErrors.h>

#include <QFile>

using namespace platform;
using namespace quillkit::test;

namespace {

const QString Separator = QStringLiteral("---------------");

class QuillComboBoxMemoryTest : public ComboBoxFixture
{
protected:
    // Picks a host item by its text, as the host's code or the user's pick does.
    static void pick(const DispatchPtr &inner, const QString &item)
    {
        const QStringList all = entries(inner);
        const qsizetype at = all.lastIndexOf(item);
        ASSERT_GE(at, 0) << item.toStdString();
        inner->let(QStringLiteral("ListIndex"), Variant(int16_t(at)));
    }
    // The remembered block of a new instance: the entries above the separator line.
    QStringList blockOfNewInstance()
    {
        static int n = 0;
        ControlSite &site = place(QStringLiteral("Fresh%1").arg(n++));
        const QStringList all = entries(site.control()->get(QStringLiteral("ComboBox")).object());
        const qsizetype line = all.indexOf(Separator);
        return line < 0 ? QStringList() : all.mid(0, line);
    }
};

// --- Loading and ranking ---

TEST_F(QuillComboBoxMemoryTest, ShowsTheRememberedBlockAboveTheSeparatorAndTheItemsBelow)
{
    storeSelections(QStringLiteral("Apple|3|Grape|5|Plum|3|"));
    create({QStringLiteral("Kiwi"), QStringLiteral("Apple")});
    EXPECT_EQ(
        entries(combo), QStringList({"GRAPE ", "APPLE ", "PLUM ", Separator, "Kiwi", "Apple"}));
    EXPECT_EQ(number(combo, QStringLiteral("ListIndex")), -1);
    EXPECT_EQ(text(combo), QString());
}

TEST_F(QuillComboBoxMemoryTest, RanksFiveSlotsByStrictlyGreaterCounts)
{
    struct Case
    {
        const char *stored;
        QStringList block;
    };
    const Case cases[] = {
        {"", {}},
        {"Apple|3|", {"APPLE "}},
        // Ties keep the stored order.
        {"a|2|b|2|c|2|", {"A ", "B ", "C "}},
        // A count of 0 or less never shows.
        {"Zero|0|One|1|Minus|-4|", {"ONE "}},
        {"Zero|0|", {}},
        // Seven texts: the five highest.
        {"a|1|b|2|c|3|d|4|e|5|f|6|g|7|", {"G ", "F ", "E ", "D ", "C "}},
        {"g|7|f|6|e|5|d|4|c|3|b|2|a|1|", {"G ", "F ", "E ", "D ", "C "}},
        // Equal to a slot is not enough to pass it, but beats a lower one.
        {"A|5|B|7|C|5|D|9|E|1|F|5|", {"D ", "B ", "A ", "C ", "F "}},
        // Stored letter case and spaces, shown upper-cased with one space after.
        {"ñandú  verde|2|", {"ÑANDÚ  VERDE "}},
        {"Counts|0012|Big|1000000|", {"BIG ", "COUNTS "}},
    };
    for (const Case &c : cases) {
        storeSelections(QString::fromUtf8(c.stored));
        EXPECT_EQ(blockOfNewInstance(), c.block) << c.stored;
    }
}

TEST_F(QuillComboBoxMemoryTest, TextsBeyondTheFiveSlotsStayInTheTableAndTheStore)
{
    storeSelections(QStringLiteral("a|1|b|2|c|3|d|4|e|5|f|6|g|7|"));
    create({QStringLiteral("A"), QStringLiteral("b")});
    EXPECT_EQ(entries(combo).mid(0, 6), QStringList({"G ", "F ", "E ", "D ", "C ", Separator}));
    pick(combo, QStringLiteral("A"));
    EXPECT_EQ(storedSelections(), "a|2|b|2|c|3|d|4|e|5|f|6|g|7|");
    pick(combo, QStringLiteral("b"));
    EXPECT_EQ(storedSelections(), "a|2|b|3|c|3|d|4|e|5|f|6|g|7|");
}

TEST_F(QuillComboBoxMemoryTest, WithoutRememberedEntriesThereIsNoSeparator)
{
    for (const char *stored : {"", "Zero|0|"}) {
        storeSelections(QString::fromLatin1(stored));
        create({QStringLiteral("Apple")});
        EXPECT_EQ(entries(combo), QStringList {QStringLiteral("Apple")}) << stored;
    }
}

TEST_F(QuillComboBoxMemoryTest, ReadsWhatTheStoredValueHoldsAndSkipsUnreadablePairs)
{
    struct Case
    {
        const char *name;
        QString stored;
        QStringList block;
        // The stored value after this instance records "Kiwi".
        QString afterKiwi;
    };
    const Case cases[] = {
        {"a text without its count", "Apple|3|Grape", {"APPLE "}, "Apple|3|Kiwi|1|"},
        {"no closing delimiter", "Apple|3", {"APPLE "}, "Apple|3|Kiwi|1|"},
        {"a count that is no number", "Apple|many|Grape|2|", {"GRAPE "}, "Grape|2|Kiwi|1|"},
        {"an empty count", "Apple||Grape|2|", {"GRAPE "}, "Grape|2|Kiwi|1|"},
        {"an empty text first", "|4|Grape|2|", {"GRAPE "}, "Grape|2|Kiwi|1|"},
        {"empty fields between pairs", "Apple|3|||Grape|2|", {"APPLE ", "GRAPE "},
            "Apple|3|Grape|2|Kiwi|1|"},
        {"only delimiters", "||||", {}, "Kiwi|1|"},
        {"a count out of double range", "Apple|1e400|Grape|2|", {"GRAPE "}, "Grape|2|Kiwi|1|"},
        // Beyond 32 bits: never shown, but kept and written back.
        {"a count beyond 32 bits", "Big|99999999999|Apple|2|", {"APPLE "},
            "Big|99999999999|Apple|2|Kiwi|1|"},
        {"a count just beyond 32 bits", "Big|2147483648|Apple|2|", {"APPLE "},
            "Big|2147483648|Apple|2|Kiwi|1|"},
        {"the largest 32-bit count", "Big|2147483647|Apple|2|", {"BIG ", "APPLE "},
            "Big|2147483647|Apple|2|Kiwi|1|"},
        {"control characters", QStringLiteral("A\tb\x01|2|\n|1|"), {"A\tB\x01 ", "\n "},
            QStringLiteral("A\tb\x01|2|\n|1|Kiwi|1|")},
        {"kiwi already stored in another case", "KIWI|2|", {"KIWI "}, "KIWI|3|"},
    };
    int n = 0;
    for (const Case &c : cases) {
        storeSelections(c.stored);
        ControlSite &site = place(QStringLiteral("Stored%1").arg(n++));
        const DispatchPtr inner = site.control()->get(QStringLiteral("ComboBox")).object();
        const QStringList all = entries(inner);
        const qsizetype line = all.indexOf(Separator);
        EXPECT_EQ(line < 0 ? QStringList() : all.mid(0, line), c.block) << c.name;
        site.control()->call(QStringLiteral("AddItem"), {Variant("Kiwi")});
        pick(inner, QStringLiteral("Kiwi"));
        EXPECT_EQ(storedSelections(), c.afterKiwi) << c.name;
    }
}

TEST_F(QuillComboBoxMemoryTest, HugeStoredValuesLoad)
{
    // 20000 texts, one of them a megabyte long, one with a count far beyond 32 bits.
    QString value;
    for (int i = 0; i < 20000; ++i)
        value += QStringLiteral("Text %1|%2|").arg(i).arg(i % 7);
    const QString longText(1 << 20, QChar(u'x'));
    value += longText + QStringLiteral("|8|");
    value += QStringLiteral("Huge|") + QString(400, QChar(u'9')) + QStringLiteral("|");
    value += QStringLiteral("Large|") + QString(40, QChar(u'9')) + QStringLiteral("|");
    storeSelections(value);
    create({QStringLiteral("Text 6")});
    const QStringList all = entries(combo);
    ASSERT_EQ(all.size(), 7);
    EXPECT_EQ(all[0], longText.toUpper() + QStringLiteral(" "));
    EXPECT_EQ(all.mid(1),
        QStringList({"TEXT 6 ", "TEXT 13 ", "TEXT 20 ", "TEXT 27 ", Separator, "Text 6"}));
    // Recording keeps every readable pair: all but the one whose count is no number.
    pick(combo, QStringLiteral("Text 6"));
    const QString stored = storedSelections();
    EXPECT_TRUE(stored.startsWith(QStringLiteral("Text 0|0|Text 1|1|")));
    EXPECT_TRUE(stored.contains(QStringLiteral("|Text 6|7|Text 7|0|")));
    EXPECT_TRUE(stored.contains(longText + QStringLiteral("|8|")));
    EXPECT_FALSE(stored.contains(QStringLiteral("Huge")));
    EXPECT_TRUE(stored.endsWith(
        QStringLiteral("|Large|") + QString(40, QChar(u'9')) + QStringLiteral("|")));
}

// --- Recording ---

TEST_F(QuillComboBoxMemoryTest, RecordingKeepsTheFirstLetterCaseAndAppendsNewTexts)
{
    storeSelections(QStringLiteral("Apple|3|"));
    create({QStringLiteral("apple"), QStringLiteral("Grape"), QStringLiteral("GRAPE")});
    pick(combo, QStringLiteral("apple"));
    EXPECT_EQ(storedSelections(), "Apple|4|");
    pick(combo, QStringLiteral("Grape"));
    EXPECT_EQ(storedSelections(), "Apple|4|Grape|1|");
    pick(combo, QStringLiteral("GRAPE"));
    EXPECT_EQ(storedSelections(), "Apple|4|Grape|2|");
}

TEST_F(QuillComboBoxMemoryTest, TheBlockStaysForTheLifeOfAnInstance)
{
    storeSelections(QStringLiteral("Apple|3|"));
    create({QStringLiteral("Apple"), QStringLiteral("Grape")});
    for (int i = 0; i < 5; ++i)
        pick(combo, QStringLiteral("Grape"));
    EXPECT_EQ(entries(combo), QStringList({"APPLE ", Separator, "Apple", "Grape"}));
    control->call(QStringLiteral("Clear"));
    EXPECT_EQ(entries(combo), QStringList({"APPLE ", Separator}));
    EXPECT_EQ(blockOfNewInstance(), QStringList({"GRAPE ", "APPLE "}));
}

TEST_F(QuillComboBoxMemoryTest, TheLastInstanceToRecordWins)
{
    storeSelections(QStringLiteral("Apple|3|"));
    ControlSite &first = place(QStringLiteral("First"));
    ControlSite &second = place(QStringLiteral("Second"));
    const DispatchPtr firstCombo = first.control()->get(QStringLiteral("ComboBox")).object();
    const DispatchPtr secondCombo = second.control()->get(QStringLiteral("ComboBox")).object();
    for (const char *item : {"Grape", "Plum"}) {
        first.control()->call(QStringLiteral("AddItem"), {Variant(item)});
        second.control()->call(QStringLiteral("AddItem"), {Variant(item)});
    }
    pick(firstCombo, QStringLiteral("Grape"));
    EXPECT_EQ(storedSelections(), "Apple|3|Grape|1|");
    pick(secondCombo, QStringLiteral("Plum"));
    EXPECT_EQ(storedSelections(), "Apple|3|Plum|1|");
    pick(firstCombo, QStringLiteral("Grape"));
    EXPECT_EQ(storedSelections(), "Apple|3|Grape|2|");
}

TEST_F(QuillComboBoxMemoryTest, ResetMemoryEmptiesTheStoreButNotTheInstance)
{
    storeSelections(QStringLiteral("Apple|3|Grape|1|"));
    create({QStringLiteral("Apple"), QStringLiteral("Plum")});
    control->call(QStringLiteral("ResetMemory"));
    EXPECT_EQ(storedSelections(), QString());
    EXPECT_EQ(entries(combo), QStringList({"APPLE ", "GRAPE ", Separator, "Apple", "Plum"}));
    EXPECT_EQ(blockOfNewInstance(), QStringList());
    // The old instance still holds what it loaded, and writes it all back with the new pick.
    pick(combo, QStringLiteral("Plum"));
    EXPECT_EQ(storedSelections(), "Apple|3|Grape|1|Plum|1|");
    EXPECT_EQ(blockOfNewInstance(), QStringList({"APPLE ", "GRAPE ", "PLUM "}));
}

TEST_F(QuillComboBoxMemoryTest, ATextWithTheDelimiterIsCountedButNeverStored)
{
    storeSelections(QStringLiteral("Apple|3|Grape|2|"));
    create({QStringLiteral("a|b"), QStringLiteral("Grape"), QStringLiteral("|")});
    pick(combo, QStringLiteral("a|b"));
    pick(combo, QStringLiteral("a|b"));
    pick(combo, QStringLiteral("|"));
    EXPECT_EQ(storedSelections(), "Apple|3|Grape|2|");
    pick(combo, QStringLiteral("Grape"));
    EXPECT_EQ(storedSelections(), "Apple|3|Grape|3|");
    // The next instance reads every other text with its count.
    EXPECT_EQ(blockOfNewInstance(), QStringList({"APPLE ", "GRAPE "}));
    ControlSite &next = place(QStringLiteral("Next"));
    const DispatchPtr nextCombo = next.control()->get(QStringLiteral("ComboBox")).object();
    next.control()->call(QStringLiteral("AddItem"), {Variant("Apple")});
    pick(nextCombo, QStringLiteral("Apple"));
    EXPECT_EQ(storedSelections(), "Apple|4|Grape|3|");
}

TEST_F(QuillComboBoxMemoryTest, AnEmptyRecordedTextKeepsThePairsAfterItReadable)
{
    storeSelections(QStringLiteral("Apple|3|"));
    create({QStringLiteral("Apple")});
    combo->let(QStringLiteral("ListIndex"), Variant(int16_t(-1)));
    pick(combo, QStringLiteral("Apple"));
    EXPECT_EQ(storedSelections(), "Apple|4||1|");
    storeSelections(QStringLiteral("|1|Apple|4|"));
    EXPECT_EQ(blockOfNewInstance(), QStringList({"APPLE "}));
}

TEST_F(QuillComboBoxMemoryTest, CountsGrowAsNumbersWhateverTheirDigits)
{
    struct Case
    {
        const char *stored;
        const char *after;
    };
    const Case cases[] = {
        {"Apple|0012|", "Apple|13|"},
        {"Apple|9|", "Apple|10|"},
        {"Apple|2147483647|", "Apple|2147483648|"},
        {"Apple|99999999999|", "Apple|100000000000|"},
        {"Apple|-3|", "Apple|-2|"},
    };
    for (const Case &c : cases) {
        storeSelections(QString::fromLatin1(c.stored));
        ControlSite &site = place(QStringLiteral("Count%1").arg(QString::fromLatin1(c.stored)));
        const DispatchPtr inner = site.control()->get(QStringLiteral("ComboBox")).object();
        site.control()->call(QStringLiteral("AddItem"), {Variant("Apple")});
        pick(inner, QStringLiteral("Apple"));
        EXPECT_EQ(storedSelections(), QString::fromLatin1(c.after)) << c.stored;
    }
}

// A store that cannot be written must not cost the user the pick: the selection, Click and the
// panel's closing go through, the failure is reported once, and the counts are written with
// the next pick that can be.
TEST_F(QuillComboBoxMemoryTest, AnUnwritableStoreNeitherStopsThePickNorLosesTheCounts)
{
    storeSelections(QStringLiteral("Apple|3|"));
    ASSERT_TRUE(activate());
    create({QStringLiteral("Apple"), QStringLiteral("Grape"), QStringLiteral("Plum")});
    ASSERT_EQ(entries(combo).first(), "APPLE ");

    // A folder that cannot be made: its parent is a file.
    QFile blocker(folders.path() + QStringLiteral("/blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    test::UnhandledErrors unhandled;
    {
        test::ScopedEnv unwritable(
            "QUILL_SETTINGS_DIR", QFile::encodeName(blocker.fileName() + QStringLiteral("/quill")));
        pick(combo, QStringLiteral("Grape"));
        EXPECT_EQ(events, QStringList {QStringLiteral("Click:Grape")});
        EXPECT_EQ(text(combo), "Grape");

        // From the search panel the item is recorded twice; the panel closes all the same.
        events.clear();
        clickSearchButton();
        QTest::keyClicks(searchEdit(), QStringLiteral("plu"));
        QTest::keyClick(searchEdit(), Qt::Key_Return);
        EXPECT_EQ(events, QStringList {QStringLiteral("Click:Plum")});
        EXPECT_EQ(text(combo), "Plum");
        EXPECT_TRUE(searchEdit()->isHidden());
        EXPECT_EQ(height(), 315);
        ASSERT_EQ(unhandled.numbers(), std::vector<int32_t>({75}));
        EXPECT_TRUE(unhandled.errors.front().text().contains(QStringLiteral("blocker")))
            << unhandled.errors.front().text().toStdString();
    }
    EXPECT_EQ(storedSelections(), "Apple|3|");
    pick(combo, QStringLiteral("Apple"));
    EXPECT_EQ(storedSelections(), "Apple|4|Grape|1|Plum|2|");
    EXPECT_EQ(unhandled.numbers(), std::vector<int32_t>({75}));
}

// A store that is there but does not read must cost the form neither its control nor the user
// the counts it holds: the control starts without remembered entries, the failure is reported
// once, and the control never writes its own table over a value it could not read, not even
// once the store reads again. After ResetMemory there is nothing left to lose.
TEST_F(QuillComboBoxMemoryTest, AnUnreadableStoreNeitherStopsCreationNorLosesTheStoredValue)
{
    storeSelections(QStringLiteral("Apple|3|Grape|5|"));
    QFile file(SettingsStore::forUser().filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray stored = file.readAll();
    file.close();
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("a line that is no setting\n");
    file.close();

    test::UnhandledErrors unhandled;
    create({QStringLiteral("Apple"), QStringLiteral("Grape"), QStringLiteral("Plum")});
    EXPECT_EQ(entries(combo), QStringList({"Apple", "Grape", "Plum"}));
    ASSERT_EQ(unhandled.numbers(), std::vector<int32_t>({75}));
    EXPECT_TRUE(unhandled.errors.front().text().contains(file.fileName()))
        << unhandled.errors.front().text().toStdString();

    pick(combo, QStringLiteral("Plum"));
    EXPECT_EQ(events, QStringList {QStringLiteral("Click:Plum")});
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(stored);
    file.close();
    pick(combo, QStringLiteral("Grape"));
    EXPECT_EQ(storedSelections(), "Apple|3|Grape|5|");
    EXPECT_EQ(blockOfNewInstance(), QStringList({"GRAPE ", "APPLE "}));
    EXPECT_EQ(unhandled.numbers(), std::vector<int32_t>({75}));

    control->call(QStringLiteral("ResetMemory"));
    pick(combo, QStringLiteral("Plum"));
    EXPECT_EQ(storedSelections(), "Plum|2|Grape|1|");
}

} // namespace
