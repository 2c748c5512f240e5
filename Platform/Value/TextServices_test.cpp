#include "TextServices.h"

#include "../TestSupport/TestEnvironment.h"
#include "RuntimeError.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(UpperCase, FollowsTheUsersLocale)
{
    EXPECT_EQ(upperCase("apple"), "APPLE");
    EXPECT_EQ(upperCase(QStringLiteral("straße")), QStringLiteral("STRASSE"));
    EXPECT_EQ(upperCase("i"), "I");
    EXPECT_EQ(upperCase(QStringLiteral("éñ")), QStringLiteral("ÉÑ"));
    {
        test::ScopedLocale turkish(QLocale(QLocale::Turkish, QLocale::Turkey));
        EXPECT_EQ(upperCase("i"), QStringLiteral("\u0130"));
        EXPECT_EQ(upperCase(QStringLiteral("\u0131")), "I");
    }
    EXPECT_EQ(upperCase("i"), "I");
}

TEST(UpperCase, KeepsUnpairedSurrogatesAndEmptyText)
{
    const QString lone(QChar(0xD800));
    EXPECT_EQ(upperCase(lone), lone);
    EXPECT_EQ(upperCase({}), QString());
}

TEST(UpperCasePrefixLength, MapsAnUpperCasedLengthBackToTheTextsOwn)
{
    struct Case
    {
        QString text;
        qsizetype upperLength;
        std::optional<qsizetype> expected;
    };
    const QString clef = QStringLiteral("a\U0001D11Eb"); // a surrogate pair between two letters
    const std::nullopt_t none = std::nullopt;
    const Case cases[] = {
        {QStringLiteral("Apple"), 0, 0},
        {QStringLiteral("Apple"), 2, 2},
        {QStringLiteral("Apple"), 5, 5},
        {QStringLiteral("Apple"), 6, none},
        {QStringLiteral("Fußball"), 2, 2},
        {QStringLiteral("Fußball"), 4, 3}, // "FUSS"
        {QStringLiteral("Fußball"), 3, none}, // ends inside the "SS" of the ß
        {QStringLiteral("Fußball"), 5, 4},
        {QStringLiteral("Fußball"), 8, 7},
        {QStringLiteral("ßßß"), 4, 2},
        {QStringLiteral("ßßß"), 5, none},
        {QStringLiteral("ﬁnance"), 1, none},
        {QStringLiteral("ﬁnance"), 2, 1},
        {QStringLiteral("ﬁnance"), 3, 2},
        {clef, 1, 1},
        {clef, 2, none}, // inside the pair
        {clef, 3, 3},
        {clef, 4, 4},
        {QString(), 0, 0},
        {QString(), 3, none},
    };
    for (const Case &c : cases)
        EXPECT_EQ(upperCasePrefixLength(c.text, c.upperLength), c.expected)
            << c.text.toStdString() << " " << c.upperLength;
}

TEST(FormatNamed, CurrencyInUsEnglish)
{
    struct Case
    {
        Variant value;
        const char *expected;
    };
    const Case cases[] = {
        {Variant("3000"), "$3,000.00"},
        {Variant("-5"), "($5.00)"},
        {Variant(-5.0), "($5.00)"},
        {Variant(1234567.891), "$1,234,567.89"},
        {Variant(Currency::fromRaw(1250)), "$0.12"}, // ties go to the even cent
        {Variant(Currency::fromRaw(1350)), "$0.14"},
        {Variant(Currency::fromRaw(INT64_MAX)), "$922,337,203,685,477.58"},
        {Variant(Currency::fromRaw(-40)), "$0.00"},
        {Variant(true), "($1.00)"},
        {Variant("$3,000.00"), "$3,000.00"},
        {Variant("($5.00)"), "($5.00)"},
        {Variant("1,234.5"), "$1,234.50"},
        // A text is formatted from its exact amount, in every form that converts.
        {Variant("5-"), "($5.00)"},
        {Variant("$-5"), "($5.00)"},
        {Variant("1e3"), "$1,000.00"},
        {Variant("0.125"), "$0.12"},
        {Variant("922337203685477.5807"), "$922,337,203,685,477.58"},
        {Variant("-922337203685477.5808"), "($922,337,203,685,477.58)"},
        {Variant("\uFF0D\uFF15\uFF10\uFF10"), "($500.00)"},
        // Beyond the currency range a text is no amount.
        {Variant("99999999999999999999"), "99999999999999999999"},
        {Variant("-922337203685477.5809"), "-922337203685477.5809"},
        {Variant(1e20), "$100,000,000,000,000,000,000.00"},
        {Variant("abc"), "abc"},
        {Variant(""), ""},
        {Variant("1e400"), "1e400"},
        {Variant(), ""},
        {Variant::null(), ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatNamed(c.value, "Currency"), QString::fromUtf8(c.expected))
            << describe(c.value).toStdString();
}

TEST(FormatNamed, CurrencyInOtherLocales)
{
    {
        test::ScopedLocale german(QLocale(QLocale::German, QLocale::Germany));
        EXPECT_EQ(formatNamed(Variant("3000"), "Currency"), QStringLiteral("3.000,00\u00a0€"));
        EXPECT_EQ(formatNamed(Variant("-5"), "Currency"), QStringLiteral("-5,00\u00a0€"));
        EXPECT_EQ(
            formatNamed(Variant("3.000,00 €"), "Currency"), QStringLiteral("3.000,00\u00a0€"));
    }
    {
        test::ScopedLocale mexican(QLocale(QLocale::Spanish, QLocale::Mexico));
        EXPECT_EQ(formatNamed(Variant(-1234.5), "Currency"), QStringLiteral("$-1,234.50"));
    }
    {
        test::ScopedLocale french(QLocale(QLocale::French, QLocale::France));
        EXPECT_EQ(
            formatNamed(Variant("-1234,5"), "Currency"), QStringLiteral("(1\u202f234,50\u00a0€)"));
        EXPECT_EQ(
            formatNamed(Variant("1 234,5"), "Currency"), QStringLiteral("1\u202f234,50\u00a0€"));
    }
    test::ScopedLocale british(QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(formatNamed(Variant(-5), "currency"), QStringLiteral("(£5.00)"));
}

TEST(FormatNamed, NeverThrowsForAText)
{
    const QString texts[] = {QString(1 << 20, u'9'), QString(1 << 20, u'x'), "((5))", "-",
        QString(QChar(0xDC00)), "\u0000", "1e99999999999"};
    for (const QString &text : texts)
        EXPECT_NO_THROW(formatNamed(Variant(text), "Currency"));
}

TEST(FormatNamed, UnknownNameIsAnInvalidCall)
{
    try {
        formatNamed(Variant(1), "Bogus");
        FAIL();
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 5);
    }
}

} // namespace
