#include "ComponentHost.h"

#include "../Value/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>

namespace platform {

struct ComponentHost::Library
{
    QString path;
    void *handle = nullptr;
    DllGetClassObjectFunction getClassObject = nullptr;
    DllCanUnloadNowFunction canUnloadNow = nullptr;
    QuillTypeLibraryFunction typeLibrary = nullptr;
};

ComponentHost::ComponentHost() : ComponentHost(Registry::forUser()) { }

ComponentHost::ComponentHost(Registry registry) : m_registry(std::move(registry)) { }

ComponentHost::~ComponentHost()
{
    // Libraries with live instances stay loaded: unloading them would pull code out from under
    // objects somebody still holds.
    unloadUnused();
}

Registry::ClassEntry ComponentHost::classEntry(const QString &classIdOrProgId) const
{
    std::optional<Guid> id = Guid::parse(classIdOrProgId);
    if (!id)
        id = m_registry.findProgId(classIdOrProgId);
    std::optional<Registry::ClassEntry> entry;
    if (id)
        entry = m_registry.findClass(*id);
    if (!entry) {
        throw RuntimeError(ErrorNumber::CantCreateObject,
            QStringLiteral("class %1 is not registered: register its library for this user with "
                           "\"quill-regsvr LIBRARY\", or install the library's registration "
                           "file in quill/classes under a folder of $XDG_DATA_DIRS")
                .arg(classIdOrProgId));
    }
    return *entry;
}

ComponentHost::Library &ComponentHost::load(const QString &libraryPath)
{
    const QString path = QFileInfo(libraryPath).absoluteFilePath();
    if (const auto found = m_libraries.find(path); found != m_libraries.end())
        return *found->second;
    if (!QFileInfo::exists(path))
        throw RuntimeError(ErrorNumber::FileNotFound, path);

    void *handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        throw RuntimeError(ErrorNumber::ErrorInLoadingDll,
            QStringLiteral("%1 (%2)").arg(path, QString::fromLocal8Bit(dlerror())));
    }
    auto library = std::make_unique<Library>();
    library->path = path;
    library->handle = handle;
    library->getClassObject
        = reinterpret_cast<DllGetClassObjectFunction>(dlsym(handle, "DllGetClassObject"));
    library->canUnloadNow
        = reinterpret_cast<DllCanUnloadNowFunction>(dlsym(handle, "DllCanUnloadNow"));
    library->typeLibrary
        = reinterpret_cast<QuillTypeLibraryFunction>(dlsym(handle, "QuillTypeLibrary"));
    if (!library->getClassObject || !library->canUnloadNow) {
        dlclose(handle);
        throw RuntimeError(ErrorNumber::CantFindDllEntryPoint,
            QStringLiteral("DllGetClassObject in %1").arg(path));
    }
    return *m_libraries.emplace(path, std::move(library)).first->second;
}

std::shared_ptr<UserControl> ComponentHost::create(const QString &classIdOrProgId)
{
    const Registry::ClassEntry entry = classEntry(classIdOrProgId);
    Library &library = load(entry.library);
    ClassFactory *factory = nullptr;
    if (library.getClassObject(&entry.id, &factory) != HResult::Ok || !factory) {
        throw RuntimeError(ErrorNumber::CantCreateObject,
            QStringLiteral("%1 does not make class %2 (%3)")
                .arg(library.path, entry.id.toString(), classIdOrProgId));
    }
    return factory->createInstance();
}

const LibraryDescriptor &ComponentHost::libraryDescriptor(const QString &libraryPath)
{
    Library &library = load(libraryPath);
    if (!library.typeLibrary) {
        throw RuntimeError(ErrorNumber::CantFindDllEntryPoint,
            QStringLiteral("QuillTypeLibrary in %1").arg(library.path));
    }
    return *library.typeLibrary();
}

int ComponentHost::unloadUnused()
{
    int unloaded = 0;
    for (auto it = m_libraries.begin(); it != m_libraries.end();) {
        if (it->second->canUnloadNow() == HResult::Ok) {
            dlclose(it->second->handle);
            it = m_libraries.erase(it);
            ++unloaded;
        } else {
            ++it;
        }
    }
    return unloaded;
}

bool ComponentHost::isLoaded(const QString &libraryPath) const
{
    return m_libraries.count(QFileInfo(libraryPath).absoluteFilePath()) > 0;
}

ComponentHost &defaultComponentHost()
{
    // Never destroyed: at exit the libraries' own statics may already be gone, and asking them
    // whether they may unload would run code over them. The process unloads them all anyway.
    static ComponentHost *const host = new ComponentHost;
    return *host;
}

} // namespace platform
