#pragma once

#include "../QuillPlatformExport.h"

#include <QString>
#include <cstdint>

class QLineEdit;

namespace platform {

/// The selection of an edit field as the text controls expose it: positions and lengths in
/// UTF-16 code units from 0, clamped to the text; a negative value raises 380.
namespace EditSelection {
QUILL_PLATFORM_EXPORT int32_t start(const QLineEdit &edit);
QUILL_PLATFORM_EXPORT void setStart(QLineEdit &edit, int32_t start);
QUILL_PLATFORM_EXPORT int32_t length(const QLineEdit &edit);
/// Selects from the current start, cut at the end of the text.
QUILL_PLATFORM_EXPORT void setLength(QLineEdit &edit, int32_t length);
} // namespace EditSelection

} // namespace platform
