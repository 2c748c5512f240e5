#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/Guid.h"
#include "../Objects/TypeInfo.h"

#include <QString>
#include <optional>
#include <vector>

namespace platform {

// The per-user registry of control classes and type libraries: a JSON file at
// $QUILL_REGISTRY, else $XDG_DATA_HOME (default ~/.local/share)/quill/registry.json, read
// afresh on every look-up and rewritten atomically on every change. No file is an empty
// registry; a file that is there but does not read is never taken for one: look-ups and changes
// raise Invalid file format (Path/File access error when it cannot be read at all) naming the
// file and what is wrong, and it is never written over. An entry is checked when it is used:
// a field of the wrong type is reported as malformed, naming the entry and the field.
class QUILL_PLATFORM_EXPORT Registry
{
public:
    struct ClassEntry
    {
        Guid id;
        QString name;
        QString progId;
        QString library; // the in-process server
        QString threadingModel;
        bool control = false;
        QString toolboxBitmap; // "library, resource id"
        Guid typeLibrary;
        QString typeLibraryVersion;
        uint32_t miscStatus = 0;
    };
    struct TypeLibraryEntry
    {
        Guid id;
        QString name;
        QString helpString;
        QString version;
        QString library;
        uint32_t locale = 0;
        uint32_t flags = 0;
    };

    explicit Registry(QString path);
    static Registry forUser();
    static QString userPath();

    const QString &path() const { return m_path; }

    // A class to create: one without a library file (inprocServer) is malformed.
    std::optional<ClassEntry> findClass(const Guid &id) const;
    std::optional<Guid> findProgId(const QString &progId) const;
    std::optional<TypeLibraryEntry> findTypeLibrary(const Guid &id) const;
    std::vector<ClassEntry> classes() const;

    // Writes every class of the library (class id, ProgID, server, threading model, control
    // marker, toolbox bitmap, type library, misc status) and the type library. Raises Path/File
    // access error when the registry cannot be written. Entries of other libraries are kept as
    // they are, malformed ones included.
    void registerLibrary(const LibraryInfo &library, const QString &libraryPath);
    // Removes exactly what registerLibrary wrote for this library.
    void unregisterLibrary(const LibraryInfo &library);

private:
    QString m_path;
};

} // namespace platform
