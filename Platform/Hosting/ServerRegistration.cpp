#include "ServerRegistration.h"

#include "ErrorInfo.h"
#include "LibraryDescriptor.h"

#include "../Value/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>

namespace platform {

namespace {

void runEntryPoint(const QString &libraryPath, const char *entryPoint)
{
    const QString path = QFileInfo(libraryPath).absoluteFilePath();
    if (!QFileInfo::exists(path))
        throw RuntimeError(ErrorNumber::FileNotFound, path);
    void *handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        throw RuntimeError(ErrorNumber::ErrorInLoadingDll,
            QStringLiteral("%1 (%2)").arg(path, QString::fromLocal8Bit(dlerror())));
    }
    const auto function = reinterpret_cast<DllRegisterServerFunction>(dlsym(handle, entryPoint));
    const auto canUnload
        = reinterpret_cast<DllCanUnloadNowFunction>(dlsym(handle, "DllCanUnloadNow"));
    takeErrorInfo(); // an error left by an earlier call is not this call's
    const int32_t result = function ? function() : HResult::Ok;
    if (!canUnload || canUnload() == HResult::Ok)
        dlclose(handle);
    if (!function) {
        throw RuntimeError(ErrorNumber::CantFindDllEntryPoint,
            QStringLiteral("%1 in %2").arg(QString::fromLatin1(entryPoint), path));
    }
    if (result != HResult::Ok) {
        if (std::optional<RuntimeError> cause = takeErrorInfo())
            throw *cause;
        throw RuntimeError(ErrorNumber::PathFileAccessError,
            QStringLiteral("%1 of %2 failed (0x%3)")
                .arg(QString::fromLatin1(entryPoint), path)
                .arg(static_cast<uint32_t>(result), 8, 16, QChar(u'0')));
    }
}

} // namespace

void registerLibraryFile(const QString &libraryPath)
{
    runEntryPoint(libraryPath, "DllRegisterServer");
}

void unregisterLibraryFile(const QString &libraryPath)
{
    runEntryPoint(libraryPath, "DllUnregisterServer");
}

} // namespace platform
