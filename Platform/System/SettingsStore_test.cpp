#include "SettingsStore.h"

#include "../TestSupport/TestEnvironment.h"
#include "../Value/RuntimeError.h"
#include "SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace platform;

namespace {

// The error a call raised, or nothing.
std::optional<RuntimeError> errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RuntimeError &e) {
        return e;
    }
    return std::nullopt;
}

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

// Names that the file's own syntax uses (a comment's "#", a section's brackets, the "=") must
// be written so that they read back as names, at the start of a line above all.
TEST_F(Settings, EveryNameRoundTripsAndSurvivesTheNextSave)
{
    struct Case
    {
        QString app, section, key;
    };
    const Case cases[] = {
        {"App", "Sec", "#Key"},
        {"App", "Sec", "#"},
        {"App", "Sec", "# not a comment"},
        {"App", "Sec", "C#"},
        {"#App", "#Sec", "Key"},
        {"App", "Sec", ";Key"},
        {"App", "Sec", " Key "},
        {"App", "Sec", ""},
        {"", "", "k"},
        {"App", "Sec", "[Key]"},
        {"App", "Sec", "\u0023Key"},
    };
    // What another process finds in the file, without this one's memory of it.
    auto onDisk = [&](const Case &c) {
        QFile file(SettingsStore::forUser().filePath());
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("unreadable");
        for (const SettingsEntry &e : parseSettings(QString::fromUtf8(file.readAll()))) {
            if (e.app == c.app && e.section == c.section && e.key == c.key)
                return e.value;
        }
        return QStringLiteral("absent");
    };
    for (const Case &c : cases) {
        const std::string what = (c.app + '/' + c.section + '/' + c.key).toStdString();
        SaveSetting(c.app, c.section, c.key, "v1");
        EXPECT_EQ(onDisk(c).toStdString(), "v1") << what;
        SaveSetting("Other", "Section", "Key", what.c_str());
        EXPECT_EQ(onDisk(c).toStdString(), "v1") << what;
        EXPECT_EQ(GetSetting(c.app, c.section, c.key, "absent").toStdString(), "v1") << what;
    }
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

// Another process can replace the file with one that the file system cannot tell apart: the
// inode is reused across renames, the size is equal and the modification time is coarse. Here
// the replacement is written in place and its old modification time is put back.
TEST_F(Settings, ANewerFileThatLooksUnchangedIsReadAfresh)
{
    SettingsStore store(folders.settingsDir());
    store.save("App", "S", "K0", "1111");
    const QByteArray path = QFile::encodeName(store.filePath());
    struct stat before
    {
    };
    ASSERT_EQ(::stat(path.constData(), &before), 0);

    QFile file(store.filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(writeSettings({{"App", "S", "K0", "3333"}}));
    file.close();
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
    struct stat after
    {
    };
    ASSERT_EQ(::stat(path.constData(), &after), 0);
    ASSERT_EQ(after.st_ino, before.st_ino);
    ASSERT_EQ(after.st_size, before.st_size);
    ASSERT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    ASSERT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);

    // A write of another key keeps the other process's value...
    store.save("App", "S", "K1", "x");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto onDisk = parseSettings(QString::fromUtf8(file.readAll()));
    file.close();
    ASSERT_EQ(onDisk.size(), 2u);
    EXPECT_EQ(onDisk[0].key, "K0");
    EXPECT_EQ(onDisk[0].value, "3333");

    // ... and a read sees it too.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(writeSettings({{"App", "S", "K0", "5555"}, {"App", "S", "K1", "x"}}));
    file.close();
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
    EXPECT_EQ(store.get("App", "S", "K0"), "5555");
}

// A store that is there but does not read is neither taken for an empty one nor written over:
// reading and writing raise Path/File access error naming the file, which stays as it was.
TEST_F(Settings, AStoreThatDoesNotReadIsNeverWrittenOver)
{
    struct Case
    {
        const char *name;
        QByteArray bytes; // the file's content; empty: the file is a folder
    };
    const Case cases[] = {
        {"a folder", {}},
        {"bytes that are not UTF-8", "[App/S]\nA=1\nB=caf\xe9\n"},
        {"a line without =", "[App/S]\nA=1\nnot a setting\n"},
        {"a broken escape", "[App/S]\nA=1\nB=\\q\n"},
        {"a broken section line", "[App/S]\nA=1\n[App\nB=2\n"},
        {"a value before any section", "A=1\n[App/S]\nB=2\n"},
    };
    for (const Case &c : cases) {
        test::IsolatedUserFolders own;
        SettingsStore store(own.settingsDir());
        ASSERT_TRUE(QDir().mkpath(own.settingsDir()));
        if (c.bytes.isEmpty()) {
            ASSERT_TRUE(QDir().mkpath(store.filePath()));
        } else {
            QFile file(store.filePath());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.bytes);
        }
        auto expectAccessError = [&](const std::function<void()> &call, const char *what) {
            const auto error = errorOf(call);
            ASSERT_TRUE(error) << c.name << ": " << what << " raised nothing";
            EXPECT_EQ(error->number(), 75) << c.name << ": " << what;
            EXPECT_TRUE(error->text().contains(store.filePath()))
                << c.name << ": " << error->text().toStdString();
        };
        expectAccessError([&] { store.get("App", "S", "A", "absent"); }, "get");
        expectAccessError([&] { store.save("App", "S", "C", "3"); }, "save");
        if (c.bytes.isEmpty()) {
            EXPECT_TRUE(QFileInfo(store.filePath()).isDir()) << c.name;
        } else {
            QFile file(store.filePath());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), c.bytes) << c.name;
        }
    }
}

// Only without the privilege to read every file: root reads a file of mode 0222 all the same.
TEST_F(Settings, AStoreWithoutReadPermissionIsNeverWrittenOver)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads a file without read permission";
    SaveSetting("App", "S", "A", "1");
    const QString path = SettingsStore::forUser().filePath();
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0222), 0);
    const auto restore = qScopeGuard([&] { ::chmod(QFile::encodeName(path).constData(), 0600); });
    for (const auto &call : std::vector<std::function<void()>> {
             [] { GetSetting("App", "S", "A"); }, [] { SaveSetting("App", "S", "B", "2"); }}) {
        const auto error = errorOf(call);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->number(), 75);
        EXPECT_TRUE(error->text().contains(path)) << error->text().toStdString();
    }
    ::chmod(QFile::encodeName(path).constData(), 0600);
    EXPECT_EQ(GetSetting("App", "S", "A"), "1");
}

// What the store's own files and files written by hand may hold besides settings.
TEST_F(Settings, CommentsBlankLinesAndAByteOrderMarkStillRead)
{
    QDir().mkpath(folders.settingsDir());
    QFile file(SettingsStore::forUser().filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xef\xbb\xbf# written by hand\r\n\r\n[QuillComboBox/Parametros]\r\n  \r\n"
               "Selecciones=Apple|3|\r\n#Old=comment\r\n");
    file.close();
    EXPECT_EQ(GetSetting("QuillComboBox", "Parametros", "Selecciones"), "Apple|3|");
    SaveSetting("QuillComboBox", "Parametros", "Other", "1");
    EXPECT_EQ(GetSetting("QuillComboBox", "Parametros", "Selecciones"), "Apple|3|");
    EXPECT_EQ(GetSetting("QuillComboBox", "Parametros", "#Old", "absent"), "absent");
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

} // namespace
