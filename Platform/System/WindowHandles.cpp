#include "WindowHandles.h"

#include <unordered_map>

namespace platform {

namespace {

struct Table
{
    std::unordered_map<HWND, WindowState> windows;
    HWND next = 0x00010010;
};

Table &table()
{
    static Table t;
    return t;
}

} // namespace

HWND WindowHandles::registerWindow(QWidget *window)
{
    if (!window)
        return 0;
    if (const HWND existing = handleOf(window))
        return existing;
    Table &t = table();
    const HWND handle = t.next;
    t.next += 4;
    WindowState state;
    state.widget = window;
    t.windows.emplace(handle, std::move(state));
    QObject::connect(window, &QObject::destroyed, [handle] { unregisterWindow(handle); });
    return handle;
}

void WindowHandles::unregisterWindow(HWND handle)
{
    table().windows.erase(handle);
}

HWND WindowHandles::handleOf(const QWidget *window)
{
    if (!window)
        return 0;
    for (const auto &[handle, state] : table().windows) {
        if (state.widget == window)
            return handle;
    }
    return 0;
}

WindowState *WindowHandles::find(HWND handle)
{
    auto &windows = table().windows;
    const auto found = windows.find(handle);
    if (found == windows.end() || !found->second.widget)
        return nullptr;
    return &found->second;
}

} // namespace platform
