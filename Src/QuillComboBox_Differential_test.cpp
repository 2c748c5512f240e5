// QuillComboBox's search and type-ahead against the plain rule they stand for, on thousands of
// random lists: every host item in list order, upper-cased, matched against "*" + the search
// text + "*" (or compared with the typed text's beginning), the remembered entries left out.
// Items are added, inserted, removed and cleared between the searches.
#include "QuillComboBoxTestFixture.h"

#include <Quillkit/Value/Pattern.h>
#include <Quillkit/Value/TextServices.h>

#include <QLineEdit>
#include <QRandomGenerator>

using namespace platform;
using namespace quillkit::test;

namespace {

// What items are made of: letters of both cases, letters whose capitals are two letters (ß, the
// ligatures, ŉ), combining marks, surrogate pairs with and without a capital, the stored
// value's separator, blanks, digits and the pattern's own characters.
const QStringList ItemPieces = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("A"),
    QStringLiteral("B"), QStringLiteral("s"), QStringLiteral("S"), QStringLiteral("i"),
    QStringLiteral("ß"), QStringLiteral("ﬁ"), QStringLiteral("ﬀ"), QStringLiteral("ŉ"),
    QStringLiteral("e\u0301"), QStringLiteral("\u0307"), QStringLiteral("\U0001D49C"),
    QStringLiteral("\U00010428"), QStringLiteral("\U00010400"), QStringLiteral("|"),
    QStringLiteral(" "), QStringLiteral("1"), QStringLiteral("7"), QStringLiteral("*"),
    QStringLiteral("?"), QStringLiteral("["), QStringLiteral("]")};
// Search texts add pattern elements, a malformed list among them.
const QStringList PatternPieces = {QStringLiteral("?"), QStringLiteral("*"), QStringLiteral("#"),
    QStringLiteral("[a-c]"), QStringLiteral("[!b]"), QStringLiteral("[ß-ﬁ]"), QStringLiteral("[")};

struct Remembered
{
    const char *name;
    QString stored;
};

