#include "ProcessInfo.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace platform {

namespace {

long statusField(const char *name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(name))
            return line.mid(static_cast<qsizetype>(std::strlen(name)))
                .trimmed()
                .split(' ')
                .value(0)
                .toLong();
    }
    return -1;
}

} // namespace

double millisecondsSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // The fields after the command name, which stands in parentheses and may hold blanks; the
    // start time is the 22nd field of the line, in clock ticks since boot.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble();
    timespec now {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6 - startTicks * 1000.0 / sysconf(_SC_CLK_TCK);
}

long residentKilobytes()
{
    return statusField("VmRSS:");
}

long peakResidentKilobytes()
{
    return statusField("VmHWM:");
}

} // namespace platform
