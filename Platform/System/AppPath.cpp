#include "AppPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

QString appPath()
{
    // Before the application object exists Qt cannot say; the kernel can.
    const QString folder = QCoreApplication::instance()
        ? QCoreApplication::applicationDirPath()
        : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return QDir::cleanPath(folder);
}

} // namespace platform
