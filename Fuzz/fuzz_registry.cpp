// The registry file: whatever it holds, every look-up returns or raises a runtime error, each
// class listed is found again by its id, and registering a library into it and unregistering it
// again gives back exactly what was registered and leaves every other class as it was. Class ids
// read from it, and the input itself taken as a class id, print and parse back to themselves.
#include "FuzzApplication.h"

#include <Quillkit/Hosting/Registry.h>
#include <Quillkit/Value/RuntimeError.h>

#include <QCoreApplication>
#include <QFile>
#include <cstdlib>

using platform::Guid;
using platform::Registry;

namespace {

FuzzApplication *application;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool sameClass(const Registry::ClassEntry &a, const Registry::ClassEntry &b)
{
    return a.id == b.id && a.name == b.name && a.progId == b.progId && a.library == b.library
        && a.threadingModel == b.threadingModel && a.control == b.control
        && a.toolboxBitmap == b.toolboxBitmap && a.typeLibrary == b.typeLibrary
        && a.typeLibraryVersion == b.typeLibraryVersion && a.miscStatus == b.miscStatus;
}

// A printed id parses back to the same id and prints the same.
void checkGuidRoundTrip(const Guid &id)
{
    const QString text = id.toString();
    const auto again = Guid::parse(text);
    check(again && *again == id && again->toString() == text);
}

void checkGuidText(const QString &text)
{
    const auto id = Guid::parse(text);
    if (!id)
        return;
    checkGuidRoundTrip(*id);
    // Parsing accepts either case and nothing else, so the text is the id in upper case.
    check(id->toString() == text.toUpper());
}

platform::LibraryInfo fuzzLibrary()
{
    platform::LibraryInfo library;
    library.id = Guid::fromString("{0F1E2D3C-4B5A-4968-8776-A5B4C3D2E1F0}");
    library.name = QStringLiteral("FuzzLib");
    library.helpString = QStringLiteral("Registered by the registry fuzz target");
    library.majorVersion = 2;
    library.minorVersion = 7;
    library.locale = 0x0C0A;
    library.flags = 2;
    for (int i = 0; i < 2; ++i) {
        platform::ClassInfo info;
        info.id = Guid::fromString(i == 0 ? "{11111111-2222-4333-8444-555555555555}"
                                          : "{AAAAAAAA-BBBB-4CCC-8DDD-EEEEEEEEEEEE}");
        info.name = QStringLiteral("FuzzControl%1").arg(i);
        info.progId = QStringLiteral("FuzzLib.FuzzControl%1").arg(i);
        info.miscStatus = 0x20000u * (i + 1);
        info.toolboxBitmapId = 100 + i;
        library.classes.push_back(std::move(info));
    }
    return library;
}

// The classes of the registry other than the library's, in the registry's order.
std::vector<Registry::ClassEntry> othersThan(
    const std::vector<Registry::ClassEntry> &all, const platform::LibraryInfo &library)
{
    std::vector<Registry::ClassEntry> others;
    for (const auto &entry : all) {
        if (!library.findClass(entry.id))
            others.push_back(entry);
    }
    return others;
}

bool sameClasses(
    const std::vector<Registry::ClassEntry> &a, const std::vector<Registry::ClassEntry> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (!sameClass(a[i], b[i]))
            return false;
    }
    return true;
}

void readEverything(const Registry &registry)
{
    for (const auto &entry : registry.classes()) {
        checkGuidRoundTrip(entry.id);
        const auto found = registry.findClass(entry.id);
        check(found && sameClass(*found, entry));
        if (!entry.progId.isEmpty()) {
            if (const auto id = registry.findProgId(entry.progId))
                checkGuidRoundTrip(*id);
        }
        if (!entry.typeLibrary.isNull())
            registry.findTypeLibrary(entry.typeLibrary);
    }
}

void registerAndUnregister(const Registry &registry)
{
    const platform::LibraryInfo library = fuzzLibrary();
    const QString server = QStringLiteral("/opt/fuzz/libFuzzLib.so");
    const auto before = othersThan(registry.classes(), library);
    Registry writable = registry;
    writable.registerLibrary(library, server);

    for (const platform::ClassInfo &info : library.classes) {
        const auto found = registry.findClass(info.id);
        check(found && found->name == info.name && found->progId == info.progId
            && found->library == server && found->control && found->typeLibrary == library.id
            && found->typeLibraryVersion == QStringLiteral("2.7")
            && found->miscStatus == info.miscStatus
            && found->toolboxBitmap
                == QStringLiteral("%1, %2").arg(server).arg(info.toolboxBitmapId));
        check(registry.findProgId(info.progId) == info.id);
        check(registry.findProgId(info.progId.toUpper()) == info.id);
    }
    const auto typeLibrary = registry.findTypeLibrary(library.id);
    check(typeLibrary && typeLibrary->name == library.name
        && typeLibrary->helpString == library.helpString && typeLibrary->library == server
        && typeLibrary->locale == library.locale && typeLibrary->flags == library.flags);
    check(sameClasses(othersThan(registry.classes(), library), before));
    readEverything(registry);

    writable.unregisterLibrary(library);
    for (const platform::ClassInfo &info : library.classes)
        check(!registry.findClass(info.id));
    check(!registry.findTypeLibrary(library.id));
    check(sameClasses(othersThan(registry.classes(), library), before));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    application = new FuzzApplication;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    checkGuidText(QString::fromUtf8(bytes).trimmed());

    const QString path = application->registryFile();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(bytes) != bytes.size())
            std::abort();
    }
    const Registry registry(path);
    try {
        readEverything(registry);
        registerAndUnregister(registry);
    } catch (const platform::RuntimeError &) {
        // A registry that cannot be read or written is refused with an error; that is all.
    }
    return 0;
}
