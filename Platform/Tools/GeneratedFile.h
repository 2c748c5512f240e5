#pragma once

#include <QByteArray>
#include <QString>

namespace platform::typegen {

// Writes `content` to `path` unless the file already holds exactly that, so that a generated
// header that did not change keeps its time stamp and nothing that includes it is rebuilt.
// Missing folders are made. Returns whether the file was written; raises PathFileAccessError
// when it cannot be.
bool writeIfChanged(const QString &path, const QByteArray &content);

} // namespace platform::typegen
