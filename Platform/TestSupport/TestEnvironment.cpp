#include "TestEnvironment.h"

#include <QDir>

namespace platform::test {

ScopedEnv::ScopedEnv(const char *name, const QByteArray &value) : m_name(name)
{
    if (qEnvironmentVariableIsSet(name))
        m_old = qgetenv(name);
    qputenv(name, value);
}

ScopedEnv::~ScopedEnv()
{
    if (m_old)
        qputenv(m_name.constData(), *m_old);
    else
        qunsetenv(m_name.constData());
}

IsolatedUserFolders::IsolatedUserFolders()
{
    m_settings.emplace("QUILL_SETTINGS_DIR", settingsDir().toUtf8());
    m_registry.emplace("QUILL_REGISTRY", registryFile().toUtf8());
    m_machineData.emplace("XDG_DATA_DIRS", machineDataDir().toUtf8());
}

QString IsolatedUserFolders::settingsDir() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("settings"));
}

QString IsolatedUserFolders::registryFile() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("registry.json"));
}

QString IsolatedUserFolders::machineDataDir() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("machine/share"));
}

} // namespace platform::test
