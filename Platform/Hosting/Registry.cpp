#include "Registry.h"

#include "../Value/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QLockFile>
#include <QSaveFile>
#include <QSet>
#include <cerrno>
#include <cmath>
#include <sys/stat.h>

namespace platform {

namespace {

const QString ClassesKey = QStringLiteral("classes");
const QString ProgIdsKey = QStringLiteral("progIds");
const QString TypeLibrariesKey = QStringLiteral("typeLibraries");

[[noreturn]] void malformed(const QString &path, const QString &what)
{
    throw RuntimeError(ErrorNumber::InvalidFileFormat, QStringLiteral("%1: %2").arg(path, what));
}

[[noreturn]] void unreadable(const QString &path, const QString &why)
{
    throw RuntimeError(ErrorNumber::PathFileAccessError, QStringLiteral("%1: %2").arg(path, why));
}

// The registry's top level; an empty one when there is no file. A file that is there but does
// not read raises, naming it: it must neither pass for an empty registry, which the next
// registration would write over with only its own classes, nor make every class look
// unregistered.
QJsonObject readRoot(const QString &path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {};
        unreadable(path, qt_error_string(errno));
    }
    if (!S_ISREG(info.st_mode))
        unreadable(path, QStringLiteral("not a file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        unreadable(path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        unreadable(path, file.errorString());

    if (bytes.trimmed().isEmpty())
        malformed(path, QStringLiteral("the file is empty"));
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        const QByteArrayView before
            = QByteArrayView(bytes).first(qMin(qsizetype(error.offset), bytes.size()));
        const qsizetype line = before.count('\n') + 1;
        const qsizetype column = before.size() - before.lastIndexOf('\n');
        malformed(path,
            QStringLiteral("%1 at line %2, column %3")
                .arg(error.errorString(), QString::number(line), QString::number(column)));
    }
    if (!document.isObject())
        malformed(path, QStringLiteral("the top level is not an object"));
    const QJsonObject root = document.object();
    for (const QString &key : {ClassesKey, ProgIdsKey, TypeLibrariesKey}) {
        if (root.contains(key) && !root[key].isObject())
            malformed(path, QStringLiteral("\"%1\" is not an object").arg(key));
    }
    return root;
}

const QString PrefixKey = QStringLiteral("prefix");

// One registry file as read, and the folder its relative library paths start from: a
// machine-wide file names its libraries below its installation prefix.
struct RegistryFile
{
    QString path;
    QJsonObject root;
    QString prefix; // empty: library paths are taken as they stand

    QString resolve(const QString &library) const
    {
        if (prefix.isEmpty() || library.isEmpty() || QDir::isAbsolutePath(library))
            return library;
        return QDir::cleanPath(prefix + u'/' + library);
    }
    // "library, resource id"
    QString resolveBitmap(const QString &bitmap) const
    {
        const qsizetype comma = bitmap.lastIndexOf(u',');
        if (comma < 0)
            return resolve(bitmap);
        return resolve(bitmap.first(comma)) + bitmap.sliced(comma);
    }
};

RegistryFile readFile(const QString &path)
{
    RegistryFile file {path, readRoot(path), {}};
    if (file.root.contains(PrefixKey)) {
        const QJsonValue prefix = file.root[PrefixKey];
        if (!prefix.isString())
            malformed(path, QStringLiteral("\"%1\" is not a text").arg(PrefixKey));
        file.prefix = QDir::cleanPath(QFileInfo(path).absolutePath() + u'/' + prefix.toString());
    }
    return file;
}

// The fields of one entry, each checked for its type: absent gives the empty value, any other
// type is malformed, named by the entry and the field.
class EntryFields
{
public:
    EntryFields(const QString &path, const QString &entry, const QJsonValue &value)
        : m_path(path), m_entry(entry), m_object(value.toObject())
    {
        if (!value.isObject())
            malformed(m_path, QStringLiteral("%1 is not an object").arg(m_entry));
    }

    QString text(const QString &field) const
    {
        const QJsonValue value = m_object[field];
        if (value.isUndefined())
            return {};
        if (!value.isString())
            wrong(field, "a text");
        return value.toString();
    }
    bool boolean(const QString &field) const
    {
        const QJsonValue value = m_object[field];
        if (!value.isUndefined() && !value.isBool())
            wrong(field, "true or false");
        return value.toBool();
    }
    uint32_t number(const QString &field) const
    {
        const QJsonValue value = m_object[field];
        if (value.isUndefined())
            return 0;
        const double number = value.toDouble(-1);
        if (!value.isDouble() || number < 0 || number > 0xFFFFFFFFu || number != std::floor(number))
            wrong(field, "a whole number from 0 to 4294967295");
        return static_cast<uint32_t>(number);
    }
    Guid id(const QString &field) const
    {
        const QString value = text(field);
        if (value.isEmpty())
            return {};
        const std::optional<Guid> id = Guid::parse(value);
        if (!id)
            wrong(field, "an identifier");
        return *id;
    }

private:
    [[noreturn]] void wrong(const QString &field, const char *expected) const
    {
        malformed(m_path,
            QStringLiteral("%1: \"%2\" is not %3")
                .arg(m_entry, field, QString::fromLatin1(expected)));
    }

