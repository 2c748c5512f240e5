#include "AppPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(AppPath, IsTheFolderOfTheRunningProgramWithoutATrailingSlash)
{
    const QString folder = appPath();
    EXPECT_FALSE(folder.isEmpty());
    EXPECT_FALSE(folder.endsWith('/')) << folder.toStdString();
    EXPECT_TRUE(QFileInfo(folder).isAbsolute());
    EXPECT_EQ(QFileInfo(folder).canonicalFilePath(),
        QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
    EXPECT_TRUE(QFileInfo::exists(
        folder + "/" + QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
}

} // namespace
