#include "SettingsStore.h"

#include "SettingsFile.h"
#include <TestSupport/TestEnvironment.h>
#include <Value/RuntimeError.h>

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <thread>

using namespace platform;

namespace {

class Settings : public testing::Test
{
protected:
    test::IsolatedUserFolders folders;
};

TEST_F(Settings, EveryValueRoundTripsThroughASecondStore)
{
    const QString values[] = {
        QString(),
        "Apple|3|Grape|5|",
        "a=b;c[d]e/f\\g",
        "\"quoted\" and 'single'",
        "line 1\nline 2\r\nline 3\r",
        "\t\u0001\u001f\u007f",
        QStringLiteral("ñandú 日本 \U0001F600"),
        QString(QChar(0xD800)) + QChar(u'x') + QChar(0xDFFF),
        "\\u0041 \\n not escapes",
        "[Section/Name]\nkey=value",
        QString(1 << 20, u'x') + QStringLiteral("|end"),
    };
    int i = 0;
    for (const QString &value : values) {
        const QString key = QStringLiteral("Key%1").arg(i++);
        SaveSetting("QuillComboBox", "Parametros", key, value);
        const SettingsStore second(folders.settingsDir());
        EXPECT_EQ(second.get("QuillComboBox", "Parametros", key, "absent"), value)
            << key.toStdString();
    }
    // All of them are still there after the later writes.
    i = 0;
    for (const QString &value : values)
        EXPECT_EQ(
            GetSetting("QuillComboBox", "Parametros", QStringLiteral("Key%1").arg(i++)), value);
}

TEST_F(Settings, NamesCompareCaseInsensitivelyAndMayHoldAnyCharacter)
{
    SaveSetting("App", "Section", "Key", "one");
    EXPECT_EQ(GetSetting("APP", "section", "KEY"), "one");
    SaveSetting("app", "SECTION", "key", "two");
    EXPECT_EQ(GetSetting("App", "Section", "Key"), "two");

    SaveSetting("a/b", "[s]=", "k=\n", "odd names");
    EXPECT_EQ(GetSetting("a/b", "[s]=", "k=\n"), "odd names");
    EXPECT_EQ(GetSetting("a", "b/[s]=", "k=\n", "absent"), "absent");
}

TEST_F(Settings, AbsentKeysGiveTheDefault)
{
    EXPECT_EQ(GetSetting("QuillComboBox", "Parametros", "Selecciones", ""), "");
    EXPECT_EQ(GetSetting("QuillComboBox", "Parametros", "Selecciones", "dflt"), "dflt");
    SaveSetting("Other", "Parametros", "Selecciones", "x");
    EXPECT_EQ(GetSetting("QuillComboBox", "Parametros", "Selecciones", "dflt"), "dflt");
}

TEST_F(Settings, TheStoreFollowsTheEnvironment)
{
    SaveSetting("App", "S", "K", "first folder");
    test::IsolatedUserFolders other;
    EXPECT_EQ(GetSetting("App", "S", "K", "absent"), "absent");
    SaveSetting("App", "S", "K", "second folder");
    EXPECT_EQ(SettingsStore(folders.settingsDir()).get("App", "S", "K"), "first folder");
}

TEST_F(Settings, AnUnwritableStoreRaisesPathFileAccessError)
{
    QFile blocker(QDir(folders.path()).filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore store(QDir(blocker.fileName()).filePath("sub"));
    try {
        store.save("App", "S", "K", "v");
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 75);
    }
    EXPECT_EQ(store.get("App", "S", "K", "absent"), "absent");
}

TEST_F(Settings, ConcurrentWritersOfDifferentKeysLoseNothing)
{
    constexpr int PerWriter = 40;
    auto writer = [&](const QString &prefix) {
        SettingsStore store(folders.settingsDir());
        for (int i = 0; i < PerWriter; ++i)
            store.save("App", "S", prefix + QString::number(i), prefix);
    };
    std::thread a(writer, QStringLiteral("a")), b(writer, QStringLiteral("b"));
    a.join();
    b.join();
    const SettingsStore store(folders.settingsDir());
    for (int i = 0; i < PerWriter; ++i) {
        EXPECT_EQ(store.get("App", "S", QStringLiteral("a%1").arg(i)), "a");
        EXPECT_EQ(store.get("App", "S", QStringLiteral("b%1").arg(i)), "b");
    }
}

TEST(SettingsFile, SkipsLinesThatDoNotReadAndKeepsTheRest)
{
    const QString text = "garbage before any section\n"
                         "[App/S]\n"
                         "good=1\n"
                         "bad escape=\\q\n"
                         "no equals sign\n"
                         "cut=\\u00\n"
                         "[broken section\n"
                         "also=2\n"
                         "[App/T]\r\n"
                         "crlf=3\r\n";
    const auto entries = parseSettings(text);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].key, "good");
    EXPECT_EQ(entries[0].value, "1");
    EXPECT_EQ(entries[1].section, "T");
    EXPECT_EQ(entries[1].value, "3");
}

} // namespace
