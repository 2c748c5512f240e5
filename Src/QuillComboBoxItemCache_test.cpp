// The upper-cased copy of the inner list: whatever is done to the list, each query answers
// what upper-casing and matching every entry there and then would answer.
#include "QuillComboBoxItemCache.h"

#include <Quillkit/Controls/ComboBox.h>
#include <Quillkit/TestSupport/TestEnvironment.h>
#include <Quillkit/Value/Pattern.h>
#include <Quillkit/Value/TextServices.h>

#include <QStringListModel>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// Following the list's model, or comparing with the list at each query when the model cannot
// be told apart from another one.
enum class Mode { FollowsTheModel, ComparesWithTheList };

class QuillComboBoxItemCacheTest : public testing::TestWithParam<Mode>
{
protected:
    void SetUp() override
    {
        if (GetParam() == Mode::ComparesWithTheList)
            new QStringListModel(combo.widget());
        cache.attach(combo);
    }

    QStringList entries() const
    {
        QStringList all;
        for (int16_t i = 0; i < combo.ListCount(); ++i)
            all << combo.List(i);
        return all;
    }

    // Every query, against the same question asked of each entry.
    void expectInStep(const char *step)
    {
        const QStringList all = entries();
        ASSERT_EQ(cache.count(), all.size()) << step;
        for (int i = 0; i < all.size(); ++i)
            EXPECT_EQ(cache.upper(i), upperCase(all[i])) << step << " " << i;
        for (const QString &text :
            {QString(), QStringLiteral("A"), QStringLiteral("AP"), QStringLiteral("PLE"),
                QStringLiteral("İ"), QStringLiteral("I"), QStringLiteral("E\nA")}) {
            for (const int from : {0, 1, 3}) {
                std::vector<int> expected;
                int first = -1;
                for (int i = from; i < all.size(); ++i) {
                    const QString upper = upperCase(all[i]);
                    if (upper.contains(text))
                        expected.push_back(i);
                    if (first < 0 && upper.startsWith(text))
                        first = i;
                }
                std::vector<int> found;
                cache.findContaining(text, from, found);
                EXPECT_EQ(found, expected) << step << " " << text.toStdString() << " " << from;
                for (const int i : found)
                    EXPECT_EQ(cache.text(i), all[i]) << step;
                EXPECT_EQ(cache.firstStartingWith(text, from), first)
                    << step << " " << text.toStdString() << " " << from;

                const QString pattern = QStringLiteral("*?") + text + QStringLiteral("*");
                expected.clear();
                for (int i = from; i < all.size(); ++i) {
                    if (matchesPattern(upperCase(all[i]), pattern))
                        expected.push_back(i);
                }
                cache.findMatching(WildcardPattern(pattern), text, from, found);
                EXPECT_EQ(found, expected) << step << " " << pattern.toStdString();
            }
        }
    }

    QWidget window;
    ComboBox combo {&window, QStringLiteral("cmbCombo")};
    QuillComboBoxItemCache cache;
};

TEST_P(QuillComboBoxItemCacheTest, StaysInStepWithEveryChangeOfTheList)
{
    struct Step
    {
        const char *name;
        std::function<void(ComboBox &)> change;
    };
    const Step steps[] = {
        {"empty", [](ComboBox &) {}},
        {"appended",
            [](ComboBox &c) {
                for (const char *item : {"grape", "Apple", "pineapple", "kilim", "Ap"})
                    c.AddItem(QString::fromLatin1(item));
            }},
        {"inserted first", [](ComboBox &c) { c.AddItem(QStringLiteral("apricot"), 0); }},
        {"inserted inside", [](ComboBox &c) { c.AddItem(QStringLiteral("line\nApe"), 3); }},
        {"removed", [](ComboBox &c) { c.RemoveItem(1); }},
        {"renamed", [](ComboBox &c) { c.setList(2, QStringLiteral("PLEAT")); }},
        {"same text again", [](ComboBox &c) { c.setList(2, QStringLiteral("PLEAT")); }},
        {"emptied entry", [](ComboBox &c) { c.setList(0, QString()); }},
        {"cleared", [](ComboBox &c) { c.Clear(); }},
        {"refilled",
            [](ComboBox &c) {
                for (const char *item : {"ape", "İpek", "iPad", "apple"})
                    c.AddItem(QString::fromUtf8(item));
            }},
    };
    for (const Step &step : steps) {
        step.change(combo);
        expectInStep(step.name);
    }
    {
        // In Turkish the capital of i is dotted: every entry is upper-cased again.
        test::ScopedLocale turkish(QLocale(QLocale::Turkish, QLocale::Turkey));
        expectInStep("Turkish");
    }
    expectInStep("English again");
}

INSTANTIATE_TEST_SUITE_P(BothModes, QuillComboBoxItemCacheTest,
    testing::Values(Mode::FollowsTheModel, Mode::ComparesWithTheList));

} // namespace
