#include "Conversions.h"

#include "../TestSupport/TestEnvironment.h"
#include "RuntimeError.h"

#include <functional>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// Runs f and returns the error number it raised, or 0 when it raised none.
int errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

struct RoundCase
{
    double value;
    double expected;
};

class HalfEven : public testing::TestWithParam<RoundCase>
{
};

TEST_P(HalfEven, RoundsTiesToEvenInEveryConversion)
{
    const auto [value, expected] = GetParam();
    EXPECT_EQ(roundHalfEven(value), expected);
    EXPECT_EQ(toInteger(Variant(value)), static_cast<int16_t>(expected));
    EXPECT_EQ(toLong(Variant(value)), static_cast<int32_t>(expected));
    EXPECT_EQ(toLong(Variant(static_cast<float>(value))), static_cast<int32_t>(expected));
    EXPECT_EQ(toLong(Variant(QString::number(value))), static_cast<int32_t>(expected));
    EXPECT_EQ(toLong(Variant(Currency::fromDouble(value))), static_cast<int32_t>(expected));
}

INSTANTIATE_TEST_SUITE_P(Ties, HalfEven,
    testing::Values(RoundCase {0.5, 0}, RoundCase {1.5, 2}, RoundCase {2.5, 2}, RoundCase {3.5, 4},
        RoundCase {-0.5, 0}, RoundCase {-1.5, -2}, RoundCase {-2.5, -2}, RoundCase {2.4999, 2},
        RoundCase {2.5001, 3}));

TEST(Conversions, IntegerAndLongOverflowAtTheirEdges)
{
    struct Case
    {
        double value;
        int integerError, longError;
    };
    const Case cases[] = {
        {32767, 0, 0},
        {32767.4, 0, 0},
        {32767.5, 6, 0}, // rounds to 32768
        {32766.5, 0, 0}, // rounds to 32766
        {-32768, 0, 0},
        {-32768.5, 0, 0}, // rounds to -32768
        {-32769, 6, 0},
        {2147483647, 6, 0},
        {2147483647.5, 6, 6},
        {2147483646.5, 6, 0},
        {-2147483648.5, 6, 0},
        {-2147483649, 6, 6},
        {1e300, 6, 6},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(errorOf([&] { toInteger(Variant(c.value)); }), c.integerError);
        EXPECT_EQ(errorOf([&] { toLong(Variant(c.value)); }), c.longError);
    }
    EXPECT_EQ(toInteger(Variant(-32768.5)), -32768);
    EXPECT_EQ(toLong(Variant(-2147483648.5)), INT32_MIN);
    EXPECT_EQ(errorOf([] { toInteger(Variant(int32_t(40000))); }), 6);
    EXPECT_EQ(errorOf([] { toByte(Variant(int16_t(-1))); }), 6);
    EXPECT_EQ(errorOf([] { toSingle(Variant(1e39)); }), 6);
}

TEST(Conversions, WrongKindsRaiseTheirErrors)
{
    const Variant array(std::vector<Variant> {Variant(1)});
    struct Case
    {
        Variant value;
        int expected;
    };
    const Case cases[] = {
        {Variant("abc"), 13},
        {Variant("12a"), 13},
        {Variant(""), 13},
        {array, 13},
        {Variant::error(5), 13},
        {Variant::null(), 94},
        {Variant::nothing(), 91},
        {Variant("1e400"), 6},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(describe(c.value).toStdString());
        EXPECT_EQ(errorOf([&] { toLong(c.value); }), c.expected);
        EXPECT_EQ(errorOf([&] { toDouble(c.value); }), c.expected);
    }
    EXPECT_EQ(errorOf([&] { toText(array); }), 13);
    EXPECT_EQ(errorOf([] { toText(Variant::null()); }), 94);
    EXPECT_EQ(errorOf([] { toBoolean(Variant("maybe")); }), 13);
}

TEST(Conversions, EmptyIsZeroAndTheEmptyText)
{
    EXPECT_EQ(toInteger(Variant()), 0);
    EXPECT_EQ(toDouble(Variant()), 0.0);
    EXPECT_EQ(toText(Variant()), QString());
    EXPECT_FALSE(toBoolean(Variant()));
}

TEST(Conversions, BooleansAreMinusOneAndZero)
{
    EXPECT_EQ(toInteger(Variant(true)), -1);
    EXPECT_EQ(toDouble(Variant(false)), 0.0);
    EXPECT_TRUE(toBoolean(Variant("True")));
    EXPECT_FALSE(toBoolean(Variant(" false ")));
    EXPECT_TRUE(toBoolean(Variant("-2")));
    EXPECT_FALSE(toBoolean(Variant("0")));
    EXPECT_EQ(toText(Variant(true)), "True");
    EXPECT_EQ(toText(Variant(false)), "False");
}

