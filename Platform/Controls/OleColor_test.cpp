#include "OleColor.h"

#include "../Value/RuntimeError.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

using namespace platform;

namespace {

struct PlainCase
{
    uint32_t ole;
    QColor expected;
};

class OleColorPlain : public ::testing::TestWithParam<PlainCase>
{
};

TEST_P(OleColorPlain, LowBytesAreRedGreenBlue)
{
    const PlainCase c = GetParam();
    EXPECT_EQ(OleColor::toQColor(c.ole), c.expected);
    EXPECT_EQ(OleColor::fromQColor(c.expected), c.ole & 0x00FFFFFFu);
}

INSTANTIATE_TEST_SUITE_P(Table, OleColorPlain,
    ::testing::Values(PlainCase {0x000000FF, QColor(255, 0, 0)},
        PlainCase {0x0000FF00, QColor(0, 255, 0)}, PlainCase {0x00FF0000, QColor(0, 0, 255)},
        PlainCase {0x00FFFFFF, QColor(255, 255, 255)},
        PlainCase {0x00C0FFFF, QColor(255, 255, 192)}, PlainCase {0, QColor(0, 0, 0)},
        // The high byte of a plain colour does not change it.
        PlainCase {0x02123456, QColor(0x56, 0x34, 0x12)}));

struct SystemCase
{
    uint32_t ole;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

class OleColorSystem : public ::testing::TestWithParam<SystemCase>
{
};

TEST_P(OleColorSystem, HighBitNamesAPaletteEntry)
{
    const SystemCase c = GetParam();
    // Every role a different colour, so that a wrong mapping shows.
    QPalette palette;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            palette.setColor(QPalette::ColorGroup(group), QPalette::ColorRole(role),
                QColor(group * 40, role * 10, 100));
    }
    EXPECT_EQ(OleColor::toQColor(c.ole, palette), palette.color(c.group, c.role));
    EXPECT_TRUE(OleColor::isSystemColor(c.ole));
}

INSTANTIATE_TEST_SUITE_P(Table, OleColorSystem,
    ::testing::Values(SystemCase {0x80000005, QPalette::Active, QPalette::Base},
        SystemCase {0x80000008, QPalette::Active, QPalette::Text},
        SystemCase {0x8000000F, QPalette::Active, QPalette::Button},
        SystemCase {0x80000012, QPalette::Active, QPalette::ButtonText},
        SystemCase {0x8000000D, QPalette::Active, QPalette::Highlight},
        SystemCase {0x8000000E, QPalette::Active, QPalette::HighlightedText},
        SystemCase {0x80000011, QPalette::Disabled, QPalette::Text},
        SystemCase {0x80000018, QPalette::Active, QPalette::ToolTipBase}));

TEST(OleColorTest, UnknownSystemIndexIsBlack)
{
    EXPECT_EQ(OleColor::toQColor(0x80000019), QColor(0, 0, 0));
    EXPECT_EQ(OleColor::toQColor(0x800000FF), QColor(0, 0, 0));
}

TEST(OleColorTest, SystemColoursFollowTheApplicationPalette)
{
    EXPECT_EQ(OleColor::toQColor(OleColor::WindowBackground),
        QGuiApplication::palette().color(QPalette::Active, QPalette::Base));
}

TEST(OleColorTest, HostsPassColoursAsAnyNumberThatFitsThirtyTwoBits)
{
    EXPECT_EQ(OleColor::fromVariant(Variant(int32_t(0x80000005))), 0x80000005u);
    EXPECT_EQ(OleColor::fromVariant(Variant(2147483653.0)), 0x80000005u);
    EXPECT_EQ(OleColor::fromVariant(Variant(int16_t(255))), 255u);
    EXPECT_EQ(OleColor::fromVariant(Variant("16777215")), 0x00FFFFFFu);
    EXPECT_EQ(OleColor::fromVariant(Variant(-1.0)), 0xFFFFFFFFu);
    EXPECT_EQ(OleColor::toVariant(0x80000012), Variant(int32_t(0x80000012)));
    try {
        OleColor::fromVariant(Variant(5e9));
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 6);
    }
}

} // namespace
