// quill-typegen: writes C++ code from a control library's type library, at build time, so that
// hosts take the library's ids from the library itself.
#include "GeneratedFile.h"
#include "IdsHeader.h"
#include "ReferencePages.h"
#include "WidgetCode.h"

#include "../Hosting/ComponentHost.h"
#include "../Value/RuntimeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>
#include <QTextStream>

using namespace platform;

namespace {

int usage(QTextStream &err)
{
    err << "usage: quill-typegen --ids LIBRARY OUTPUT.h\n"
           "  writes the member, event and enumeration ids of the library's classes as a C++\n"
           "  header; an OUTPUT.h that already holds the same text is left untouched\n"
           "       quill-typegen --widgets LIBRARY OUTDIR [CLASS...]\n"
           "  writes a typed QWidget class per creatable class (<Class>Widget.h and .cpp) and\n"
           "  <Library>Widgets.h into OUTDIR, each only when its text changed; the CLASSes, when\n"
           "  given, must be exactly the library's creatable classes, as the build expects them\n"
           "       quill-typegen --docs LIBRARY OUTDIR\n"
           "  writes the library's reference into OUTDIR: index.html and a page per creatable\n"
           "  class, showing the PNG pictures of OUTDIR/pictures named after the class\n";
    return 2;
}

// Writes the widget files; the build names the files it compiles beforehand, so a class it
// does not expect, or one it expects and the library lacks, stops it here.
void writeWidgets(const LibraryInfo &library, const QString &folder, const QStringList &expected)
{
    const auto files = typegen::widgetFiles(library);
    if (!expected.isEmpty()) {
        QSet<QString> written;
        for (const auto &file : files) {
            if (file.fileName.endsWith(u".cpp"))
                written << file.fileName.chopped(int(qstrlen("Widget.cpp")));
        }
        const QSet<QString> wanted(expected.begin(), expected.end());
        if (written != wanted) {
            QStringList unexpected = (written - wanted).values();
            QStringList missing = (wanted - written).values();
            unexpected.sort();
            missing.sort();
            throw RuntimeError(ErrorNumber::InvalidFileFormat,
                QStringLiteral("the classes of %1 are not those expected: not expected %2; "
                               "expected but missing %3")
                    .arg(library.name, unexpected.join(u' '), missing.join(u' ')));
        }
    }
    for (const auto &file : files)
        typegen::writeIfChanged(QDir(folder).filePath(file.fileName), file.text);
}

void writeReference(const LibraryInfo &library, const QString &folder)
{
    const QString pictureFolder = QStringLiteral("pictures");
    const QStringList pictures = QDir(QDir(folder).filePath(pictureFolder))
                                     .entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    for (const auto &page : typegen::referencePages(library, pictures, pictureFolder))
        typegen::writeIfChanged(QDir(folder).filePath(page.fileName), page.text);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    const bool ids = args.size() == 3 && args[0] == u"--ids";
    const bool widgets = args.size() >= 3 && args[0] == u"--widgets";
    const bool docs = args.size() == 3 && args[0] == u"--docs";
    if (!ids && !widgets && !docs)
        return usage(err);
    try {
        // The type library is read from the file itself; the registry is never consulted.
        ComponentHost host;
        const LibraryInfo &library = host.libraryDescriptor(args[1]).info();
        if (ids)
            typegen::writeIfChanged(args[2], typegen::idsHeaderText(library));
        else if (docs)
            writeReference(library, args[2]);
        else
            writeWidgets(library, args[2], args.mid(3));
    } catch (const RuntimeError &e) {
        err << "quill-typegen: " << e.text() << " (error " << e.number() << ")\n";
        return 1;
    }
    return 0;
}
