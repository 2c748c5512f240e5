// quill-regsvr: registers and unregisters control libraries in the user's registry, lists the
// registered classes, the user's and the machine-wide ones, prints a library's type library, and
// writes the machine-wide registration file an installation puts beside its libraries.
#include "../Hosting/ComponentHost.h"
#include "../Hosting/Registry.h"
#include "../Hosting/ServerRegistration.h"
#include "../Value/RuntimeError.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace platform;

namespace {

int usage(QTextStream &err)
{
    err << "usage: quill-regsvr LIBRARY         register the library's classes\n"
           "       quill-regsvr -u LIBRARY      unregister them\n"
           "       quill-regsvr --list          list the registered classes\n"
           "       quill-regsvr --typelib LIBRARY  print the library's type library\n"
           "       quill-regsvr --machine-file LIBRARY FILE LIBRARY_FROM_PREFIX PREFIX_FROM_FILE\n"
           "                                    write the library's machine-wide registration\n"
           "                                    file, naming it by its path in the installation\n";
    return 2;
}

void listClasses(QTextStream &out)
{
    const Registry registry = Registry::forUser();
    // Read before anything is printed: a registry that does not read fails the listing whole.
    const std::vector<Registry::ClassEntry> classes = registry.classes();
    out << "user registry: " << registry.path() << '\n';
    for (const QString &file : registry.machineFilePaths())
        out << "machine-wide: " << file << '\n';
    for (const Registry::ClassEntry &entry : classes) {
        out << entry.id.toString() << "  " << entry.progId << "  " << entry.library << "  0x"
            << QStringLiteral("%1").arg(entry.miscStatus, 8, 16, QChar(u'0')) << "  "
            << (entry.machineWide ? "machine-wide " : "user ") << entry.source << '\n';
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    const QStringList args = app.arguments().mid(1);
    try {
        if (args == QStringList {QStringLiteral("--list")}) {
            listClasses(out);
        } else if (args.size() == 2 && args[0] == u"-u") {
            unregisterLibraryFile(args[1]);
            out << "unregistered " << args[1] << '\n';
        } else if (args.size() == 2 && args[0] == u"--typelib") {
            ComponentHost host(Registry::forUser());
            out << typeLibraryText(host.libraryDescriptor(args[1]).info());
        } else if (args.size() == 5 && args[0] == u"--machine-file") {
            ComponentHost host {Registry {QString()}};
            Registry::writeMachineFile(
                args[2], host.libraryDescriptor(args[1]).info(), args[3], args[4]);
        } else if (args.size() == 1 && !args[0].startsWith(u'-')) {
            registerLibraryFile(args[0]);
            out << "registered " << args[0] << " in " << Registry::userPath() << '\n';
        } else {
            return usage(err);
        }
    } catch (const RuntimeError &e) {
        err << "quill-regsvr: " << e.text() << " (error " << e.number() << ")\n";
        return 1;
    }
    return 0;
}