TEST(Conversions, NumbersPrintAsTheRuntimeDoes)
{
    struct Case
    {
        Variant value;
        const char *expected;
    };
    const Case cases[] = {
        {Variant(0.1 + 0.2), "0.3"},
        {Variant(1e20), "1E+20"},
        {Variant(1e-5), "1E-05"},
        {Variant(0.0001), "0.0001"},
        {Variant(-12.5), "-12.5"},
        {Variant(123456789012345.0), "123456789012345"},
        {Variant(0.1f), "0.1"},
        {Variant(int16_t(-7)), "-7"},
        {Variant(Currency::fromRaw(125000)), "12.5"},
        {Variant(uint8_t(255)), "255"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(toText(c.value), QString::fromUtf8(c.expected))
            << describe(c.value).toStdString();

    test::ScopedLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(toText(Variant(-12.5)), "-12,5");
    EXPECT_EQ(toText(Variant(Currency::fromRaw(125000))), "12,5");
}

TEST(Conversions, DatesPrintAsDateTimeOrBoth)
{
    EXPECT_EQ(toText(Variant::date(2.0)),
        QLocale(QLocale::English, QLocale::UnitedStates)
            .toString(QDate(1900, 1, 1), QLocale::ShortFormat));
    EXPECT_TRUE(toText(Variant::date(0.5)).startsWith("12:00:00"));
    EXPECT_FALSE(isNumeric(Variant::date(2.0)));
    EXPECT_EQ(toDouble(Variant::date(2.5)), 2.5);
}

struct NumericCase
{
    Variant value;
    bool numeric;
};

class Numeric : public testing::TestWithParam<NumericCase>
{
};

TEST_P(Numeric, FollowsThePlainDecimalGrammar)
{
    EXPECT_EQ(isNumeric(GetParam().value), GetParam().numeric)
        << describe(GetParam().value).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Kinds, Numeric,
    testing::Values(NumericCase {Variant(int16_t(1)), true}, NumericCase {Variant(1), true},
        NumericCase {Variant(1.5f), true}, NumericCase {Variant(1.5), true},
        NumericCase {Variant(Currency()), true}, NumericCase {Variant(true), true},
        NumericCase {Variant(uint8_t(1)), true}, NumericCase {Variant(), false},
        NumericCase {Variant::null(), false}, NumericCase {Variant::nothing(), false},
        NumericCase {Variant::date(1), false}, NumericCase {Variant::error(5), false},
        NumericCase {Variant(std::vector<Variant> {Variant(1)}), false}));

INSTANTIATE_TEST_SUITE_P(Texts, Numeric,
    testing::Values(NumericCase {Variant("12"), true}, NumericCase {Variant("-12.5"), true},
        NumericCase {Variant("+3"), true}, NumericCase {Variant(" 12 "), true},
        NumericCase {Variant("1,234.5"), true}, NumericCase {Variant(".5"), true},
        NumericCase {Variant("5."), true}, NumericCase {Variant("1e5"), true},
        NumericCase {Variant("1.5E-3"), true}, NumericCase {Variant("- 4"), true},
        NumericCase {Variant(""), false}, NumericCase {Variant("   "), false},
        NumericCase {Variant("abc"), false}, NumericCase {Variant("12a"), false},
        NumericCase {Variant("1e"), false}, NumericCase {Variant("."), false},
        NumericCase {Variant("--1"), false}, NumericCase {Variant(",5"), false},
        NumericCase {Variant("1 2"), false}, NumericCase {Variant("$5"), false},
        NumericCase {Variant("1e400"), false}, NumericCase {Variant("0x10"), false},
        NumericCase {Variant("1e-400"), true}));

TEST(Conversions, TextsReadInTheUsersLocale)
{
    EXPECT_EQ(toDouble(Variant("1,234.5")), 1234.5);
    EXPECT_EQ(toDouble(Variant("1e-400")), 0.0);
    test::ScopedLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(toDouble(Variant("-12,5")), -12.5);
    EXPECT_EQ(toDouble(Variant("1.234,5")), 1234.5);
    EXPECT_TRUE(isNumeric(Variant("3,5e2")));
    EXPECT_EQ(toLong(Variant("2,5")), 2);
}

} // namespace
