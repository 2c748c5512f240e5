#include "Locale.h"

#include <optional>

namespace platform {

namespace {

std::optional<QLocale> &pinnedLocale()
{
    static std::optional<QLocale> locale;
    return locale;
}

std::optional<QLocale> &environmentLocale()
{
    static std::optional<QLocale> locale;
    return locale;
}

QLocale localeFromEnvironment()
{
    for (const char *variable : {"LC_ALL", "LC_MONETARY", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return localeFromEnvironmentName(value);
    }
    return localeFromEnvironmentName({});
}

} // namespace

QLocale localeFromEnvironmentName(const QString &name)
{
    QString base = name;
    for (QChar cut : {QChar(u'.'), QChar(u'@')}) {
        const auto at = base.indexOf(cut);
        if (at >= 0)
            base.truncate(at);
    }
    if (base.isEmpty() || base == u"C" || base == u"POSIX")
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return QLocale(base);
}

const QLocale &userLocale()
{
    if (const auto &pinned = pinnedLocale())
        return *pinned;
    // Callers hold the reference for a while: the value lives here, replaced at each call by
    // one that is equal as long as nobody changes the default meanwhile.
    static QLocale followed;
    const QLocale byDefault;
    if (byDefault != QLocale::system()) {
        followed = byDefault;
    } else {
        auto &environment = environmentLocale();
        if (!environment)
            environment = localeFromEnvironment();
        followed = *environment;
    }
    return followed;
}

void setUserLocale(const QLocale &locale)
{
    pinnedLocale() = locale;
}

void resetUserLocale()
{
    pinnedLocale().reset();
    environmentLocale().reset();
}

} // namespace platform
