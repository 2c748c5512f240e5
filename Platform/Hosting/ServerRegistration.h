#pragma once

#include "../QuillPlatformExport.h"

#include <QString>

namespace platform {

/// Loads a control library file and runs its DllRegisterServer (or DllUnregisterServer), as a
/// registration tool does. Raises 53 for a missing file, 48 for one that does not load, 453 for
/// one without the entry point, and, when the entry point reports failure, the error it left
/// (a registry that does not read: 321 or 75, naming the file), else Path/File access error.
QUILL_PLATFORM_EXPORT void registerLibraryFile(const QString &libraryPath);
QUILL_PLATFORM_EXPORT void unregisterLibraryFile(const QString &libraryPath);

} // namespace platform
