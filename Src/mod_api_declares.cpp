#include "mod_api_declares.h"

using platform::ApiDeclare;

namespace {

const QString User32 = QStringLiteral("user32");
const QString Gdi32 = QStringLiteral("gdi32");

} // namespace

const ApiDeclare<int32_t(int32_t, int32_t)> GetWindowLongA {
    User32, QStringLiteral("GetWindowLongA")};
const ApiDeclare<int32_t(int32_t, int32_t, int32_t)> SetWindowLongA {
    User32, QStringLiteral("SetWindowLongA")};
const ApiDeclare<int32_t(int32_t, int32_t, uint8_t, int32_t)> SetLayeredWindowAttributes {
    User32, QStringLiteral("SetLayeredWindowAttributes")};
const ApiDeclare<int32_t(int32_t, int32_t, int32_t)> SetWindowRgn {
    User32, QStringLiteral("SetWindowRgn")};

const ApiDeclare<int32_t(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t)> CreateRoundRectRgn {
    Gdi32, QStringLiteral("CreateRoundRectRgn")};
const ApiDeclare<int32_t(int32_t, int32_t)> SetStretchBltMode {
    Gdi32, QStringLiteral("SetStretchBltMode")};
const ApiDeclare<int32_t(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
    int32_t, int32_t, int32_t)>
    StretchBlt {Gdi32, QStringLiteral("StretchBlt")};
