#pragma once

#include "../QuillPlatformExport.h"

#include "PersistentImage.h"
#include "ReducedCopies.h"

#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

using HDC = int32_t;

/// Stretch modes of a device context (SetStretchBltMode).
enum class StretchMode : int32_t {
    BlackOnWhite = 1,
    WhiteOnBlack = 2,
    ColorOnColor = 3,
    Halftone = 4,
};

/// A device context: a handle over a persistent image that a control owns, with the drawing
/// state the drawing calls keep. `changed` tells the owner that its image was drawn on, so that
/// it repaints. A drawing call that covers the whole image may give it a new pixel buffer of the
/// same size and format rather than copy into the old one, or leave its pixels pending: owners
/// keep the PersistentImage, never a pointer into its bits.
///
/// The other way round, the image's cacheKey tells the drawing calls that the owner changed it:
/// the reduced copies a smooth stretch keeps of a source image hold only for the key they were
/// made from. Owners therefore change the image through QImage and QPainter only, never through
/// a pointer into its bits kept from an earlier call.
struct QUILL_PLATFORM_EXPORT DeviceContext
{
    PersistentImage *image = nullptr;
    StretchMode stretchMode = StretchMode::BlackOnWhite;
    std::function<void()> changed;
    // Shared with the pending stretches made from this image, which shrink it when painted.
    std::shared_ptr<ReducedCopies> reducedCopies = std::make_shared<ReducedCopies>();
};

/// The table of live device contexts. Handles are never reused while the process runs, so a
/// stale handle finds nothing instead of another control's image.
class QUILL_PLATFORM_EXPORT DeviceContexts
{
public:
    static HDC create(PersistentImage *image, std::function<void()> changed);
    static void release(HDC handle);
    /// The context of a handle, or nullptr for an unknown or released one.
    static DeviceContext *find(HDC handle);
};

} // namespace platform
