#include "Locale.h"

#include "../TestSupport/TestEnvironment.h"
#include "TextServices.h"
#include "Variant.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Leaves the toolkit's default locale and the pinned en_US of the test program as they were.
class LocaleTest : public ::testing::Test
{
protected:
    void SetUp() override { resetUserLocale(); }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::system());
        setUserLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    }
};

TEST_F(LocaleTest, FollowsTheLocaleAHostSetsAsTheToolkitsDefault)
{
    struct Case
    {
        const char *environment;
        const char *hostDefault; // nullptr: the host sets none
        const char *expected;
    };
    const Case cases[] = {
        {"fr_FR.UTF-8", nullptr, "fr_FR"},
        {"fr_FR.UTF-8", "de_DE", "de_DE"},
        {"C", "ja_JP", "ja_JP"},
        {"C", nullptr, "en_US"},
        {"es_ES@euro", nullptr, "es_ES"},
    };
    for (const Case &c : cases) {
        test::ScopedEnv all("LC_ALL", c.environment);
        resetUserLocale();
        QLocale::setDefault(
            c.hostDefault ? QLocale(QString::fromLatin1(c.hostDefault)) : QLocale::system());
        EXPECT_EQ(userLocale().name(), QString::fromLatin1(c.expected))
            << c.environment << " " << (c.hostDefault ? c.hostDefault : "-");
    }
    // A pinned locale wins over the default.
    setUserLocale(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(userLocale().name(), QStringLiteral("fr_FR"));
}

TEST_F(LocaleTest, AChangeOfTheDefaultTakesEffectAtOnce)
{
    test::ScopedEnv all("LC_ALL", "en_US.UTF-8");
    const Variant amount(QStringLiteral("1234.5"));
    EXPECT_EQ(formatNamed(amount, QStringLiteral("Currency")), QStringLiteral("$1,234.50"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(formatNamed(Variant(QStringLiteral("1234,5")), QStringLiteral("Currency")),
        QString::fromUtf8("1.234,50\u00a0€"));
    QLocale::setDefault(QLocale::system());
    EXPECT_EQ(formatNamed(amount, QStringLiteral("Currency")), QStringLiteral("$1,234.50"));
}

} // namespace
