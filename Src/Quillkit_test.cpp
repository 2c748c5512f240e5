#include "HighDensityTestSupport.h"

#include <Quillkit/Hosting/ComponentHost.h>
#include <Quillkit/Hosting/Registry.h>
#include <Quillkit/Hosting/ServerRegistration.h>
#include <Quillkit/TestSupport/TestEnvironment.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace platform;

namespace {

const QString ModulePath = QStringLiteral(QUILLKIT_MODULE);

class QuillkitLibrary : public testing::Test
{
protected:
    test::IsolatedUserFolders folders;
    ComponentHost host;
    const LibraryInfo &info() { return host.libraryDescriptor(ModulePath).info(); }
};

TEST_F(QuillkitLibrary, CarriesItsIdentity)
{
    const LibraryInfo &library = info();
    EXPECT_EQ(library.id.toString(), "{1FD325B1-9FE0-409A-A915-CA924973664C}");
    EXPECT_EQ(library.name, "Quillkit");
    EXPECT_EQ(library.helpString, "Quillkit");
    EXPECT_EQ(library.majorVersion, 4);
    EXPECT_EQ(library.minorVersion, 0);
    EXPECT_EQ(library.locale, 0x0409u);
    EXPECT_TRUE(library.flags & LibFlagControl);
    EXPECT_EQ(library.version.fileDescription, "Quillkit components");
    EXPECT_EQ(library.version.productName, "Quillkit");
    EXPECT_EQ(library.version.internalName, "Quillkit");
    EXPECT_EQ(library.version.originalFilename, "Quillkit.ocx");
    EXPECT_EQ(library.version.fileVersion, "1.00.0001");
    EXPECT_EQ(library.version.productVersion, "1.00.0001");
    EXPECT_EQ(library.version.language, 0x040A);
    EXPECT_EQ(library.version.codePage, 0x04B0);
    EXPECT_TRUE(library.version.selfRegister);
}

TEST_F(QuillkitLibrary, DeclaresTheStyleEnumeration)
{
    ASSERT_EQ(info().enums.size(), 1u);
    const EnumInfo &style = info().enums[0];
    EXPECT_EQ(style.name, "style");
    ASSERT_EQ(style.constants.size(), 2u);
    EXPECT_EQ(style.constants[0].name, "INPUT_STANDARD");
    EXPECT_EQ(style.constants[0].value, 0);
    EXPECT_EQ(style.constants[0].helpString, "INPUT_STANDARD");
    EXPECT_EQ(style.constants[1].name, "INPUT_CURRENCY");
    EXPECT_EQ(style.constants[1].value, 1);
}

TEST_F(QuillkitLibrary, HoldsFourToolboxBitmapsOf16By15At24Bits)
{
    for (int id : {30000, 30001, 30002, 30003}) {
        ASSERT_TRUE(info().bitmaps.count(id)) << id;
        const QImage &bitmap = info().bitmaps.at(id);
        EXPECT_EQ(bitmap.size(), QSize(16, 15)) << id;
        EXPECT_EQ(bitmap.depth(), 24) << id;
        // Framed in black, drawn inside.
        EXPECT_EQ(bitmap.pixel(0, 0), qRgb(0, 0, 0)) << id;
        EXPECT_NE(bitmap.pixel(2, 1), qRgb(0, 0, 0)) << id;
    }
}

// Hosts keep the 1x bitmaps as resources: their pixels never change.
TEST_F(QuillkitLibrary, KeepsThePixelsOfItsToolboxBitmaps)
{
    const std::map<int, QByteArray> digests = {
        {30000, "6c175e14bc4a72a8"},
        {30001, "f94a8c1b6831769c"},
        {30002, "b0683dcff5d81ef9"},
        {30003, "86da1f58b2b7f851"},
    };
    for (const auto &[id, digest] : digests) {
        const QImage &bitmap = info().bitmaps.at(id);
        QCryptographicHash hash(QCryptographicHash::Sha1);
        for (int y = 0; y < bitmap.height(); ++y)
            hash.addData(QByteArrayView(bitmap.constScanLine(y), bitmap.width() * 3));
        EXPECT_EQ(hash.result().toHex().left(16), digest) << id;
    }
}

TEST_F(QuillkitLibrary, DrawsEachToolboxBitmapAgainAtTwiceTheDensity)
{
    for (int id : {30000, 30001, 30002, 30003}) {
        ASSERT_TRUE(info().bitmapsAt2x.count(id)) << id;
        const QImage &sharp = info().bitmapsAt2x.at(id);
        const QImage &bitmap = info().bitmaps.at(id);
        EXPECT_EQ(sharp.size(), QSize(32, 30)) << id;
        EXPECT_EQ(sharp.depth(), 24) << id;
        EXPECT_EQ(sharp.devicePixelRatio(), 2.0) << id;
        EXPECT_GE(quillkit::test::hardEdgesWithinOnePixel(sharp), 4) << id;
        EXPECT_GE(quillkit::test::agreementWith1x(sharp, bitmap), 0.7) << id;
    }
}

TEST_F(QuillkitLibrary, GivesEachToolboxBitmapAsAnIconForEveryDensity)
{
    for (int id : {30000, 30001, 30002, 30003}) {
        const QIcon icon = info().toolboxIcon(id);
        ASSERT_FALSE(icon.isNull()) << id;
        const QImage at1x = icon.pixmap(QSize(16, 15), 1.0).toImage();
        EXPECT_EQ(at1x.convertToFormat(QImage::Format_RGB888), info().bitmaps.at(id)) << id;
        const QImage at2x = icon.pixmap(QSize(16, 15), 2.0).toImage();
        EXPECT_EQ(at2x.size(), QSize(32, 30)) << id;
        EXPECT_EQ(at2x.convertToFormat(QImage::Format_RGB888), info().bitmapsAt2x.at(id)) << id;
    }
    EXPECT_TRUE(info().toolboxIcon(29999).isNull());
}

TEST_F(QuillkitLibrary, RegistersThroughTheToolAndPrintsItsTypeLibrary)
{
    QProcess tool;
    tool.start(QStringLiteral(QUILL_REGSVR), {ModulePath});
    ASSERT_TRUE(tool.waitForFinished());
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    EXPECT_TRUE(Registry::forUser().findTypeLibrary(info().id));

    tool.start(QStringLiteral(QUILL_REGSVR), {"--typelib", ModulePath});
    ASSERT_TRUE(tool.waitForFinished());
    EXPECT_EQ(tool.exitCode(), 0);
    const QString text = QString::fromUtf8(tool.readAllStandardOutput());
    for (const char *expected : {"library Quillkit", "version(4.0)", "lcid(0x0409)",
             "helpstring(\"Quillkit\")", "control", "Quillkit.ocx", "INPUT_STANDARD = 0",
             "INPUT_CURRENCY = 1", "} style;", "OLESelfRegister"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                << text.toStdString();

    tool.start(QStringLiteral(QUILL_REGSVR), {"-u", ModulePath});
    ASSERT_TRUE(tool.waitForFinished());
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_FALSE(Registry::forUser().findTypeLibrary(info().id));
}

TEST_F(QuillkitLibrary, ToolFailsClearlyOnBadInput)
{
    struct Case
    {
        QStringList args;
        int exitCode;
        const char *message;
    };
    const Case cases[] = {
        {{}, 2, "usage"},
        {{"--bogus"}, 2, "usage"},
        {{"/no/such/library.so"}, 1, "File not found: /no/such/library.so"},
        {{"--typelib", "/no/such/library.so"}, 1, "error 53"},
        {{"-u", QStringLiteral(QUILL_REGSVR)}, 1, "error 48"},
    };
    for (const Case &c : cases) {
        QProcess tool;
        tool.start(QStringLiteral(QUILL_REGSVR), c.args);
        ASSERT_TRUE(tool.waitForFinished());
        EXPECT_EQ(tool.exitCode(), c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(
            QString::fromUtf8(tool.readAllStandardError()).contains(QString::fromUtf8(c.message)))
            << c.args.join(' ').toStdString();
    }
}

// A registry cut short, that held another library's class: the tool neither writes over it nor
// lists it as empty, and says which file is damaged.
TEST_F(QuillkitLibrary, ToolRefusesARegistryThatDoesNotRead)
{
    const QByteArray intact = R"({
    "classes": {
        "{00000000-0000-0000-0000-0000000000AA}": {
            "inprocServer": "/opt/other/other.so",
            "progId": "Other.Thing"
        }
    },
    "progIds": {
        "Other.Thing": "{00000000-0000-0000-0000-0000000000AA}"
    }
}
)";
    const QByteArray truncated = intact.left(intact.indexOf("\"progIds\""));
    QFile file(Registry::userPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(truncated);
    file.close();

    for (const QStringList &args :
        {QStringList {ModulePath}, QStringList {"-u", ModulePath}, QStringList {"--list"}}) {
        QProcess tool;
        tool.start(QStringLiteral(QUILL_REGSVR), args);
        ASSERT_TRUE(tool.waitForFinished());
        const QString err = QString::fromUtf8(tool.readAllStandardError());
        EXPECT_EQ(tool.exitCode(), 1) << args.join(' ').toStdString();
        EXPECT_TRUE(err.contains(Registry::userPath())) << err.toStdString();
        EXPECT_TRUE(err.contains("error 321")) << err.toStdString();
        EXPECT_FALSE(tool.readAllStandardOutput().contains("{00000000"))
            << args.join(' ').toStdString();
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), truncated) << args.join(' ').toStdString();
        file.close();
    }
}

TEST_F(QuillkitLibrary, ToolWritesTheMachineWideFileAndListsEachEntryWithItsSource)
{
    const QString classes = QDir(folders.machineDataDir()).filePath("quill/classes");
    ASSERT_TRUE(QDir().mkpath(classes));
    const QString machineFile = classes + "/Quillkit.json";
    QProcess tool;
    tool.start(QStringLiteral(QUILL_REGSVR),
        {"--machine-file", ModulePath, machineFile, "lib/quill/controls/Quillkit.so", "../../.."});
    ASSERT_TRUE(tool.waitForFinished());
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();

    // Another library registered for the user only.
    LibraryInfo other;
    other.id = Guid::createRandom();
    ClassInfo thing;
    thing.id = Guid::createRandom();
    thing.progId = "Other.Thing";
    other.classes.push_back(thing);
    Registry::forUser().registerLibrary(other, "/opt/other/other.so");

    tool.start(QStringLiteral(QUILL_REGSVR), {"--list"});
    ASSERT_TRUE(tool.waitForFinished());
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QStringList lines = QString::fromUtf8(tool.readAllStandardOutput()).split('\n');
    const auto lineOf = [&](const QString &progId) {
        for (const QString &line : lines) {
            if (line.contains("  " + progId + "  "))
                return line;
        }
        return QString();
    };
    const QString installed
        = QDir::cleanPath(folders.machineDataDir() + "/../lib/quill/controls/Quillkit.so");
    for (const char *progId : {"Quillkit.QuillComboBox", "Quillkit.QuillInputBox",
             "Quillkit.QuillForm", "Quillkit.QuillPictureBox"}) {
        const QString line = lineOf(progId);
        EXPECT_TRUE(line.contains(installed + "  ")) << progId << ": " << line.toStdString();
        EXPECT_TRUE(line.endsWith("machine-wide " + machineFile)) << line.toStdString();
    }
    EXPECT_TRUE(lineOf("Other.Thing").endsWith("user " + Registry::userPath()))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("machine-wide: " + machineFile)) << lines.join('\n').toStdString();
}

} // namespace
