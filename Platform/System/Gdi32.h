#pragma once

#include "../QuillPlatformExport.h"

#include "DeviceContexts.h"
#include "Regions.h"

namespace platform {

///@{
/// Stretch modes (SetStretchBltMode).
constexpr int32_t BLACKONWHITE = static_cast<int32_t>(StretchMode::BlackOnWhite);
constexpr int32_t WHITEONBLACK = static_cast<int32_t>(StretchMode::WhiteOnBlack);
constexpr int32_t COLORONCOLOR = static_cast<int32_t>(StretchMode::ColorOnColor);
constexpr int32_t HALFTONE = static_cast<int32_t>(StretchMode::Halftone);
///@}

/// Raster operation of a plain copy.
constexpr int32_t SRCCOPY = 0x00CC0020;

// The gdi32 stand-ins over region handles and device contexts. As on the system, a call with an
// unknown handle fails quietly: it returns 0 and changes nothing.

/// A rectangle with rounded corners in pixels: right and bottom edges excluded, each corner
/// rounded by an ellipse of the given size (limited to the rectangle; 0 gives plain corners).
/// Returns 0 for coordinates outside the drawing space or a corner too tall to build.
QUILL_PLATFORM_EXPORT HRGN CreateRoundRectRgn(int32_t left, int32_t top, int32_t right,
    int32_t bottom, int32_t ellipseWidth, int32_t ellipseHeight);
/// Frees a region handle; 0 for a handle that is not the caller's (unknown, or given to a window).
QUILL_PLATFORM_EXPORT int32_t DeleteObject(int32_t object);
/// Returns the previous mode, or 0 for an unknown context or mode.
QUILL_PLATFORM_EXPORT int32_t SetStretchBltMode(HDC hdc, int32_t mode);
/// Copies the source rectangle onto the destination rectangle, scaled: smoothly (area averaging
/// when shrinking) in HALFTONE mode, nearest pixel otherwise; clipped to the destination image.
/// In HALFTONE mode, shrinking the whole of a large source image reads a reduced copy of it that
/// the source's context keeps (see ReducedCopies) instead of every source pixel. Only SRCCOPY is
/// supported. An empty or negative size draws nothing. Tells the destination's owner that its
/// image changed. Non-zero on success.
QUILL_PLATFORM_EXPORT int32_t StretchBlt(HDC destination, int32_t x, int32_t y, int32_t width,
    int32_t height, HDC source, int32_t xSource, int32_t ySource, int32_t widthSource,
    int32_t heightSource, int32_t rop);

} // namespace platform