class QuillComboBoxDifferentialTest : public ComboBoxFixture,
                                      public testing::WithParamInterface<Remembered>
{
protected:
    QString randomText(int maxPieces, bool pattern)
    {
        QString text;
        const int pieces = int(random.bounded(maxPieces + 1));
        for (int i = 0; i < pieces; ++i) {
            if (pattern && random.bounded(5) == 0)
                text += PatternPieces[random.bounded(PatternPieces.size())];
            else
                text += ItemPieces[random.bounded(ItemPieces.size())];
        }
        return text;
    }
    // Mostly the beginning of an item, in either case, so that many searches find something.
    QString randomQuery(bool pattern)
    {
        if (items.isEmpty() || random.bounded(4) == 0)
            return randomText(3, pattern);
        const QString &item = items[random.bounded(items.size())];
        QString part = item.left(random.bounded(item.size() + 1));
        if (random.bounded(2) == 0)
            part = part.toLower();
        if (pattern && random.bounded(3) == 0)
            part.insert(random.bounded(part.size() + 1), PatternPieces[random.bounded(2)]);
        return part;
    }

    void addItem(const QString &item)
    {
        control->call(QStringLiteral("AddItem"), {Variant(item)});
        items << item;
    }
    void change()
    {
        const int n = int(items.size());
        switch (random.bounded(6)) {
        case 0:
        case 1:
            addItem(randomText(6, false));
            break;
        case 2: {
            // At an absolute index among the host's items.
            const int at = int(random.bounded(n + 1));
            const QString item = randomText(6, false);
            control->call(QStringLiteral("AddItem"), {Variant(item), Variant(int16_t(first + at))});
            items.insert(at, item);
            break;
        }
        case 3:
        case 4:
            if (n > 0) {
                const int at = int(random.bounded(n));
                combo->call(QStringLiteral("RemoveItem"), {Variant(int16_t(first + at))});
                items.removeAt(at);
            }
            break;
        default:
            control->call(QStringLiteral("Clear"));
            items.clear();
            break;
        }
    }

    void expectSearch(const QString &text)
    {
        auto *search = static_cast<QLineEdit *>(searchEdit());
        // Every change of the text searches; the same text again would not.
        if (search->text() == text)
            search->setText(text + QStringLiteral("\x01"));
        search->setText(text);
        const QString pattern = QStringLiteral("*") + upperCase(text) + QStringLiteral("*");
        QStringList expected;
        for (int i = 0; i < items.size(); ++i) {
            if (matchesPattern(upperCase(items[i]), pattern))
                expected << QStringLiteral("%1@%2").arg(items[i]).arg(first + i);
        }
        QStringList found;
        const int16_t count = int16_t(number(results, QStringLiteral("ListCount")));
        for (int16_t k = 0; k < count; ++k) {
            found << QStringLiteral("%1@%2")
                         .arg(toText(results->get(QStringLiteral("List"), {Variant(k)})))
                         .arg(itemData(results, k));
        }
        ASSERT_EQ(found, expected)
            << "search " << text.toStdString() << " in " << items.join(u'/').toStdString();
        ASSERT_EQ(number(results, QStringLiteral("ListIndex")), expected.isEmpty() ? -1 : 0);
    }

    // The first host item whose capitals begin with those of `typed`, and where the typed text
    // ends in it; -1 for none.
    int completionOf(const QString &typed, std::optional<qsizetype> &typedPart) const
    {
        const QString upper = upperCase(typed);
        for (int i = 0; i < items.size(); ++i) {
            // An empty text begins every text, an empty one too (however it was made).
            if (upper.isEmpty() || upperCase(items[i]).startsWith(upper)) {
                typedPart = upperCasePrefixLength(items[i], upper.size());
                if (typedPart)
                    return i;
            }
        }
        return -1;
    }

    void expectTypeAhead(const QString &typed)
    {
        if (text(combo) == typed)
            return; // setting the same text reports no change
        combo->let(QStringLiteral("Text"), Variant(typed));
        std::optional<qsizetype> typedPart;
        const int found = completionOf(typed, typedPart);
        // Filling in an item is a change of its own, which completes that item's text in turn.
        QString shown = typed;
        std::optional<qsizetype> ignored;
        for (int i = found, rounds = 0; i >= 0 && items[i] != shown && rounds < 8; ++rounds) {
            shown = items[i];
            i = completionOf(shown, ignored);
        }
        ASSERT_EQ(text(combo), shown)
            << "typed " << typed.toStdString() << " in " << items.join(u'/').toStdString();
        if (found >= 0) {
            ASSERT_EQ(number(combo, QStringLiteral("SelStart")), *typedPart) << typed.toStdString();
        }
    }

    void check()
    {
        expectSearch(randomQuery(random.bounded(3) == 0));
        expectTypeAhead(randomQuery(false));
    }

    QRandomGenerator random {quint32(GetParam().stored.size()) + 15};
    QStringList items;
    int first = 0;
};

TEST_P(QuillComboBoxDifferentialTest, SearchAndTypeAheadFindWhatEveryItemCheckedInTurnFinds)
{
    storeSelections(GetParam().stored);
    create();
    // Whatever the inner list holds before the host adds anything is the remembered block.
    first = int(number(combo, QStringLiteral("ListCount")));

    for (int list = 0; list < 2000; ++list) {
        control->call(QStringLiteral("Clear"));
        items.clear();
        // Mostly short lists, where the edge cases lie; now and then an empty one, one of a
        // single item, or a few hundred items.
        const int shape = int(random.bounded(20));
        const int size = shape == 0 ? 0 : shape == 1 ? 1 : shape == 2 ? 300 : random.bounded(12);
        for (int i = 0; i < size; ++i)
            addItem(randomText(6, false));
        for (int round = 0; round < 3; ++round) {
            check();
            if (HasFatalFailure())
                return;
            change();
        }
    }

    // The fullest list the inner combo holds, each text many times over.
    control->call(QStringLiteral("Clear"));
    items.clear();
    while (first + items.size() < 32767)
        addItem(randomText(6, false));
    for (int round = 0; round < 3; ++round) {
        check();
        if (HasFatalFailure())
            return;
    }
    EXPECT_EQ(errorNumberOf([&] { control->call(QStringLiteral("AddItem"), {Variant("x")}); }), 7);
}

INSTANTIATE_TEST_SUITE_P(Lists, QuillComboBoxDifferentialTest,
    testing::Values(Remembered {"WithoutRememberedEntries", QString()},
        Remembered {
            "UnderRememberedEntries", QStringLiteral("ab|3|B|2|ß|4|e\u0301|1|\U00010428|5|")}),
    [](const testing::TestParamInfo<Remembered> &info) { return info.param.name; });

} // namespace