    const QString &m_path;
    QString m_entry;
    QJsonObject m_object;
};

QString classEntryName(const QString &key)
{
    return QStringLiteral("class %1").arg(key);
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

Registry::ClassEntry classFromJson(
    const RegistryFile &file, const Guid &id, const QJsonValue &value)
{
    const EntryFields o(file.path, classEntryName(id.toString()), value);
    Registry::ClassEntry entry;
    entry.id = id;
    entry.name = o.text(QStringLiteral("name"));
    entry.progId = o.text(QStringLiteral("progId"));
    entry.library = file.resolve(o.text(QStringLiteral("inprocServer")));
    entry.threadingModel = o.text(QStringLiteral("threadingModel"));
    entry.control = o.boolean(QStringLiteral("control"));
    entry.toolboxBitmap = file.resolveBitmap(o.text(QStringLiteral("toolboxBitmap")));
    entry.typeLibrary = o.id(QStringLiteral("typeLibrary"));
    entry.typeLibraryVersion = o.text(QStringLiteral("typeLibraryVersion"));
    entry.miscStatus = o.number(QStringLiteral("miscStatus"));
    entry.source = file.path;
    return entry;
}

// Ids are keys written in upper case, but a registry edited by hand or by another tool may spell
// one in lower case, which names the same id. Every look-up finds an id whatever its spelling
// (the upper-case key first), and registering or unregistering replaces every spelling, so that
// the registry keeps one entry for each id.
QJsonObject::const_iterator findId(const QJsonObject &entries, const Guid &id)
{
    const auto exact = entries.constFind(id.toString());
    if (exact != entries.constEnd())
        return exact;
    for (auto it = entries.constBegin(); it != entries.constEnd(); ++it) {
        if (Guid::parse(it.key()) == id)
            return it;
    }
    return entries.constEnd();
}

void removeId(QJsonObject &entries, const Guid &id)
{
    for (auto it = entries.begin(); it != entries.end();)
        it = Guid::parse(it.key()) == id ? entries.erase(it) : it + 1;
}

// ProgIDs compare without regard to case, as findProgId reads them. Removes every spelling of
// the ProgID, or, given `only`, those that name that class.
void removeProgId(QJsonObject &progIds, const QString &progId, std::optional<Guid> only = {})
{
    for (auto it = progIds.begin(); it != progIds.end();) {
        const bool remove = it.key().compare(progId, Qt::CaseInsensitive) == 0
            && (!only || Guid::parse(it->toString()) == *only);
        it = remove ? progIds.erase(it) : it + 1;
    }
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
    // Read under the lock, and a registry that does not read is left as it is: nothing is
    // written unless the whole of it was understood.
    QJsonObject root = readRoot(path);
    change(root);
    writeRoot(path, root);
}

void addLibrary(QJsonObject &root, const LibraryInfo &library, const QString &libraryPath)
{
    QJsonObject classes = root[u"classes"].toObject();
    QJsonObject progIds = root[u"progIds"].toObject();
    for (const ClassInfo &info : library.classes) {
        removeId(classes, info.id);
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
        removeProgId(progIds, info.progId);
        progIds[info.progId] = info.id.toString();
    }
    QJsonObject libraries = root[u"typeLibraries"].toObject();
    removeId(libraries, library.id);
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
}

template<class Find>
auto firstFound(const QString &userPath, const QStringList &machineFiles, Find find)
    -> decltype(find(RegistryFile {}))
{
    // The user's registry must read: a look-up must not skip past it to a machine-wide entry
    // the user has replaced. A machine-wide file that does not read fails the look-up only when
    // no other file answers it.
    if (auto found = find(readFile(userPath)))
        return found;
    std::optional<RuntimeError> unreadable;
    for (const QString &path : machineFiles) {
        try {
            if (auto found = find(readFile(path)))
                return found;
        } catch (const RuntimeError &error) {
            if (!unreadable)
                unreadable = error;
        }
    }
    if (unreadable)
        throw *unreadable;
    return std::nullopt;
}

} // namespace

Registry::Registry(QString path, QStringList machineFiles)
    : m_path(std::move(path)), m_machineFiles(std::move(machineFiles))
{ }

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
    return Registry(userPath(), machineFiles());
}

QStringList Registry::machineFiles()
{
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    QStringList files;
    for (const QString &dir : dirs.split(u':', Qt::SkipEmptyParts)) {
        const QDir classes(QDir(dir).filePath(QStringLiteral("quill/classes")));
        for (const QString &name :
            classes.entryList({QStringLiteral("*.json")}, QDir::Files | QDir::Readable, QDir::Name))
            files.append(classes.filePath(name));
    }
    return files;
}

std::optional<Registry::ClassEntry> Registry::findClass(const Guid &id) const
{
    return firstFound(
        m_path, m_machineFiles, [&](const RegistryFile &file) -> std::optional<ClassEntry> {
            const QJsonObject classes = file.root[ClassesKey].toObject();
            const auto found = findId(classes, id);
            if (found == classes.constEnd())
                return std::nullopt;
            ClassEntry entry = classFromJson(file, id, *found);
            entry.machineWide = file.path != m_path;
            // Every registration writes the server; without it the class can only fail to load.
            if (entry.library.isEmpty()) {
                malformed(file.path,
                    QStringLiteral("%1: no library file (\"inprocServer\")")
                        .arg(classEntryName(id.toString())));
            }
            return entry;
        });
}

std::optional<Guid> Registry::findProgId(const QString &progId) const
{
    return firstFound(m_path, m_machineFiles, [&](const RegistryFile &file) -> std::optional<Guid> {
        const QJsonObject progIds = file.root[ProgIdsKey].toObject();
        for (auto it = progIds.begin(); it != progIds.end(); ++it) {
            if (it.key().compare(progId, Qt::CaseInsensitive) != 0)
                continue;
            const std::optional<Guid> id = Guid::parse(it->toString());
            if (!it->isString() || !id) {
                malformed(file.path,
                    QStringLiteral("ProgID %1 does not name a class identifier").arg(it.key()));
            }
            return id;
        }
        return std::nullopt;
    });
}

std::optional<Registry::TypeLibraryEntry> Registry::findTypeLibrary(const Guid &id) const
{
    return firstFound(
        m_path, m_machineFiles, [&](const RegistryFile &file) -> std::optional<TypeLibraryEntry> {
            const QJsonObject libraries = file.root[TypeLibrariesKey].toObject();
            const auto found = findId(libraries, id);
            if (found == libraries.constEnd())
                return std::nullopt;
            const EntryFields o(
                file.path, QStringLiteral("type library %1").arg(id.toString()), *found);
            TypeLibraryEntry entry;
            entry.id = id;
            entry.name = o.text(QStringLiteral("name"));
            entry.helpString = o.text(QStringLiteral("helpString"));
            entry.version = o.text(QStringLiteral("version"));
            entry.library = file.resolve(o.text(QStringLiteral("library")));
            entry.locale = o.number(QStringLiteral("locale"));
            entry.flags = o.number(QStringLiteral("flags"));
            return entry;
        });
}

std::vector<Registry::ClassEntry> Registry::classes() const
{
    std::vector<ClassEntry> result;
    QSet<QString> seen;
    for (const QString &path : QStringList {m_path} + m_machineFiles) {
        const RegistryFile file = readFile(path);
        const QJsonObject classes = file.root[ClassesKey].toObject();
        for (auto it = classes.begin(); it != classes.end(); ++it) {
            const std::optional<Guid> id = Guid::parse(it.key());
            if (!id)
                malformed(path, QStringLiteral("%1 is not a class identifier").arg(it.key()));
            if (seen.contains(id->toString()))
                continue;
            seen.insert(id->toString());
            ClassEntry entry = classFromJson(file, *id, *it);
            entry.machineWide = path != m_path;
            result.push_back(std::move(entry));
        }
    }
    return result;
}

void Registry::registerLibrary(const LibraryInfo &library, const QString &libraryPath)
{
    modify(m_path, [&](QJsonObject &root) { addLibrary(root, library, libraryPath); });
}

void Registry::writeMachineFile(const QString &file, const LibraryInfo &library,
    const QString &libraryFromPrefix, const QString &prefixFromFile)
{
    QJsonObject root {{PrefixKey, prefixFromFile}};
    addLibrary(root, library, libraryFromPrefix);
    writeRoot(file, root);
}

void Registry::unregisterLibrary(const LibraryInfo &library)
{
    modify(m_path, [&](QJsonObject &root) {
        QJsonObject classes = root[u"classes"].toObject();
        QJsonObject progIds = root[u"progIds"].toObject();
        for (const ClassInfo &info : library.classes) {
            removeId(classes, info.id);
            // Only the ProgID that still names this class; another library may have taken it.
            removeProgId(progIds, info.progId, info.id);
        }
        QJsonObject libraries = root[u"typeLibraries"].toObject();
        removeId(libraries, library.id);
        root[QStringLiteral("classes")] = classes;
        root[QStringLiteral("progIds")] = progIds;
        root[QStringLiteral("typeLibraries")] = libraries;
    });
}

} // namespace platform
