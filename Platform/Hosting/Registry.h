#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/Guid.h"
#include "../Objects/TypeInfo.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace platform {

/// The registry of control classes and type libraries. The per-user registry is a JSON file at
/// $QUILL_REGISTRY, else $XDG_DATA_HOME (default ~/.local/share)/quill/registry.json, read
/// afresh on every look-up and rewritten atomically on every change. Below it are the
/// machine-wide registration files that installed libraries bring, one per library, in
/// quill/classes/*.json of each folder of $XDG_DATA_DIRS (default /usr/local/share:/usr/share):
/// look-ups read the user's file first and these after, in that order; changes go to the user's
/// file only. A machine-wide file names its libraries relative to its installation prefix, so
/// an installed tree may move. No file is an empty
/// registry; a file that is there but does not read is never taken for one: look-ups and changes
/// raise Invalid file format (Path/File access error when it cannot be read at all) naming the
/// file and what is wrong, and it is never written over. An entry is checked when it is used:
/// a field of the wrong type is reported as malformed, naming the entry and the field.
class QUILL_PLATFORM_EXPORT Registry
{
public:
    /// The registration of a control class, as look-ups return it.
    struct ClassEntry
    {
        Guid id; ///< the class id
        QString name; ///< the class name
        QString progId; ///< "Library.Class"
        QString library; ///< the in-process server
        QString threadingModel; ///< as the library registers it
        bool control = false; ///< registered as a control
        QString toolboxBitmap; ///< "library, resource id"
        Guid typeLibrary; ///< the class's type library
        QString typeLibraryVersion; ///< "major.minor"
        uint32_t miscStatus = 0; ///< MiscStatus bits
        QString source; ///< the registry file the entry was read from
        bool machineWide = false; ///< read from a machine-wide file
    };
    /// The registration of a type library: where it is and which version it is.
    struct TypeLibraryEntry
    {
        Guid id; ///< the type library id
        QString name; ///< its name
        QString helpString; ///< its description
        QString version; ///< "major.minor"
        QString library; ///< the file that holds it
        uint32_t locale = 0; ///< its locale id
        uint32_t flags = 0; ///< LibFlagControl and others
    };

    /// The registry kept in the file `path`, with the machine-wide files below it.
    explicit Registry(QString path, QStringList machineFiles = {});
    /// The user's registry with the machine-wide files below it.
    static Registry forUser();
    /// The path of the user's registry file.
    static QString userPath();
    /// The machine-wide registration files, in the order look-ups read them.
    static QStringList machineFiles();

    /// The registry file changes go to.
    const QString &path() const { return m_path; }
    /// The machine-wide files look-ups read after it.
    const QStringList &machineFilePaths() const { return m_machineFiles; }

    /// A class to create: one without a library file (inprocServer) is malformed.
    std::optional<ClassEntry> findClass(const Guid &id) const;
    /// The class id registered under a ProgID.
    std::optional<Guid> findProgId(const QString &progId) const;
    /// A registered type library.
    std::optional<TypeLibraryEntry> findTypeLibrary(const Guid &id) const;
    /// Every class, the user's first; a machine-wide entry the user's registry also has is
    /// left out, as look-ups never reach it.
    std::vector<ClassEntry> classes() const;

    /// Writes every class of the library (class id, ProgID, server, threading model, control
    /// marker, toolbox bitmap, type library, misc status) and the type library. Raises Path/File
    /// access error when the registry cannot be written. Entries of other libraries are kept as
    /// they are, malformed ones included.
    void registerLibrary(const LibraryInfo &library, const QString &libraryPath);
    /// Removes exactly what registerLibrary wrote for this library.
    void unregisterLibrary(const LibraryInfo &library);

    /// Writes the machine-wide registration file of a library that is installed at
    /// libraryFromPrefix below its prefix, the prefix being prefixFromFile from the file's folder
    /// (both relative, with '/'). Raises Path/File access error when the file cannot be written.
    static void writeMachineFile(const QString &file, const LibraryInfo &library,
        const QString &libraryFromPrefix, const QString &prefixFromFile);

private:
    QString m_path;
    QStringList m_machineFiles;
};

} // namespace platform
