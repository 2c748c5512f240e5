#pragma once

// 128-bit integers for exact fixed-point arithmetic (a GCC and Clang extension).
namespace platform {
__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;
} // namespace platform
