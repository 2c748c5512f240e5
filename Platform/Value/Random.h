#pragma once

#include "../QuillPlatformExport.h"

namespace platform {

/// The runtime's random sequence: a 24-bit linear congruential generator that programs never
/// seed, so every run draws the same numbers. Returns a value in [0, 1).
QUILL_PLATFORM_EXPORT float nextRandom();

/// Starts the sequence over from its fixed first state (tests use this).
QUILL_PLATFORM_EXPORT void resetRandomSequence();

} // namespace platform
