#include "../TestSupport/ControlTestHost.h"
#include "CommandButton.h"

#include "../Value/RuntimeError.h"

#include <QPushButton>
#include <gtest/gtest.h>

using namespace platform;
using platform::test::ControlTestHost;

namespace {

class CommandButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.activate());
        button = host.make<CommandButton>(QStringLiteral("cmdBuscar"));
        button->setWidth(360);
        button->setHeight(315);
        button->onClick = [this] { ++clicks; };
    }

    static StdPicturePtr binoculars()
    {
        QImage image(17, 16, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        return StdPicture::fromImage(image);
    }

    ControlTestHost host;
    std::shared_ptr<CommandButton> button;
    int clicks = 0;
};

TEST_F(CommandButtonTest, ClickReportsOnceInsideThePress)
{
    QTest::mouseClick(button->pushButton(), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    button->SetFocus();
    QTest::keyClick(button->pushButton(), Qt::Key_Space);
    EXPECT_EQ(clicks, 2);
}

TEST_F(CommandButtonTest, DisabledButtonReportsNoClick)
{
    button->setEnabled(false);
    QTest::mouseClick(button->pushButton(), Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(button->get(QStringLiteral("Enabled")), Variant(false));
}

TEST_F(CommandButtonTest, CaptionIsTheButtonText)
{
    button->let(QStringLiteral("Caption"), Variant(QStringLiteral("&Animate")));
    EXPECT_EQ(button->pushButton()->text(), QStringLiteral("&Animate"));
    EXPECT_EQ(button->Caption(), QStringLiteral("&Animate"));
}

TEST_F(CommandButtonTest, GraphicalStyleShowsThePicture)
{
    const StdPicturePtr picture = binoculars();
    button->setPicture(picture);
    EXPECT_TRUE(button->pushButton()->icon().isNull());
    button->setStyle(CommandButton::Graphical);
    EXPECT_FALSE(button->pushButton()->icon().isNull());
    EXPECT_EQ(button->pushButton()->iconSize(), QSize(17, 16));
    EXPECT_EQ(button->Picture(), picture);
    EXPECT_EQ(button->get(QStringLiteral("Picture")).object(), picture);
    button->setRef(QStringLiteral("Picture"), nullptr);
    EXPECT_TRUE(button->pushButton()->icon().isNull());
    EXPECT_EQ(button->Picture(), nullptr);
}

TEST_F(CommandButtonTest, StyleOutsideTheEnumerationIsInvalid)
{
    try {
        button->setStyle(2);
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 380);
    }
    EXPECT_EQ(button->Style(), 0);
}

TEST_F(CommandButtonTest, PictureMustBeAPicture)
{
    try {
        button->setRef(QStringLiteral("Picture"), std::make_shared<StdFont>());
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 13);
    }
}

} // namespace
