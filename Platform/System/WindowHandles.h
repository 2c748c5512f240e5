#pragma once

#include "../QuillPlatformExport.h"

#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <optional>

namespace platform {

using HWND = int32_t;

///@{
/// Window-long index and extended style bits of a top-level window.
constexpr int32_t GWL_EXSTYLE = -20;
constexpr int32_t WS_EX_WINDOWEDGE = 0x00000100;
constexpr int32_t WS_EX_APPWINDOW = 0x00040000;
constexpr int32_t WS_EX_LAYERED = 0x00080000;
///@}

/// What the system keeps for one top-level window beside its widget.
struct QUILL_PLATFORM_EXPORT WindowState
{
    /// A fresh top-level application window carries these two bits, so that code which reads,
    /// changes and writes back the word sees a realistic, non-zero value.
    static constexpr int32_t InitialExStyle = WS_EX_WINDOWEDGE | WS_EX_APPWINDOW;

    QPointer<QWidget> widget;
    int32_t exStyle = InitialExStyle;
    /// The window region in window coordinates (title bar and frame included), owned by the
    /// window; none while the window is not clipped.
    std::optional<QRegion> region;
    /// The constant opacity of a layered window; 1 while the window is not layered.
    double opacity = 1.0;
    int32_t colorKey = 0;
    int32_t layeredFlags = 0;
};

/// The table of window handles of top-level forms. A host form registers its window when it is
/// created and unregisters it when it is destroyed (a destroyed widget is unregistered anyway).
/// Handles are never reused while the process runs, so a stale handle finds nothing instead of
/// another form.
class QUILL_PLATFORM_EXPORT WindowHandles
{
public:
    /// The handle of the window, registering it on first use.
    static HWND registerWindow(QWidget *window);
    static void unregisterWindow(HWND handle);
    /// The handle of a registered window, 0 for any other widget.
    static HWND handleOf(const QWidget *window);
    /// The state of a handle, or nullptr for an unknown, unregistered or destroyed window.
    static WindowState *find(HWND handle);
};

} // namespace platform
