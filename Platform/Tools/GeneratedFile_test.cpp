#include "GeneratedFile.h"

#include "../Value/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;
using namespace platform::typegen;

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(GeneratedFile, WritesOnlyWhatChanged)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("include/Kit/Members.h"));

    EXPECT_TRUE(writeIfChanged(path, "one\n"));
    EXPECT_EQ(contentOf(path), "one\n");

    // An old time stamp that a rewrite would move.
    const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-1);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    EXPECT_FALSE(writeIfChanged(path, "one\n"));
    EXPECT_EQ(QFileInfo(path).lastModified().toUTC(), old);

    EXPECT_TRUE(writeIfChanged(path, "two\n"));
    EXPECT_EQ(contentOf(path), "two\n");
    EXPECT_NE(QFileInfo(path).lastModified().toUTC(), old);
}

TEST(GeneratedFile, RaisesPathFileAccessErrorWhenItCannotWrite)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A folder in the way of the file, and a file in the way of a folder.
    const QString blocked = dir.filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("blocked")));
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    for (const QString &path : {blocked, dir.filePath(QStringLiteral("plain/Members.h"))}) {
        try {
            writeIfChanged(path, "text\n");
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const RuntimeError &e) {
            EXPECT_EQ(e.number(), int32_t(ErrorNumber::PathFileAccessError)) << path.toStdString();
            EXPECT_TRUE(e.text().contains(path)) << e.text().toStdString();
        }
    }
}

} // namespace
