#include "Timer.h"

#include "../Value/Conversions.h"
#include "../Value/RuntimeError.h"

#include <QElapsedTimer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class TimerTest : public ::testing::Test
{
protected:
    QWidget form;
    std::shared_ptr<Timer> timer = std::make_shared<Timer>(&form, QStringLiteral("Timer1"));
    int ticks = 0;
};

TEST_F(TimerTest, StartsEnabledWithNoIntervalAndDoesNotRun)
{
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 0);
    EXPECT_FALSE(timer->isRunning());
    EXPECT_EQ(timer->get(QStringLiteral("Name")), Variant(QStringLiteral("Timer1")));
}

TEST_F(TimerTest, FiresFromTheEventLoopNotInsideTheSetter)
{
    timer->onTimer = [this] { ++ticks; };
    timer->setInterval(20);
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(timer->isRunning());
    EXPECT_TRUE(QTest::qWaitFor([this] { return ticks >= 3; }, 5000));
}

TEST_F(TimerTest, DisablingStopsIt)
{
    timer->onTimer = [this] {
        ++ticks;
        // A tick that switches its own timer off is the last one.
        timer->setEnabled(false);
    };
    timer->let(QStringLiteral("Interval"), Variant(int32_t(10)));
    ASSERT_TRUE(QTest::qWaitFor([this] { return ticks == 1; }, 5000));
    QTest::qWait(60);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer->isRunning());
}

TEST_F(TimerTest, TogglingEnabledAsAButtonDoes)
{
    timer->setEnabled(false);
    timer->setInterval(20);
    EXPECT_FALSE(timer->isRunning());
    timer->let(
        QStringLiteral("Enabled"), Variant(!toBoolean(timer->get(QStringLiteral("Enabled")))));
    EXPECT_TRUE(timer->isRunning());
    timer->setEnabled(!timer->Enabled());
    EXPECT_FALSE(timer->isRunning());
}

TEST_F(TimerTest, IntervalZeroStopsAndNegativeIsInvalid)
{
    timer->setInterval(20);
    timer->setInterval(0);
    EXPECT_FALSE(timer->isRunning());
    try {
        timer->setInterval(-1);
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 380);
    }
    EXPECT_EQ(timer->Interval(), 0);
}

TEST_F(TimerTest, OutlivingItsParentIsHarmless)
{
    auto parent = std::make_unique<QWidget>();
    auto orphan = std::make_shared<Timer>(parent.get(), QStringLiteral("orphan"));
    orphan->setInterval(10);
    parent.reset();
    EXPECT_FALSE(orphan->isRunning());
    EXPECT_NO_THROW(orphan->setEnabled(true));
}

} // namespace
