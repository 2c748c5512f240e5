#include "Random.h"

#include <cstdint>

namespace platform {

namespace {

constexpr uint32_t InitialState = 0x50000;
uint32_t state = InitialState;

} // namespace

float nextRandom()
{
    state = (state * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return static_cast<float>(state) / 16777216.0f;
}

void resetRandomSequence()
{
    state = InitialState;
}

} // namespace platform
