#include "LibraryDescriptor.h"

#include "ErrorInfo.h"
#include "Registry.h"

#include "../Value/RuntimeError.h"

#include <QFileInfo>
#include <dlfcn.h>

namespace platform {

ClassFactory::ClassFactory(LibraryDescriptor &library, const ClassInfo &info)
    : m_library(library), m_info(info)
{ }

std::shared_ptr<UserControl> ClassFactory::createInstance()
{
    std::unique_ptr<UserControl> instance = m_info.create();
    instance->setLibraryUses(&m_library.m_handedOut);
    std::atomic<int> &instances = m_library.m_instances;
    ++instances;
    return std::shared_ptr<UserControl>(instance.release(), [&instances](UserControl *control) {
        delete control;
        --instances;
    });
}

void ClassFactory::lockServer(bool lock)
{
    if (lock)
        ++m_library.m_locks;
    else if (m_library.m_locks > 0)
        --m_library.m_locks;
}

LibraryDescriptor::LibraryDescriptor(LibraryInfo info) : m_info(std::move(info))
{
    for (const ClassInfo &classInfo : m_info.classes)
        m_factories.push_back(std::make_unique<ClassFactory>(*this, classInfo));
}

QString LibraryDescriptor::libraryPath() const
{
    Dl_info where {};
    if (dladdr(static_cast<const void *>(this), &where) == 0 || !where.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(where.dli_fname)).absoluteFilePath();
}

int32_t LibraryDescriptor::registerServer() const
{
    try {
        Registry::forUser().registerLibrary(m_info, libraryPath());
        return HResult::Ok;
    } catch (const RuntimeError &error) {
        setErrorInfo(error);
        return HResult::SelfRegClass;
    }
}

int32_t LibraryDescriptor::unregisterServer() const
{
    try {
        Registry::forUser().unregisterLibrary(m_info);
        return HResult::Ok;
    } catch (const RuntimeError &error) {
        setErrorInfo(error);
        return HResult::SelfRegClass;
    }
}

int32_t LibraryDescriptor::getClassObject(const Guid *classId, ClassFactory **factory)
{
    if (!classId || !factory)
        return HResult::InvalidPointer;
    *factory = nullptr;
    for (const auto &candidate : m_factories) {
        if (candidate->classInfo().id == *classId) {
            *factory = candidate.get();
            return HResult::Ok;
        }
    }
    return HResult::ClassNotAvailable;
}

int32_t LibraryDescriptor::canUnloadNow() const
{
    return m_instances == 0 && m_locks == 0 && m_handedOut == 0 ? HResult::Ok : HResult::False;
}

} // namespace platform
