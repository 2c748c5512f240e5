#include "NotificationScope.h"

#include "../TestSupport/ControlTestHost.h"
#include "ListBox.h"
#include "TextBox.h"
#include "Timer.h"

#include "../TestSupport/UnhandledErrors.h"

#include <QLineEdit>
#include <gtest/gtest.h>

using namespace platform;

namespace {

using platform::test::UnhandledErrors;

int32_t errorNumberOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

TEST(NotificationErrors, AHandlersErrorReachesTheStatementThatCausedTheNotification)
{
    UnhandledErrors unhandled;
    test::ControlTestHost host;
    auto text = std::make_shared<TextBox>(host.window(), "Text1");
    auto list = std::make_shared<ListBox>(host.window(), "List1");
    list->AddItem("a", std::nullopt);
    text->onChange = [] { throw RuntimeError(ErrorNumber::Overflow); };
    list->onClick = [] { throw RuntimeError(ErrorNumber::TypeMismatch); };
    text->onLostFocus = [] { throw RuntimeError(ErrorNumber::InvalidPropertyValue); };

    EXPECT_EQ(errorNumberOf([&] { text->setText("changed"); }), 6);
    EXPECT_EQ(text->Text(), "changed"); // what ran before the error stays
    EXPECT_EQ(errorNumberOf([&] { text->setSelText("more"); }), 6);
    EXPECT_EQ(errorNumberOf([&] { list->setListIndex(0); }), 13);
    EXPECT_EQ(list->ListIndex(), 0);

    ASSERT_TRUE(host.activate());
    text->SetFocus();
    ASSERT_TRUE(text->lineEdit()->hasFocus());
    // Hiding the focused box moves the focus away; its handler's error is the setter's.
    EXPECT_EQ(errorNumberOf([&] { text->setVisible(false); }), 380);
    EXPECT_TRUE(unhandled.numbers().empty());
}

TEST(NotificationErrors, ErrorsOfTheUsersEventsGoToTheUnhandledErrorHandler)
{
    UnhandledErrors unhandled;
    test::ControlTestHost host;
    auto text = std::make_shared<TextBox>(host.window(), "Text1");
    int presses = 0;
    text->onKeyPress = [&](int16_t &keyAscii) {
        ++presses;
        if (keyAscii == 13) {
            keyAscii = 0;
            throw RuntimeError(ErrorNumber::ObjectDoesntSupport);
        }
    };
    text->onChange = [] { throw RuntimeError(ErrorNumber::Overflow); };
    ASSERT_TRUE(host.activate());
    text->SetFocus();

    QTest::keyClick(text->lineEdit(), Qt::Key_Return);
    QTest::keyClick(text->lineEdit(), Qt::Key_A);
    EXPECT_EQ(presses, 2);
    EXPECT_EQ(unhandled.numbers(), std::vector<int32_t>({438, 6}));
    EXPECT_EQ(text->Text(), "a"); // the key went in before its change handler failed
}

TEST(NotificationErrors, ATimersErrorGoesToTheUnhandledErrorHandlerAndTheTimerGoesOn)
{
    UnhandledErrors unhandled;
    test::ControlTestHost host;
    auto timer = std::make_shared<Timer>(host.window(), "Timer1");
    int ticks = 0;
    timer->onTimer = [&] {
        ++ticks;
        throw RuntimeError(ErrorNumber::Overflow);
    };
    timer->setInterval(5);
    timer->setEnabled(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 2000));
    timer->setEnabled(false);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(unhandled.numbers().size(), static_cast<size_t>(ticks));
}

} // namespace
