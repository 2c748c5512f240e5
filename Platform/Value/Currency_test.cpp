#include "Currency.h"

#include "../TestSupport/TestEnvironment.h"
#include "RuntimeError.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

int errorReading(const QString &text)
{
    try {
        Currency::fromText(text);
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

TEST(Currency, ReadsAmountsAsUsersWriteThem)
{
    struct Case
    {
        const char *text;
        int64_t raw;
    };
    const Case cases[] = {
        {"3000", 30000000},
        {"$3,000.00", 30000000},
        {"-5", -50000},
        {"5-", -50000},
        {"($5.00)", -50000},
        {"(5)", -50000},
        {"-$5", -50000},
        {"$-5", -50000},
        {"$5-", -50000},
        {"  12.5  ", 125000},
        {"+7", 70000},
        {"USD 5", 50000},
        {"5 $", 50000},
        {"0.0001", 1},
        {"1.23455", 12346}, // tie, rounds to even
        {"1.23445", 12344}, // tie, rounds to even
        {"1.234451", 12345}, // beyond the tie
        {"-0.00005", 0},
        {"922337203685477.5807", INT64_MAX},
        {"-922337203685477.5808", INT64_MIN},
        // Plain numbers with an exponent, as the named format "Currency" shows them.
        {"1e5", 1000000000},
        {"-1.5e3", -15000000},
        // Full-width forms, as East Asian input methods type them.
        {"\uFF0D\uFF15\uFF10\uFF10", -5000000},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Currency::fromText(QString::fromUtf8(c.text)).raw(), c.raw) << c.text;
}

TEST(Currency, RefusesTextsThatAreNoAmount)
{
    const char *typeMismatch[] = {"", "abc", "5$5", "(5", "5)", "--5", "(-5)", "$1e5", "5 5", "$",
        "-", "$$5", "5..", "1,2,3.4.5", "€5", "5-5", "()", "(5)-", "-(5)"};
    for (const char *text : typeMismatch)
        EXPECT_EQ(errorReading(QString::fromUtf8(text)), 13) << text;

    const char *overflow[] = {"922337203685477.5808", "-922337203685477.5809",
        "99999999999999999999999", "922337203685477.58075"};
    for (const char *text : overflow)
        EXPECT_EQ(errorReading(QString::fromUtf8(text)), 6) << text;
}

TEST(Currency, PrintsPlainDigitsWithoutTrailingZeros)
{
    struct Case
    {
        int64_t raw;
        const char *text;
    };
    const Case cases[] = {{30000000, "3000"}, {-50000, "-5"}, {125000, "12.5"}, {1, "0.0001"},
        {-1, "-0.0001"}, {0, "0"}, {123456789, "12345.6789"}, {INT64_MIN, "-922337203685477.5808"},
        {INT64_MAX, "922337203685477.5807"}};
    for (const Case &c : cases) {
        EXPECT_EQ(Currency::fromRaw(c.raw).toText(), QString::fromUtf8(c.text));
        EXPECT_EQ(Currency::fromText(Currency::fromRaw(c.raw).toText()).raw(), c.raw);
    }
}

TEST(Currency, FollowsTheLocalesSeparatorsAndSymbol)
{
    test::ScopedLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(Currency::fromText("1.234,56 €").raw(), 12345600);
    EXPECT_EQ(Currency::fromText("-5,00 €").raw(), -50000);
    EXPECT_EQ(Currency::fromText("EUR 5").raw(), 50000);
    EXPECT_EQ(Currency::fromRaw(125000).toText(), "12,5");
    EXPECT_EQ(errorReading("$5"), 13);
}

TEST(Currency, FromDoubleRoundsAndOverflows)
{
    EXPECT_EQ(Currency::fromDouble(1.5).raw(), 15000);
    EXPECT_EQ(Currency::fromDouble(-12.34567).raw(), -123457);
    EXPECT_THROW(Currency::fromDouble(1e15), RuntimeError);
    EXPECT_THROW(Currency::fromDouble(std::nan("")), RuntimeError);
    EXPECT_THROW(Currency::fromDouble(-1.0 / 0.0), RuntimeError);
}

} // namespace
