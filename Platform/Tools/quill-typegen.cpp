// quill-typegen: writes C++ code from a control library's type library, at build time, so that
// hosts take the library's ids from the library itself.
#include "GeneratedFile.h"
#include "IdsHeader.h"

#include "../Hosting/ComponentHost.h"
#include "../Value/RuntimeError.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace platform;

namespace {

int usage(QTextStream &err)
{
    err << "usage: quill-typegen --ids LIBRARY OUTPUT.h\n"
           "  writes the member, event and enumeration ids of the library's classes as a C++\n"
           "  header; an OUTPUT.h that already holds the same text is left untouched\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 3 || args[0] != u"--ids")
        return usage(err);
    try {
        // The type library is read from the file itself; the registry is never consulted.
        ComponentHost host;
        const QByteArray text = typegen::idsHeaderText(host.libraryDescriptor(args[1]).info());
        typegen::writeIfChanged(args[2], text);
    } catch (const RuntimeError &e) {
        err << "quill-typegen: " << e.text() << " (error " << e.number() << ")\n";
        return 1;
    }
    return 0;
}
