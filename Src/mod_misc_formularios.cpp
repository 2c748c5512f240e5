#include "mod_misc_formularios.h"

#include "mod_api_declares.h"

#include <Quillkit/Value/Conversions.h>
#include <Quillkit/Value/RuntimeError.h>

#include <functional>
#include <limits>

using platform::RuntimeError;

namespace {

constexpr int32_t GWL_EXSTYLE = -20;
constexpr int32_t WS_EX_LAYERED = 0x00080000;
constexpr int32_t NotLayeredMask = static_cast<int32_t>(0xFFF7FFFFu);
constexpr int32_t LWA_ALPHA = 2;
constexpr int32_t NoColorKey = 0;

// Runs each step, recording a run-time error instead of letting it end the routine.
class ErrorRecord
{
public:
    void attempt(const std::function<void()> &step)
    {
        try {
            step();
        } catch (const RuntimeError &) {
            m_recorded = true;
        }
    }
    bool any() const { return m_recorded; }

private:
    bool m_recorded = false;
};

// A whole number stored in a 16-bit variable: outside its range it is an overflow.
int16_t store16(double value)
{
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        throw RuntimeError(platform::ErrorNumber::Overflow);
    return static_cast<int16_t>(value);
}

// Reads the style word, changes it and writes it back, each step attempted on its own: a word
// that could not be read is changed from 0.
void changeExStyle(ErrorRecord &errors, int32_t hWnd, const std::function<int32_t(int32_t)> &change)
{
    int32_t style = 0;
    errors.attempt([&] { style = GetWindowLongA(hWnd, GWL_EXSTYLE); });
    errors.attempt([&] { SetWindowLongA(hWnd, GWL_EXSTYLE, change(style)); });
}

} // namespace

int32_t FORM_SetTransparency(int32_t hWnd, int16_t percent)
{
    ErrorRecord errors;
    // An alpha that overflows keeps the percent, which is then far outside 0..255.
    int16_t alpha = percent;
    errors.attempt([&] {
        const int16_t opacity = store16(100.0 - percent);
        alpha = store16(platform::roundHalfEven(opacity * 255.0 / 100.0));
    });

    int32_t result = 0;
    if (alpha < 0 || alpha > 255) {
        result = 1;
    } else {
        changeExStyle(errors, hWnd, [](int32_t style) { return style | WS_EX_LAYERED; });
        errors.attempt([&] {
            SetLayeredWindowAttributes(hWnd, NoColorKey, static_cast<uint8_t>(alpha), LWA_ALPHA);
        });
    }
    return errors.any() ? 2 : result;
}

int32_t FORM_ClearTransparency(int32_t hWnd)
{
    ErrorRecord errors;
    changeExStyle(errors, hWnd, [](int32_t style) { return style & NotLayeredMask; });
    // The window is no longer layered, so the system refuses this; on a system without layered
    // windows it is the call that reports the missing operation.
    errors.attempt([&] { SetLayeredWindowAttributes(hWnd, NoColorKey, 0, LWA_ALPHA); });
    return errors.any() ? 2 : 0;
}
