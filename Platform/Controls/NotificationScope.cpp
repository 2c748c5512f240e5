#include "NotificationScope.h"

#include <QCoreApplication>
#include <cstdio>
#include <set>

namespace platform {

namespace {

thread_local NotificationScope *innermost = nullptr;
thread_local int runningHandlers = 0;

// What destroyWhenSafe holds back, deleted with the toolkit's deferred deletion, which waits for
// the event loop that was running when it was asked for.
class Remains : public QObject
{
public:
    explicit Remains(std::shared_ptr<void> held) : m_held(std::move(held)) { all().insert(this); }
    ~Remains() override { all().erase(this); }

    static std::set<Remains *> &all()
    {
        static std::set<Remains *> remains;
        return remains;
    }

private:
    std::shared_ptr<void> m_held;
};

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

RunningHandler::RunningHandler()
{
    ++runningHandlers;
}

RunningHandler::~RunningHandler()
{
    --runningHandlers;
}

bool RunningHandler::any()
{
    return runningHandlers > 0;
}

void destroyWhenSafe(std::shared_ptr<void> remains)
{
    if (!RunningHandler::any() || !QCoreApplication::instance()) {
        remains.reset();
        return;
    }
    (new Remains(std::move(remains)))->deleteLater();
}

void flushDestroyedWhenSafe()
{
    // Deleting may defer more; each round deletes what the one before left.
    while (!Remains::all().empty()) {
        const std::set<Remains *> round = Remains::all();
        for (Remains *remains : round) {
            // One may have taken another with it.
            if (Remains::all().count(remains))
                delete remains;
        }
    }
}

void setUnhandledErrorHandler(std::function<void(const RuntimeError &)> handler)
{
    unhandledErrorHandler() = std::move(handler);
}

} // namespace platform
