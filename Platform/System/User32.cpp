#include "User32.h"

namespace platform {

namespace {

void applyOpacity(WindowState &window, double opacity)
{
    window.opacity = opacity;
    window.widget->setWindowOpacity(opacity);
}

// Window regions are in window coordinates, a widget's mask in client coordinates: the two
// differ by where the client area sits inside the frame.
QPoint clientOrigin(const QWidget &widget)
{
    return widget.geometry().topLeft() - widget.frameGeometry().topLeft();
}

} // namespace

int32_t GetWindowLongA(HWND hwnd, int32_t index)
{
    const WindowState *window = WindowHandles::find(hwnd);
    if (!window || index != GWL_EXSTYLE)
        return 0;
    return window->exStyle;
}

int32_t SetWindowLongA(HWND hwnd, int32_t index, int32_t newLong)
{
    WindowState *window = WindowHandles::find(hwnd);
    if (!window || index != GWL_EXSTYLE)
        return 0;
    const int32_t previous = window->exStyle;
    window->exStyle = newLong;
    // A window that stops being layered loses its layered attributes; setting the bit again
    // needs a fresh SetLayeredWindowAttributes.
    if ((previous & WS_EX_LAYERED) && !(newLong & WS_EX_LAYERED)) {
        window->colorKey = 0;
        window->layeredFlags = 0;
        applyOpacity(*window, 1.0);
    }
    return previous;
}

int32_t SetLayeredWindowAttributes(HWND hwnd, int32_t colorKey, uint8_t alpha, int32_t flags)
{
    WindowState *window = WindowHandles::find(hwnd);
    if (!window || !(window->exStyle & WS_EX_LAYERED))
        return 0;
    window->colorKey = colorKey;
    window->layeredFlags = flags;
    applyOpacity(*window, (flags & LWA_ALPHA) ? alpha / 255.0 : 1.0);
    return 1;
}

int32_t SetWindowRgn(HWND hwnd, HRGN region, int32_t redraw)
{
    WindowState *window = WindowHandles::find(hwnd);
    if (!window)
        return 0;
    QWidget &widget = *window->widget;
    if (region == 0) {
        window->region.reset();
        widget.clearMask();
    } else {
        std::optional<QRegion> taken = Regions::take(region);
        if (!taken)
            return 0;
        widget.setMask(taken->translated(-clientOrigin(widget)));
        window->region = std::move(taken);
    }
    if (redraw)
        widget.update();
    return 1;
}

} // namespace platform
