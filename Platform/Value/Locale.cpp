#include "Locale.h"

#include <optional>

namespace platform {

namespace {

std::optional<QLocale> &currentLocale()
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
    auto &locale = currentLocale();
    if (!locale)
        locale = localeFromEnvironment();
    return *locale;
}

void setUserLocale(const QLocale &locale)
{
    currentLocale() = locale;
}

void resetUserLocale()
{
    currentLocale().reset();
}

} // namespace platform
