#include "Timer.h"

#include "NotificationScope.h"

#include "ControlMemberIds.h"

#include "../Value/Conversions.h"
#include "../Value/RuntimeError.h"

#include <QTimer>
#include <QWidget>

namespace platform {

Timer::Timer(QWidget *parent, const QString &name) : m_name(name)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(name);
    m_timer = timer;
    QObject::connect(timer, &QTimer::timeout, timer, [this] {
        if (onTimer) {
            const auto handler = onTimer;
            NotificationScope::run(handler);
        }
    });
}

Timer::~Timer()
{
    delete m_timer.data();
}

const MemberTable<Timer> &Timer::memberTable()
{
    using M = Members<Timer>;
    namespace Id = ControlDispId;
    static const MemberTable<Timer> table(QStringLiteral("Timer"),
        {
            M::get(QStringLiteral("Name"), Id::Name, QStringLiteral("BSTR"),
                [](Timer &t) { return Variant(t.Name()); }),
            M::get(QStringLiteral("Enabled"), Id::Enabled, QStringLiteral("VARIANT_BOOL"),
                [](Timer &t) { return Variant(t.Enabled()); }),
            M::let(QStringLiteral("Enabled"), Id::Enabled, QStringLiteral("VARIANT_BOOL"),
                [](Timer &t, const Variant &v) { t.setEnabled(toBoolean(v)); }),
            M::get(QStringLiteral("Interval"), Id::Interval, QStringLiteral("long"),
                [](Timer &t) { return Variant(t.Interval()); }),
            M::let(QStringLiteral("Interval"), Id::Interval, QStringLiteral("long"),
                [](Timer &t, const Variant &v) { t.setInterval(toLong(v)); }),
        });
    return table;
}

void Timer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    restart();
}

void Timer::setInterval(int32_t milliseconds)
{
    if (milliseconds < 0)
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, QStringLiteral("Interval"));
    m_interval = milliseconds;
    restart();
}

bool Timer::isRunning() const
{
    return m_timer && m_timer->isActive();
}

void Timer::restart()
{
    if (!m_timer)
        return;
    if (m_enabled && m_interval > 0)
        m_timer->start(m_interval);
    else
        m_timer->stop();
}

} // namespace platform
