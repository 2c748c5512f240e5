#include "StdFont.h"

#include "../Value/RuntimeError.h"

#include <QFontInfo>
#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(StdFontTest, DefaultsToEightPointTwoFiveSansSerif)
{
    StdFont font;
    EXPECT_EQ(font.Name(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(font.Size(), Currency::fromRaw(82500));
    EXPECT_FALSE(font.Bold());
    EXPECT_FALSE(font.Italic());
    EXPECT_FALSE(font.Underline());
    EXPECT_FALSE(font.Strikethrough());
    EXPECT_EQ(font.Weight(), 400);
    EXPECT_EQ(font.Charset(), 0);
}

struct PutCase
{
    const char *property;
    Variant value;
};

class StdFontPut : public ::testing::TestWithParam<PutCase>
{
};

TEST_P(StdFontPut, NotifiesEveryListenerAfterEachPutEvenOfTheSameValue)
{
    const PutCase c = GetParam();
    auto font = std::make_shared<StdFont>();
    QStringList first, second;
    Variant seen;
    font->connect([&](const QString &name) {
        first << name;
        seen = font->get(QString::fromLatin1(c.property));
    });
    font->connect([&](const QString &name) { second << name; });
    font->let(QString::fromLatin1(c.property), c.value);
    font->let(QString::fromLatin1(c.property), c.value);
    const QStringList expected(2, QString::fromLatin1(c.property));
    EXPECT_EQ(first, expected);
    EXPECT_EQ(second, expected);
    EXPECT_EQ(seen, font->get(QString::fromLatin1(c.property)));
}

INSTANTIATE_TEST_SUITE_P(Table, StdFontPut,
    ::testing::Values(PutCase {"Name", Variant("Tahoma")},
        PutCase {"Size", Variant(Currency::fromRaw(120000))}, PutCase {"Bold", Variant(true)},
        PutCase {"Italic", Variant(true)}, PutCase {"Underline", Variant(false)},
        PutCase {"Strikethrough", Variant(true)}, PutCase {"Weight", Variant(int16_t(700))},
        PutCase {"Charset", Variant(int16_t(2))}),
    [](const auto &info) { return std::string(info.param.property); });

TEST(StdFontTest, BoldAndWeightMoveTogether)
{
    StdFont font;
    font.setBold(true);
    EXPECT_EQ(font.Weight(), 700);
    font.setWeight(400);
    EXPECT_FALSE(font.Bold());
    font.setWeight(600);
    EXPECT_TRUE(font.Bold());
    font.setBold(false);
    EXPECT_EQ(font.Weight(), 400);
}

TEST(StdFontTest, DisconnectedListenersHearNothing)
{
    StdFont font;
    int heard = 0;
    const int id = font.connect([&](const QString &) { ++heard; });
    font.setItalic(true);
    font.disconnect(id);
    font.setItalic(false);
    EXPECT_EQ(heard, 1);
}

TEST(StdFontTest, ListenerMayDisconnectAnotherWhileNotified)
{
    StdFont font;
    int later = 0;
    int laterId = 0;
    font.connect([&](const QString &) { font.disconnect(laterId); });
    laterId = font.connect([&](const QString &) { ++later; });
    font.setBold(true);
    EXPECT_EQ(later, 0);
}

TEST(StdFontTest, SizeCarriesTenThousandthsExactly)
{
    StdFont font;
    font.let(QStringLiteral("Size"), Variant(8.25));
    EXPECT_EQ(font.get(QStringLiteral("Size")), Variant(Currency::fromRaw(82500)));
    EXPECT_DOUBLE_EQ(font.toQFont().pointSizeF(), 8.25);
}

TEST(StdFontTest, InvalidValuesAreRefusedWithoutNotice)
{
    StdFont font;
    int heard = 0;
    font.connect([&](const QString &) { ++heard; });
    const auto numberOf = [](const std::function<void()> &call) {
        try {
            call();
        } catch (const RuntimeError &e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(numberOf([&] { font.setSize(Currency()); }), 380);
    EXPECT_EQ(numberOf([&] { font.setName(QString()); }), 380);
    EXPECT_EQ(numberOf([&] { font.setWeight(1001); }), 380);
    EXPECT_EQ(numberOf([&] { font.get(QStringLiteral("Colour")); }), 438);
    EXPECT_EQ(heard, 0);
    EXPECT_EQ(font.Size(), Currency::fromRaw(82500));
}

TEST(StdFontTest, CloneCopiesAttributesButNoListeners)
{
    StdFont font;
    font.setName(QStringLiteral("Tahoma"));
    font.setBold(true);
    font.setUnderline(true);
    int heard = 0;
    font.connect([&](const QString &) { ++heard; });
    const auto copy = font.clone();
    EXPECT_EQ(copy->Name(), QStringLiteral("Tahoma"));
    EXPECT_TRUE(copy->Bold());
    EXPECT_TRUE(copy->Underline());
    copy->setItalic(true);
    EXPECT_EQ(heard, 0);
    EXPECT_FALSE(font.Italic());
}

TEST(StdFontTest, ToQFontCarriesEveryAttribute)
{
    StdFont font;
    font.setName(QStringLiteral("Tahoma"));
    font.setSize(Currency::fromRaw(120000));
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    font.setStrikethrough(true);
    const QFont qfont = font.toQFont();
    EXPECT_EQ(qfont.family(), QStringLiteral("Tahoma"));
    EXPECT_DOUBLE_EQ(qfont.pointSizeF(), 12.0);
    EXPECT_EQ(qfont.weight(), QFont::Bold);
    EXPECT_TRUE(qfont.italic());
    EXPECT_TRUE(qfont.underline());
    EXPECT_TRUE(qfont.strikeOut());
}

} // namespace
