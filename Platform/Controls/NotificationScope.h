#pragma once

#include "../QuillPlatformExport.h"

#include "../Value/RuntimeError.h"

#include <functional>
#include <memory>
#include <optional>

namespace platform {

/// Counts, while it lives, a notification handler or a host's event handler that runs on this
/// thread. The code that raised it (a control's, and the toolkit's under it) is still on the
/// stack and goes on with its objects when the handler returns, so nothing may destroy them
/// meanwhile: see destroyWhenSafe.
class QUILL_PLATFORM_EXPORT RunningHandler
{
public:
    RunningHandler();
    ~RunningHandler();
    RunningHandler(const RunningHandler &) = delete;
    RunningHandler &operator=(const RunningHandler &) = delete;

    static bool any();
};

/// Destroys what `remains` holds now, or, while a handler runs, once control is back in the
/// event loop that was running then (never in a nested loop a handler may start), so that a
/// host may destroy a form from inside one of its controls' events. Without an event loop the
/// remains wait for flushDestroyedWhenSafe.
QUILL_PLATFORM_EXPORT void destroyWhenSafe(std::shared_ptr<void> remains);
/// Destroys, now, everything destroyWhenSafe still holds: for the end of a program or a test
/// that has no event loop left to do it.
QUILL_PLATFORM_EXPORT void flushDestroyedWhenSafe();

/// Errors raised by notification handlers must not unwind through the toolkit's own code, which
/// is built without exception support. A handler's error is therefore caught where the
/// notification is raised and delivered here:
/// - while a statement that can cause notifications runs (a setter writing a widget, a focus
///   request), a NotificationScope holds the first error until the statement's own code is
///   back, and finish() throws it to the statement's caller, as if the handler ran inline;
/// - with no such statement (the user typed or clicked, a timer fired), the error goes to the
///   unhandled-error handler, by default a message on standard error.
class QUILL_PLATFORM_EXPORT NotificationScope
{
public:
    NotificationScope();
    ~NotificationScope();
    NotificationScope(const NotificationScope &) = delete;
    NotificationScope &operator=(const NotificationScope &) = delete;

    /// Closes the scope and throws the error a handler raised inside it, if any.
    void finish();

    /// Hands a handler's error to the innermost open scope, or to the unhandled-error handler.
    static void deliver(const RuntimeError &error);

    /// Runs a notification handler and delivers its error.
    template<class Handler, class... A>
    static void run(const Handler &handler, A &&...args)
    {
        const RunningHandler running;
        try {
            handler(std::forward<A>(args)...);
        } catch (const RuntimeError &error) {
            deliver(error);
        }
    }

private:
    void close();

    NotificationScope *m_outer;
    std::optional<RuntimeError> m_error;
    bool m_open = true;
};

/// Where errors of handlers that no statement waits for go; a host sets it to show them to the
/// user. An empty handler restores the default message on standard error.
QUILL_PLATFORM_EXPORT void setUnhandledErrorHandler(
    std::function<void(const RuntimeError &)> handler);

/// Hands an error straight to the unhandled-error handler, whatever statement is running: for a
/// failure that must not stop the statement, yet must not pass unnoticed either.
QUILL_PLATFORM_EXPORT void reportUnhandledError(const RuntimeError &error);

} // namespace platform
