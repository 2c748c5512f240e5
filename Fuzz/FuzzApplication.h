#pragma once

#include <Quillkit/Value/Locale.h>

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

// For targets that need widgets: one headless QApplication for the whole run, the locale pinned,
// and the registry and settings store in a temporary folder of their own, so that a run neither
// reads nor changes the user's.
class FuzzApplication
{
public:
    FuzzApplication()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QUILL_REGISTRY", registryFile().toUtf8());
        qputenv("QUILL_SETTINGS_DIR", m_dir.filePath(QStringLiteral("settings")).toUtf8());
        m_app = new QApplication(m_argc, m_argv);
        platform::setUserLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    FuzzApplication(const FuzzApplication &) = delete;
    FuzzApplication &operator=(const FuzzApplication &) = delete;

    // A scratch file inside the run's folder.
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString registryFile() const { return m_dir.filePath(QStringLiteral("registry.json")); }

private:
    QTemporaryDir m_dir;
    int m_argc = 1;
    char m_arg0[5] = "fuzz";
    char *m_argv[2] = {m_arg0, nullptr};
    // Lives as long as the process: libFuzzer ends the run with exit(), and the application
    // must outlast every widget a static may still hold then.
    QApplication *m_app = nullptr;
};
