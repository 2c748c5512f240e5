#pragma once

#include "../QuillPlatformExport.h"

#include <QString>

namespace platform {

/// App.Path: the folder of the running program, without a trailing separator.
QUILL_PLATFORM_EXPORT QString appPath();

} // namespace platform
