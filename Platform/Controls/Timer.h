#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/MemberTable.h"

#include <QPointer>
#include <functional>

class QTimer;
class QWidget;

namespace platform {

/// The timer: `onTimer` runs from the event loop every Interval milliseconds while Enabled is
/// on and Interval is above 0. Changing either restarts the count.
class QUILL_PLATFORM_EXPORT Timer : public DispatchFromTable<Timer>
{
public:
    Timer(QWidget *parent, const QString &name);
    ~Timer() override;
    Timer(const Timer &) = delete;
    Timer &operator=(const Timer &) = delete;

    /// The members late-bound callers reach, with their ids and types.
    static const MemberTable<Timer> &memberTable();

    QString Name() const { return m_name; }
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    ///@{
    /// Milliseconds; 0 stops the timer, a negative value raises 380.
    int32_t Interval() const { return m_interval; }
    void setInterval(int32_t milliseconds);
    ///@}

    /// Whether the timer is counting now.
    bool isRunning() const;

    std::function<void()> onTimer;

private:
    void restart();

    QPointer<QTimer> m_timer;
    QString m_name;
    bool m_enabled = true;
    int32_t m_interval = 0;
};

} // namespace platform
