#pragma once

#include <QStringList>
#include <QTemporaryDir>

namespace bench {

// The host items of the demonstration form: "Item 1" to "Item 4", "Velk", then `randomCount`
// six-letter texts of the capitals A to U drawn from the runtime's random sequence.
QStringList demoItems(int randomCount = 5000);

// Points the user's registry and settings store at `folder` and registers the Quillkit library
// there, so that a benchmark creates controls as a host does without touching the user's own;
// false, after a message, when the library cannot be registered.
bool registerQuillkitIn(const QTemporaryDir &folder, const QString &modulePath);

} // namespace bench
