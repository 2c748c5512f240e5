// The main of every test program: a QApplication for widget tests, headless unless the
// environment asks for a platform, and the en_US locale pinned so that results do not depend on
// the machine's environment.
#include "../Controls/NotificationScope.h"
#include "../Value/Locale.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

// A test has no event loop to delete what a form destroyed from inside a handler left behind:
// nothing of one test may live on into the next.
class FlushRemains : public testing::EmptyTestEventListener
{
    void OnTestEnd(const testing::TestInfo &) override { platform::flushDestroyedWhenSafe(); }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    platform::setUserLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    testing::UnitTest::GetInstance()->listeners().Append(new FlushRemains);
    return RUN_ALL_TESTS();
}
