#include "NotificationScope.h"

#include <cstdio>

namespace platform {

namespace {

thread_local NotificationScope *innermost = nullptr;

std::function<void(const RuntimeError &)> &unhandledErrorHandler()
{
    static std::function<void(const RuntimeError &)> handler;
    return handler;
}

} // namespace

NotificationScope::NotificationScope() : m_outer(innermost)
{
    innermost = this;
}

NotificationScope::~NotificationScope()
{
    // Left by an exception of the statement itself: an error held here is superseded by it.
    close();
}

void NotificationScope::close()
{
    if (m_open) {
        m_open = false;
        innermost = m_outer;
    }
}

void NotificationScope::finish()
{
    close();
    if (m_error)
        throw *m_error;
}

void NotificationScope::deliver(const RuntimeError &error)
{
    if (innermost) {
        if (!innermost->m_error)
            innermost->m_error = error;
        return;
    }
    reportUnhandledError(error);
}

void reportUnhandledError(const RuntimeError &error)
{
    if (const auto &handler = unhandledErrorHandler()) {
        handler(error);
        return;
    }
    fprintf(stderr, "Run-time error '%d': %s\n", error.number(), qPrintable(error.text()));
}

void setUnhandledErrorHandler(std::function<void(const RuntimeError &)> handler)
{
    unhandledErrorHandler() = std::move(handler);
}

} // namespace platform
