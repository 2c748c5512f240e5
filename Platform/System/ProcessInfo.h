#pragma once

#include "../QuillPlatformExport.h"

namespace platform {

/// Facts about the running process, for programs that report their own start-up and memory.
/// Milliseconds since the kernel started the process.
QUILL_PLATFORM_EXPORT double millisecondsSinceProcessStart();
/// Resident and peak resident memory in kilobytes (-1 when unknown).
QUILL_PLATFORM_EXPORT long residentKilobytes();
QUILL_PLATFORM_EXPORT long peakResidentKilobytes();

} // namespace platform
