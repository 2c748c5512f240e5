#pragma once

#include <Quillkit/System/ApiDeclare.h>

#include <cstdint>

// The operating-system functions the controls call, declared by library and name. Each binds on
// its first call, so a system that lacks one fails only the code that calls it (453). The
// parameter types must be the entry points' own, or binding refuses the declaration.

// user32
extern const platform::ApiDeclare<int32_t(int32_t hWnd, int32_t nIndex)> GetWindowLongA;
extern const platform::ApiDeclare<int32_t(int32_t hWnd, int32_t nIndex, int32_t dwNewLong)>
    SetWindowLongA;
extern const platform::ApiDeclare<int32_t(
    int32_t hWnd, int32_t crKey, uint8_t bAlpha, int32_t dwFlags)>
    SetLayeredWindowAttributes;
extern const platform::ApiDeclare<int32_t(int32_t hWnd, int32_t hRgn, int32_t bRedraw)>
    SetWindowRgn;

// gdi32
extern const platform::ApiDeclare<int32_t(
    int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3)>
    CreateRoundRectRgn;
extern const platform::ApiDeclare<int32_t(int32_t hdc, int32_t nStretchMode)> SetStretchBltMode;
extern const platform::ApiDeclare<int32_t(int32_t hdc, int32_t x, int32_t y, int32_t nWidth,
    int32_t nHeight, int32_t hSrcDC, int32_t xSrc, int32_t ySrc, int32_t nSrcWidth,
    int32_t nSrcHeight, int32_t dwRop)>
    StretchBlt;
