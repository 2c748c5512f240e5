#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/StdPicture.h"

#include <QString>

namespace platform {

/// Pictures larger than this, counted at four bytes a pixel, are refused instead of decoded.
constexpr qint64 MaxPictureBytes = qint64(256) * 1024 * 1024;

/// The picture in a file, as a picture object; the empty name gives an empty picture. Raises File
/// not found for a missing file, Path/File access error for one that cannot be read, Invalid
/// picture for a file that is no picture, and Out of memory for a picture larger than
/// MaxPictureBytes, which is refused from its header without being decoded.
QUILL_PLATFORM_EXPORT std::shared_ptr<StdPicture> LoadPicture(const QString &fileName = {});

} // namespace platform
