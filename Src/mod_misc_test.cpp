#include "mod_misc.h"

#include <Quillkit/TestSupport/TestEnvironment.h>

#include <gtest/gtest.h>

using platform::Variant;

namespace {

struct SplitCase
{
    const char *text;
    const char *delimiter;
    int32_t limit;
    int32_t compare;
    QStringList expected;
};

class Split : public testing::TestWithParam<SplitCase>
{
};

TEST_P(Split, GivesOneElementPerFieldWithinTheLimit)
{
    const SplitCase &c = GetParam();
    QStringList parts {"stale", "elements", "from", "before", "the", "call", "!"};
    QString text = QString::fromUtf8(c.text);
    const QString original = text;
    const Variant result
        = STRING_Split(text, parts, QString::fromUtf8(c.delimiter), c.limit, c.compare);
    EXPECT_EQ(parts, c.expected);
    EXPECT_EQ(text, original);
    ASSERT_EQ(result.kind(), platform::VariantKind::Array);
    ASSERT_EQ(result.elements().size(), static_cast<size_t>(parts.size()));
    for (qsizetype i = 0; i < parts.size(); ++i)
        EXPECT_EQ(result.elements()[i], Variant(parts[i]));
}

INSTANTIATE_TEST_SUITE_P(EveryDelimiter, Split,
    testing::Values(SplitCase {"a|b|c", "|", -1, 0, {"a", "b", "c"}},
        SplitCase {"a|b|", "|", -1, 0, {"a", "b", ""}}, SplitCase {"abc", "|", -1, 0, {"abc"}},
        SplitCase {"", "|", -1, 0, {""}}, SplitCase {"a||b", "|", -1, 0, {"a", "", "b"}},
        SplitCase {"a|1|b|2|", "|", -1, 0, {"a", "1", "b", "2", ""}},
        SplitCase {"x||y|z", "|", -1, 0, {"x", "", "y", "z"}},
        SplitCase {"a|||b", "|", -1, 0, {"a", "", "", "b"}},
        SplitCase {"|a", "|", -1, 0, {"", "a"}}, SplitCase {"||a", "|", -1, 0, {"", "", "a"}},
        SplitCase {"|", "|", -1, 0, {"", ""}}, SplitCase {"abc", "", -1, 0, {"abc"}},
        SplitCase {"a<>b<>c", "<>", -1, 0, {"a", "b", "c"}},
        SplitCase {"a<>>b", "<>", -1, 0, {"a", ">b"}}));

INSTANTIATE_TEST_SUITE_P(Limits, Split,
    testing::Values(SplitCase {"a|b|c", "|", 0, 0, {"a", "b|c"}},
        SplitCase {"a|b|c|d", "|", 1, 0, {"a", "b", "c|d"}},
        SplitCase {"a|b|c|d", "|", 2, 0, {"a", "b", "c", "d"}},
        SplitCase {"a|b|c|d", "|", 9, 0, {"a", "b", "c", "d"}},
        SplitCase {"a|b|c", "|", -2, 0, {"a", "b|c"}}, SplitCase {"a|b", "|", 0, 0, {"a", "b"}},
        SplitCase {"a", "|", 0, 0, {"a"}}, SplitCase {"a||b|c", "|", 0, 0, {"a", "|b|c"}},
        SplitCase {"a||b|c", "|", 1, 0, {"a", "", "b|c"}}));

INSTANTIATE_TEST_SUITE_P(CompareModes, Split,
    testing::Values(SplitCase {"aXbxc", "x", -1, 1, {"a", "b", "c"}},
        SplitCase {"aXbxc", "x", -1, 0, {"aXb", "c"}},
        SplitCase {"XxX", "x", -1, 1, {"", "", "", ""}},
        SplitCase {"aXbxc", "X", 0, 1, {"a", "bxc"}}));

TEST(NextToken, CutsTheFirstTokenOff)
{
    struct Case
    {
        const char *text, *delimiter;
        int32_t compare;
        const char *token, *rest;
    };
    const Case cases[] = {
        {"a|b|c", "|", 0, "a", "b|c"},
        {"|b", "|", 0, "", "b"},
        {"abc", "|", 0, "", "abc"},
        {"", "|", 0, "", ""},
        {"abc", "", 0, "", "abc"},
        {"a|", "|", 0, "a", ""},
        {"aXb", "x", 1, "a", "b"},
        {"aXb", "x", 0, "", "aXb"},
        {"a<>b", "<>", 0, "a", "b"},
    };
    for (const Case &c : cases) {
        QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(STRING_NextToken(text, QString::fromUtf8(c.delimiter), c.compare), c.token)
            << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
    }
}

TEST(AsNumber, ReadsNumbersAndFallsBackForEverythingElse)
{
    struct Case
    {
        Variant value;
        double expected;
    };
    const Case cases[] = {
        {Variant("-12.5"), -12.5},
        {Variant(" 3,000 "), 3000},
        {Variant("1e3"), 1000},
        {Variant("abc"), 99},
        {Variant(""), 99},
        {Variant("$5"), 99},
        {Variant(), 99},
        {Variant::null(), 99},
        {Variant::nothing(), 99},
        {Variant(true), -1},
        {Variant(false), 0},
        {Variant(int16_t(7)), 7},
        {Variant(70000), 70000},
        {Variant(2.5f), 2.5},
        {Variant(platform::Currency::fromRaw(-50000)), -5},
        {Variant(uint8_t(200)), 200},
        {Variant::date(45000), 99},
        {Variant::error(5), 99},
        {Variant::missing(), 99},
        {Variant(std::vector<Variant> {Variant(1)}), 99},
    };
    for (const Case &c : cases)
        EXPECT_EQ(VALUE_AsNumber(c.value, 99), c.expected)
            << platform::describe(c.value).toStdString();
}

TEST(AsNumber, ReadsTextInTheUsersLocale)
{
    platform::test::ScopedLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(VALUE_AsNumber(Variant("-12,5"), 0), -12.5);
    EXPECT_EQ(VALUE_AsNumber(Variant("1.000"), 0), 1000);
}

} // namespace
