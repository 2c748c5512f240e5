#include "AmountText.h"

#include <gtest/gtest.h>

#include <limits>

using namespace platform;

namespace {

using Status = AmountReading::Status;

constexpr int64_t Max = std::numeric_limits<int64_t>::max();
constexpr int64_t Min = std::numeric_limits<int64_t>::min();

struct ReadCase
{
    const char *locale;
    const char16_t *text;
    Status status;
    int64_t raw; // ten-thousandths, for Status::Amount

    friend void PrintTo(const ReadCase &c, std::ostream *os)
    {
        *os << c.locale << " \"" << QString::fromUtf16(c.text).toStdString() << '"';
    }
};

class ReadAmount : public testing::TestWithParam<ReadCase>
{
};

TEST_P(ReadAmount, ReadsTheExactAmountOrSaysWhyNot)
{
    const ReadCase c = GetParam();
    const AmountReading reading
        = readAmount(QString::fromUtf16(c.text), QLocale(QString::fromLatin1(c.locale)));
    EXPECT_EQ(reading.status, c.status);
    EXPECT_EQ(reading.value.raw(), c.status == Status::Amount ? c.raw : 0);
    EXPECT_EQ(reading.isNegative(), c.status == Status::Amount && c.raw < 0);
}

constexpr Status A = Status::Amount;
constexpr Status No = Status::NotAnAmount;
constexpr Status Over = Status::OutOfRange;

INSTANTIATE_TEST_SUITE_P(PlainNumbers, ReadAmount,
    testing::Values(ReadCase {"en_US", u"3000", A, 30000000},
        ReadCase {"en_US", u" 1,234.5 ", A, 12345000}, ReadCase {"en_US", u"-12.5", A, -125000},
        ReadCase {"en_US", u"+7", A, 70000}, ReadCase {"en_US", u".5", A, 5000},
        ReadCase {"en_US", u"1e3", A, 10000000}, ReadCase {"en_US", u"1E3", A, 10000000},
        ReadCase {"en_US", u"-1e3", A, -10000000}, ReadCase {"en_US", u"1.5e-2", A, 150},
        ReadCase {"en_US", u"1e-4", A, 1}, ReadCase {"en_US", u"12.34e+1", A, 1234000},
        ReadCase {"de_DE", u"1,5e3", A, 15000000}, ReadCase {"de_DE", u"1.234,5", A, 12345000}));

// Digits past the fourth decimal round half to even, wherever the exponent puts them.
INSTANTIATE_TEST_SUITE_P(Rounding, ReadAmount,
    testing::Values(ReadCase {"en_US", u"1.23455", A, 12346},
        ReadCase {"en_US", u"1.23445", A, 12344}, ReadCase {"en_US", u"1.234451", A, 12345},
        ReadCase {"en_US", u"1.5e-4", A, 2}, ReadCase {"en_US", u"2.5e-4", A, 2},
        ReadCase {"en_US", u"2.50001e-4", A, 3}, ReadCase {"en_US", u"5e-5", A, 0},
        ReadCase {"en_US", u"6e-5", A, 1}, ReadCase {"en_US", u"1e-999999999", A, 0},
        ReadCase {"en_US", u"-0", A, 0}, ReadCase {"en_US", u"-0.00001", A, 0},
        ReadCase {"en_US", u"-0.0001", A, -1}, ReadCase {"en_US", u"0e999999999", A, 0},
        ReadCase {"en_US", u"0.0000000000000000001e19", A, 10000}));

INSTANTIATE_TEST_SUITE_P(CurrencyForms, ReadAmount,
    testing::Values(ReadCase {"en_US", u"$3,000.00", A, 30000000},
        ReadCase {"en_US", u"5-", A, -50000}, ReadCase {"en_US", u"(5)", A, -50000},
        ReadCase {"en_US", u"$-5", A, -50000}, ReadCase {"en_US", u"-$5", A, -50000},
        ReadCase {"en_US", u"($5.00)", A, -50000}, ReadCase {"en_US", u"USD 5", A, 50000},
        ReadCase {"de_DE", u"-5 \u20AC", A, -50000}, ReadCase {"de_DE", u"5 \u20AC-", A, -50000},
        ReadCase {"ja_JP", u"(\uFFE5500)", A, -5000000},
        ReadCase {"ja_JP", u"\uFFE5-500", A, -5000000}));

// The range ends exactly at the 64-bit limits of the ten-thousandths.
INSTANTIATE_TEST_SUITE_P(Range, ReadAmount,
    testing::Values(ReadCase {"en_US", u"922337203685477.5807", A, Max},
        ReadCase {"en_US", u"-922337203685477.5808", A, Min},
        ReadCase {"en_US", u"9.223372036854775807e14", A, Max},
        ReadCase {"en_US", u"-922337203685477.58085", A, Min},
        ReadCase {"en_US", u"922337203685477.58075", Over, 0},
        ReadCase {"en_US", u"922337203685477.5808", Over, 0},
        ReadCase {"en_US", u"-922337203685477.5809", Over, 0}, ReadCase {"en_US", u"1e15", Over, 0},
        ReadCase {"en_US", u"99999999999999999999", Over, 0},
        ReadCase {"en_US", u"-99999999999999999999", Over, 0},
        ReadCase {"en_US", u"1e400", Over, 0}, ReadCase {"en_US", u"-1e999999999", Over, 0},
        ReadCase {"en_US", u"$99,999,999,999,999,999", Over, 0}));

// Full-width forms as East Asian input methods type them, and decimal digits of any script.
INSTANTIATE_TEST_SUITE_P(UnicodeDigitsAndFullWidthForms, ReadAmount,
    testing::Values(ReadCase {"en_US", u"\uFF0D\uFF15\uFF10\uFF10", A, -5000000},
        ReadCase {"ja_JP", u"\uFF0D\uFF15\uFF10\uFF10", A, -5000000},
        ReadCase {"ja_JP", u"\uFF15\uFF10\uFF10\uFF0D", A, -5000000},
        ReadCase {"ja_JP", u"\uFFE5\uFF15\uFF10\uFF10", A, 5000000},
        ReadCase {"ja_JP", u"\uFF08\uFF15\uFF09", A, -50000},
        ReadCase {"ja_JP", u"\uFF11\uFF0C\uFF12\uFF13\uFF14\uFF0E\uFF15", A, 12345000},
        ReadCase {"ja_JP", u"\uFF11\uFF45\uFF13", A, 10000000},
        ReadCase {"en_US", u"\uFF04\uFF15", A, 50000},
        ReadCase {"de_DE", u"\uFF0D\uFF15\uFF0C\uFF15", A, -55000},
        ReadCase {"en_US", u"\u0665", A, 50000}, ReadCase {"en_US", u"-\u096B\u0966", A, -500000},
        ReadCase {"en_US", u"\U0001D7D3", A, 50000},
        ReadCase {"en_US", u"\U0001D7CF\U0001D7D0.\U0001D7D3", A, 125000},
        ReadCase {"en_US", u"\uFF0D\U0001D7CF\uFF10", A, -100000}));

INSTANTIATE_TEST_SUITE_P(NoAmount, ReadAmount,
    testing::Values(ReadCase {"en_US", u"", No, 0}, ReadCase {"en_US", u"abc", No, 0},
        ReadCase {"en_US", u"1e", No, 0}, ReadCase {"en_US", u"e3", No, 0},
        ReadCase {"en_US", u"$1e3", No, 0}, ReadCase {"en_US", u"1e3-", No, 0},
        ReadCase {"en_US", u"5 5", No, 0}, ReadCase {"en_US", u"--5", No, 0},
        ReadCase {"en_US", u"(-5)", No, 0}, ReadCase {"en_US", u"\uFF0D", No, 0},
        ReadCase {"en_US", u"\uFF0D\uFF0D\uFF15", No, 0}, ReadCase {"en_US", u"\u00B2", No, 0},
        ReadCase {"en_US", u"\xD800", No, 0}, ReadCase {"en_US", u"\xDC00\uFF15", No, 0},
        ReadCase {"de_DE", u"$5", No, 0}));

TEST(ReadAmountLimits, LongTextsReadInOnePass)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const qsizetype megabyte = 1 << 20;
    EXPECT_EQ(readAmount(QString(megabyte, u'9'), us).status, Status::OutOfRange);
    EXPECT_EQ(readAmount(QString(megabyte, u'x'), us).status, Status::NotAnAmount);
    EXPECT_EQ(readAmount(QString(megabyte, QChar(0xFF15)), us).status, Status::OutOfRange);
    // Leading zeros and a tail past the rounding place cost nothing but the scan.
    const AmountReading zeros = readAmount(QString(megabyte, u'0') + QStringLiteral("12.5"), us);
    EXPECT_EQ(zeros.status, Status::Amount);
    EXPECT_EQ(zeros.value.raw(), 125000);
    const AmountReading tail
        = readAmount(QStringLiteral("0.00005") + QString(megabyte, u'0') + u'1', us);
    EXPECT_EQ(tail.status, Status::Amount);
    EXPECT_EQ(tail.value.raw(), 1);
}

} // namespace
