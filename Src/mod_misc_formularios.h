#pragma once

#include <cstdint>

// Translucency of a top-level window, kept by the window itself (its layered style and alpha).
// Neither routine raises: every run-time error on the way is recorded, the remaining steps still
// run, and the result becomes 2.

// Makes the window translucent by percent (0 opaque, 100 invisible): sets the layered style and
// a constant alpha of (100 - percent) * 255 / 100, rounded half to even. Returns 0 when the
// operations were issued, 1 for a percent outside 0..100 (the window is not touched), 2 when a
// run-time error occurred (also for a percent so far out that the alpha overflows 16 bits).
int32_t FORM_SetTransparency(int32_t hWnd, int16_t percent);

// Makes the window opaque again by clearing its layered style. Returns 0, or 2 when a run-time
// error occurred.
int32_t FORM_ClearTransparency(int32_t hWnd);
