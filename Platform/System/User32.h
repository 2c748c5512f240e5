#pragma once

#include "../QuillPlatformExport.h"

#include "Regions.h"
#include "WindowHandles.h"

namespace platform {

/// Blending flags of SetLayeredWindowAttributes.
constexpr int32_t LWA_COLORKEY = 1;
constexpr int32_t LWA_ALPHA = 2;

// The user32 stand-ins over registered top-level windows. As on the system, a call with an
// unknown window or region handle fails quietly: it returns 0 and changes nothing.

/// The extended style word for GWL_EXSTYLE; 0 for other indices.
QUILL_PLATFORM_EXPORT int32_t GetWindowLongA(HWND hwnd, int32_t index);
/// Stores the extended style word and returns the previous one. Clearing WS_EX_LAYERED makes the
/// window fully opaque again. Other indices are not kept: 0, nothing changes.
QUILL_PLATFORM_EXPORT int32_t SetWindowLongA(HWND hwnd, int32_t index, int32_t newLong);
/// With LWA_ALPHA, draws the whole window with opacity alpha / 255. Only a window with the
/// layered style takes it; any other returns 0. The colour key is kept but not drawn.
QUILL_PLATFORM_EXPORT int32_t SetLayeredWindowAttributes(
    HWND hwnd, int32_t colorKey, uint8_t alpha, int32_t flags);
/// Clips the window to the region (window coordinates) and takes the region over: its handle is
/// no longer the caller's. A previous region of the window is freed; region 0 removes the clip.
QUILL_PLATFORM_EXPORT int32_t SetWindowRgn(HWND hwnd, HRGN region, int32_t redraw);

} // namespace platform
