#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/TypeInfo.h"
#include "UserControl.h"

#include <atomic>
#include <memory>
#include <vector>

namespace platform {

/// Result codes of a library's entry points.
namespace HResult {
///@{
/// Success, and success with a no.
constexpr int32_t Ok = 0;
constexpr int32_t False = 1;
///@}
///@{
/// A null out-pointer; a class the library does not have.
constexpr int32_t InvalidPointer = static_cast<int32_t>(0x80004003u);
constexpr int32_t ClassNotAvailable = static_cast<int32_t>(0x80040111u);
///@}
///@{
/// Registration failed for the type library, for a class.
constexpr int32_t SelfRegTypeLibrary = static_cast<int32_t>(0x80040200u);
constexpr int32_t SelfRegClass = static_cast<int32_t>(0x80040201u);
///@}
} // namespace HResult

class LibraryDescriptor;

/// Makes the instances of one class and keeps its library's count of live instances.
class QUILL_PLATFORM_EXPORT ClassFactory
{
public:
    /// The factory of the class `info` of `library`.
    ClassFactory(LibraryDescriptor &library, const ClassInfo &info);

    /// The class it makes.
    const ClassInfo &classInfo() const { return m_info; }
    /// A new instance; the library counts it until its last reference goes.
    std::shared_ptr<UserControl> createInstance();
    /// Keeps the library loaded while a host holds the factory for later use.
    void lockServer(bool lock);

private:
    LibraryDescriptor &m_library;
    const ClassInfo &m_info;
};

/// The static description of a control library: its type library, classes and resources. The
/// library's exported entry points are one-line forwards to the operations here.
class QUILL_PLATFORM_EXPORT LibraryDescriptor
{
public:
    /// The descriptor of the library `info` describes.
    explicit LibraryDescriptor(LibraryInfo info);

    /// The library's type library, classes and resources.
    const LibraryInfo &info() const { return m_info; }
    ///@{
    /// How many instances are alive, and how many locks are held.
    int instanceCount() const { return m_instances.load(); }
    int lockCount() const { return m_locks.load(); }
    ///@}
    /// Objects of the library's instances that hosts still hold (fonts, constituent controls).
    int handedOutCount() const { return m_handedOut.load(); }

    /// Registers every class and the type library in the user's registry, naming the file the
    /// descriptor lives in as the server.
    int32_t registerServer() const;
    /// Takes every class and the type library out of the user's registry.
    int32_t unregisterServer() const;
    /// The factory of a class, or ClassNotAvailable for a class the library does not have.
    int32_t getClassObject(const Guid *classId, ClassFactory **factory);
    /// Ok while no instance is alive, no object handed out is held and no lock is held, False
    /// otherwise.
    int32_t canUnloadNow() const;

    /// The file this descriptor was loaded from.
    QString libraryPath() const;

private:
    friend class ClassFactory;

    LibraryInfo m_info;
    std::vector<std::unique_ptr<ClassFactory>> m_factories;
    std::atomic<int> m_instances {0};
    std::atomic<int> m_locks {0};
    std::atomic<int> m_handedOut {0};
};

} // namespace platform

// The exported entry points of a control library, as hosts find them by name.
#define QUILL_LIBRARY_EXPORT extern "C" __attribute__((visibility("default")))

// Defines all five entry points of a control library over its descriptor, an expression of
// type platform::LibraryDescriptor &.
#define QUILL_LIBRARY_ENTRY_POINTS(descriptor)                                                     \
    QUILL_LIBRARY_EXPORT int32_t DllRegisterServer()                                               \
    {                                                                                              \
        return (descriptor).registerServer();                                                      \
    }                                                                                              \
    QUILL_LIBRARY_EXPORT int32_t DllUnregisterServer()                                             \
    {                                                                                              \
        return (descriptor).unregisterServer();                                                    \
    }                                                                                              \
    QUILL_LIBRARY_EXPORT int32_t DllGetClassObject(                                                \
        const platform::Guid *id, platform::ClassFactory **factory)                                \
    {                                                                                              \
        return (descriptor).getClassObject(id, factory);                                           \
    }                                                                                              \
    QUILL_LIBRARY_EXPORT int32_t DllCanUnloadNow()                                                 \
    {                                                                                              \
        return (descriptor).canUnloadNow();                                                        \
    }                                                                                              \
    QUILL_LIBRARY_EXPORT const platform::LibraryDescriptor *QuillTypeLibrary()                     \
    {                                                                                              \
        return &(descriptor);                                                                      \
    }

extern "C" {
typedef int32_t (*DllRegisterServerFunction)();
typedef int32_t (*DllUnregisterServerFunction)();
typedef int32_t (*DllGetClassObjectFunction)(const platform::Guid *, platform::ClassFactory **);
typedef int32_t (*DllCanUnloadNowFunction)();
// The library's type library and resources, for tools that print or show them.
typedef const platform::LibraryDescriptor *(*QuillTypeLibraryFunction)();
}
