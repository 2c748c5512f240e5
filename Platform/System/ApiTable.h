#pragma once

#include "../QuillPlatformExport.h"

#include <QString>
#include <cstdint>
#include <typeindex>
#include <typeinfo>

namespace platform {

/// The operating-system functions a declaration can bind to, by library and name. Library names
/// compare case-insensitively and may carry ".dll"; function names are exact, as entry points
/// are. The user32 and gdi32 stand-ins are in the table from the start. Tests hide a name to play
/// a system that lacks it; every change bumps the generation, so bound declarations look again.
class QUILL_PLATFORM_EXPORT ApiTable
{
public:
    using Function = void (*)();

    /// Adds or replaces a function under its signature.
    template<class R, class... A>
    static void add(const QString &library, const QString &name, R (*function)(A...))
    {
        addFunction(library, name, reinterpret_cast<Function>(function), typeid(R(A...)));
    }

    /// Takes a name out of sight until it is shown again (also a name not added yet).
    static void hide(const QString &library, const QString &name);
    static void show(const QString &library, const QString &name);
    /// True when the name is there and not hidden.
    static bool contains(const QString &library, const QString &name);

    /// Counts every change to the table.
    static uint64_t generation();

    /// The function of that name declared with that signature; raises Can't find DLL entry point
    /// (naming function and library) when the name is missing or hidden or the signature differs.
    static Function resolve(
        const QString &library, const QString &name, const std::type_info &signature);

private:
    static void addFunction(
        const QString &library, const QString &name, Function function, std::type_index signature);
};

} // namespace platform
