#pragma once

#include "../QuillPlatformExport.h"

#include "../Value/RuntimeError.h"

#include <optional>

namespace platform {

/// The error behind the failure code of a library's entry point. Entry points pass only status
/// codes across the library boundary; the error itself, number and text, is left here for the
/// caller on the same thread, so that a registration tool can say what went wrong (which file,
/// and how) rather than just that it did.
QUILL_PLATFORM_EXPORT void setErrorInfo(const RuntimeError &error);
/// The error the last failing entry point on this thread left, once; nothing when it left none.
QUILL_PLATFORM_EXPORT std::optional<RuntimeError> takeErrorInfo();

} // namespace platform
