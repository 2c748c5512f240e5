#include "BenchSupport.h"

#include <Hosting/ServerRegistration.h>
#include <Value/Conversions.h>
#include <Value/Random.h>
#include <Value/RuntimeError.h>

#include <cstdio>

namespace bench {

QStringList demoItems(int randomCount)
{
    platform::resetRandomSequence();
    QStringList items {"Item 1", "Item 2", "Item 3", "Item 4", "Velk"};
    for (int i = 0; i < randomCount; ++i) {
        QString text;
        for (int k = 0; k < 6; ++k) {
            const double code = platform::roundHalfEven(platform::nextRandom() * 20.0 + 65.0);
            text += QChar(static_cast<char16_t>(code));
        }
        items << text;
    }
    return items;
}

bool registerQuillkitIn(const QTemporaryDir &folder, const QString &modulePath)
{
    qputenv("QUILL_REGISTRY", folder.filePath(QStringLiteral("registry.json")).toUtf8());
    qputenv("QUILL_SETTINGS_DIR", folder.filePath(QStringLiteral("settings")).toUtf8());
    try {
        platform::registerLibraryFile(modulePath);
    } catch (const platform::RuntimeError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return false;
    }
    return true;
}

} // namespace bench
