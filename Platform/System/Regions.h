#pragma once

#include "../QuillPlatformExport.h"

#include <QRegion>
#include <cstdint>
#include <optional>

namespace platform {

using HRGN = int32_t;

/// The table of region handles. A handle belongs to whoever created it until it is deleted or
/// handed to a window, which takes it out of the table. Handles are never reused while the
/// process runs, so a stale handle finds nothing.
class QUILL_PLATFORM_EXPORT Regions
{
public:
    static HRGN create(const QRegion &region);
    /// The region of a live handle, or nullptr.
    static const QRegion *find(HRGN handle);
    /// Removes a live handle and gives its region to the caller.
    static std::optional<QRegion> take(HRGN handle);
    /// Frees a live handle; false for an unknown one.
    static bool release(HRGN handle);
    /// How many handles are live (tests look for leaks with it).
    static int count();
};

} // namespace platform
