#pragma once

#include <QString>

namespace platform {

// Loads a control library file and runs its DllRegisterServer (or DllUnregisterServer), as a
// registration tool does. Raises 53 for a missing file, 48 for one that does not load, 453 for
// one without the entry point, and Path/File access error when the entry point reports failure.
void registerLibraryFile(const QString &libraryPath);
void unregisterLibraryFile(const QString &libraryPath);

} // namespace platform
