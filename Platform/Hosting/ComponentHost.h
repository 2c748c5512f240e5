#pragma once

#include "../QuillPlatformExport.h"

#include "LibraryDescriptor.h"
#include "Registry.h"

#include <QString>
#include <map>
#include <memory>

namespace platform {

/// Creates controls the way any host does: it looks the class up in the registry by class id or
/// ProgID, loads the class's library at run time, asks its class factory for an instance, and
/// unloads libraries only when they say they may go.
class QUILL_PLATFORM_EXPORT ComponentHost
{
public:
    ComponentHost(); ///< the user's registry
    /// Looks classes up in the given registry.
    explicit ComponentHost(Registry registry);
    ~ComponentHost();
    ComponentHost(const ComponentHost &) = delete;
    ComponentHost &operator=(const ComponentHost &) = delete;

    /// The registry classes are looked up in.
    const Registry &registry() const { return m_registry; }

    /// The registry entry of a class named by "{class id}" or ProgID; 429 naming the class when
    /// it is not registered.
    Registry::ClassEntry classEntry(const QString &classIdOrProgId) const;

    /// A new instance. Raises 429 for a class that is not registered or that its library does
    /// not make, 53 for a library file that is missing, 48 for one that fails to load, and 453
    /// for one without the entry point; each error names the class or the library.
    std::shared_ptr<UserControl> create(const QString &classIdOrProgId);

    /// The descriptor of a library file (loading it if needed), for tools that show its type
    /// library; the same errors as create().
    const LibraryDescriptor &libraryDescriptor(const QString &libraryPath);

    /// Unloads every loaded library whose DllCanUnloadNow agrees; returns how many went.
    int unloadUnused();
    /// Whether the library file is loaded now.
    bool isLoaded(const QString &libraryPath) const;

private:
    struct Library;
    Library &load(const QString &libraryPath);

    Registry m_registry;
    std::map<QString, std::unique_ptr<Library>> m_libraries;
};

/// The process's own host over the user's registry, made on first use, for code that creates
/// controls with no host at hand (widgets a form compiler writes out as `new Class(parent)`).
/// Its registry is the one the environment names at that first use.
QUILL_PLATFORM_EXPORT ComponentHost &defaultComponentHost();

} // namespace platform
