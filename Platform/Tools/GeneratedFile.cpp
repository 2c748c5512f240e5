#include "GeneratedFile.h"

#include "../Value/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform::typegen {

bool writeIfChanged(const QString &path, const QByteArray &content)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return false;
    existing.close();

    const QFileInfo where(path);
    if (!QDir().mkpath(where.absolutePath()))
        throw RuntimeError(ErrorNumber::PathFileAccessError, path);
    // Written aside and renamed into place: a build that reads the header never sees half of it.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()
        || !file.commit()) {
        throw RuntimeError(ErrorNumber::PathFileAccessError,
            QStringLiteral("%1 (%2)").arg(path, file.errorString()));
    }
    return true;
}

} // namespace platform::typegen
