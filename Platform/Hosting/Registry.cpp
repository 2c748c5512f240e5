#include "Registry.h"

#include <Value/RuntimeError.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>

namespace platform {

namespace {

QJsonObject readRoot(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

void writeRoot(const QString &path, const QJsonObject &root)
{
    QSaveFile file(path);
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw RuntimeError(ErrorNumber::PathFileAccessError, path);
}

QString versionText(const LibraryInfo &library)
{
    return QStringLiteral("%1.%2").arg(library.majorVersion).arg(library.minorVersion);
}

Registry::ClassEntry classFromJson(const Guid &id, const QJsonObject &o)
{
    Registry::ClassEntry entry;
    entry.id = id;
    entry.name = o[u"name"].toString();
    entry.progId = o[u"progId"].toString();
    entry.library = o[u"inprocServer"].toString();
    entry.threadingModel = o[u"threadingModel"].toString();
    entry.control = o[u"control"].toBool();
    entry.toolboxBitmap = o[u"toolboxBitmap"].toString();
    entry.typeLibrary = Guid::parse(o[u"typeLibrary"].toString()).value_or(Guid());
    entry.typeLibraryVersion = o[u"typeLibraryVersion"].toString();
    entry.miscStatus = static_cast<uint32_t>(o[u"miscStatus"].toInteger());
    return entry;
}

// Runs a read-modify-write of the registry file under a lock, so that two registering
// processes do not drop each other's entries.
template<class Change>
void modify(const QString &path, Change change)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw RuntimeError(ErrorNumber::PathFileAccessError, path);
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(10000))
        throw RuntimeError(ErrorNumber::PathFileAccessError, path + QStringLiteral(" is locked"));
    QJsonObject root = readRoot(path);
    change(root);
    writeRoot(path, root);
}

} // namespace

Registry::Registry(QString path) : m_path(std::move(path)) { }

QString Registry::userPath()
{
    const QString explicitPath = qEnvironmentVariable("QUILL_REGISTRY");
    if (!explicitPath.isEmpty())
        return explicitPath;
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir(data).filePath(QStringLiteral("quill/registry.json"));
}

Registry Registry::forUser()
{
    return Registry(userPath());
}

std::optional<Registry::ClassEntry> Registry::findClass(const Guid &id) const
{
    const QJsonObject classes = readRoot(m_path)[u"classes"].toObject();
    const auto found = classes.find(id.toString());
    if (found == classes.end())
        return std::nullopt;
    return classFromJson(id, found->toObject());
}

std::optional<Guid> Registry::findProgId(const QString &progId) const
{
    const QJsonObject progIds = readRoot(m_path)[u"progIds"].toObject();
    for (auto it = progIds.begin(); it != progIds.end(); ++it) {
        if (it.key().compare(progId, Qt::CaseInsensitive) == 0)
            return Guid::parse(it->toString());
    }
    return std::nullopt;
}

std::optional<Registry::TypeLibraryEntry> Registry::findTypeLibrary(const Guid &id) const
{
    const QJsonObject libraries = readRoot(m_path)[u"typeLibraries"].toObject();
    const auto found = libraries.find(id.toString());
    if (found == libraries.end())
        return std::nullopt;
    const QJsonObject o = found->toObject();
    TypeLibraryEntry entry;
    entry.id = id;
    entry.name = o[u"name"].toString();
    entry.helpString = o[u"helpString"].toString();
    entry.version = o[u"version"].toString();
    entry.library = o[u"library"].toString();
    entry.locale = static_cast<uint32_t>(o[u"locale"].toInteger());
    entry.flags = static_cast<uint32_t>(o[u"flags"].toInteger());
    return entry;
}

std::vector<Registry::ClassEntry> Registry::classes() const
{
    std::vector<ClassEntry> result;
    const QJsonObject classes = readRoot(m_path)[u"classes"].toObject();
    for (auto it = classes.begin(); it != classes.end(); ++it) {
        if (const auto id = Guid::parse(it.key()))
            result.push_back(classFromJson(*id, it->toObject()));
    }
    return result;
}

void Registry::registerLibrary(const LibraryInfo &library, const QString &libraryPath)
{
    modify(m_path, [&](QJsonObject &root) {
        QJsonObject classes = root[u"classes"].toObject();
        QJsonObject progIds = root[u"progIds"].toObject();
        for (const ClassInfo &info : library.classes) {
            classes[info.id.toString()] = QJsonObject {
                {QStringLiteral("name"), info.name},
                {QStringLiteral("progId"), info.progId},
                {QStringLiteral("inprocServer"), libraryPath},
                {QStringLiteral("threadingModel"), QStringLiteral("Apartment")},
                {QStringLiteral("control"), true},
                {QStringLiteral("toolboxBitmap"),
                    QStringLiteral("%1, %2").arg(libraryPath).arg(info.toolboxBitmapId)},
                {QStringLiteral("typeLibrary"), library.id.toString()},
                {QStringLiteral("typeLibraryVersion"), versionText(library)},
                {QStringLiteral("miscStatus"), static_cast<qint64>(info.miscStatus)},
            };
            progIds[info.progId] = info.id.toString();
        }
        QJsonObject libraries = root[u"typeLibraries"].toObject();
        libraries[library.id.toString()] = QJsonObject {
            {QStringLiteral("name"), library.name},
            {QStringLiteral("helpString"), library.helpString},
            {QStringLiteral("version"), versionText(library)},
            {QStringLiteral("library"), libraryPath},
            {QStringLiteral("locale"), static_cast<qint64>(library.locale)},
            {QStringLiteral("flags"), static_cast<qint64>(library.flags)},
        };
        root[QStringLiteral("classes")] = classes;
        root[QStringLiteral("progIds")] = progIds;
        root[QStringLiteral("typeLibraries")] = libraries;
    });
}

void Registry::unregisterLibrary(const LibraryInfo &library)
{
    modify(m_path, [&](QJsonObject &root) {
        QJsonObject classes = root[u"classes"].toObject();
        QJsonObject progIds = root[u"progIds"].toObject();
        for (const ClassInfo &info : library.classes) {
            classes.remove(info.id.toString());
            // Only the ProgID that still names this class; another library may have taken it.
            if (progIds[info.progId].toString() == info.id.toString())
                progIds.remove(info.progId);
        }
        QJsonObject libraries = root[u"typeLibraries"].toObject();
        libraries.remove(library.id.toString());
        root[QStringLiteral("classes")] = classes;
        root[QStringLiteral("progIds")] = progIds;
        root[QStringLiteral("typeLibraries")] = libraries;
    });
}

} // namespace platform
