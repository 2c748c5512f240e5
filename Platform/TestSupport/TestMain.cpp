// The main of every test program: a QApplication for widget tests, headless unless the
// environment asks for a platform, and the en_US locale pinned so that results do not depend on
// the machine's environment.
#include <Value/Locale.h>

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    platform::setUserLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    return RUN_ALL_TESTS();
}
