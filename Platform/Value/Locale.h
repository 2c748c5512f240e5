#pragma once

#include "../QuillPlatformExport.h"

#include <QLocale>

namespace platform {

/// The user's locale for number, currency and upper-casing services: the toolkit's default
/// locale, so that a host that sets one (QLocale::setDefault) sets it for its controls, read
/// afresh at every call. While the default is still the system's, the locale comes from the
/// environment (LC_ALL, then LC_MONETARY, then LANG); "C", "POSIX" and an unset environment mean
/// en_US, the locale the controls were designed for.
QUILL_PLATFORM_EXPORT const QLocale &userLocale();

/// Pins the user's locale (tests use this), replacing what the default and the environment say.
QUILL_PLATFORM_EXPORT void setUserLocale(const QLocale &locale);

/// Forgets a pinned locale; the next call of userLocale() reads the default and the environment
/// again.
QUILL_PLATFORM_EXPORT void resetUserLocale();

/// The locale named by an environment value such as "de_DE.UTF-8@euro"; "C", "POSIX" and the
/// empty text give en_US.
QUILL_PLATFORM_EXPORT QLocale localeFromEnvironmentName(const QString &name);

} // namespace platform
