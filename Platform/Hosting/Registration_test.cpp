#include "../TestSupport/HostingTestSupport.h"
#include "ComponentHost.h"
#include "Registry.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace platform;
using namespace platform::test;

namespace {

class Registration : public testing::Test
{
protected:
    IsolatedUserFolders folders;
};

TEST_F(Registration, WritesEveryItemOfTheClassAndTheTypeLibrary)
{
    registerLibraryFile(TestModulePath);
    const Registry registry = Registry::forUser();
    const auto id = registry.findProgId(TestProgId);
    ASSERT_TRUE(id);
    EXPECT_EQ(id->toString(), TestClassId);
    const auto entry = registry.findClass(*id);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->progId, TestProgId);
    EXPECT_EQ(entry->library, QFileInfo(TestModulePath).absoluteFilePath());
    EXPECT_EQ(entry->threadingModel, "Apartment");
    EXPECT_TRUE(entry->control);
    EXPECT_EQ(entry->toolboxBitmap, entry->library + ", 100");
    EXPECT_EQ(entry->typeLibrary.toString(), "{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F01}");
    EXPECT_EQ(entry->typeLibraryVersion, "1.0");
    EXPECT_EQ(entry->miscStatus, 0x00020191u);
    const auto library = registry.findTypeLibrary(entry->typeLibrary);
    ASSERT_TRUE(library);
    EXPECT_EQ(library->name, "TestKit");
    EXPECT_EQ(library->flags, 2u);
}

TEST_F(Registration, UnregisteringRemovesExactlyWhatWasWritten)
{
    // Somebody else's class is registered too and must survive.
    const QString other = "{00000000-0000-0000-0000-0000000000AA}";
    QFile file(Registry::userPath());
    QDir().mkpath(QFileInfo(file).absolutePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(
        QJsonObject {
            {"classes", QJsonObject {{other, QJsonObject {{"progId", "Other.Thing"}}}}},
            {"progIds", QJsonObject {{"Other.Thing", other}}},
        })
                   .toJson());
    file.close();

    registerLibraryFile(TestModulePath);
    unregisterLibraryFile(TestModulePath);
    const Registry registry = Registry::forUser();
    EXPECT_FALSE(registry.findProgId(TestProgId));
    EXPECT_FALSE(registry.findClass(*Guid::parse(TestClassId)));
    EXPECT_FALSE(
        registry.findTypeLibrary(Guid::fromString("{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F01}")));
    EXPECT_EQ(registry.findProgId("Other.Thing")->toString(), other);
    ASSERT_EQ(registry.classes().size(), 1u);
}

// A registry as another library's registration left it, for the cases below to damage.
QByteArray registryOfAnotherLibrary()
{
    const QString other = "{00000000-0000-0000-0000-0000000000AA}";
    return QJsonDocument(
        QJsonObject {
            {"classes",
                QJsonObject {{other,
                    QJsonObject {{"progId", "Other.Thing"}, {"inprocServer", "/opt/other.so"}}}}},
            {"progIds", QJsonObject {{"Other.Thing", other}}},
        })
        .toJson();
}

void writeRegistry(const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(Registry::userPath()).absolutePath());
    QFile file(Registry::userPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray registryBytes()
{
    QFile file(Registry::userPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

struct Damage
{
    const char *name;
    QByteArray bytes; // empty: a folder in the file's place
    int32_t number;
    const char *what;
};

const QByteArray Intact = registryOfAnotherLibrary();
const Damage Damages[] = {
    {"truncated", Intact.left(Intact.size() / 2), 321, "line"},
    {"empty", " \n", 321, "empty"},
    {"not an object", "[1, 2]", 321, "top level"},
    {"classes not an object", R"({"classes": ["x"]})", 321, "\"classes\""},
    {"ProgIDs not an object", R"({"progIds": "Other.Thing"})", 321, "\"progIds\""},
    {"type libraries not an object", R"({"typeLibraries": 5})", 321, "\"typeLibraries\""},
    {"a folder", {}, 75, "registry.json"},
};

// Writing over a registry that does not read would drop what it holds of other libraries:
// registering and unregistering refuse, name the file and leave it as it is.
TEST_F(Registration, ARegistryThatDoesNotReadIsNeverWrittenOver)
{
    for (const Damage &d : Damages) {
        IsolatedUserFolders own;
        if (d.bytes.isEmpty())
            ASSERT_TRUE(QDir().mkpath(Registry::userPath()));
        else
            writeRegistry(d.bytes);
        for (const auto &call : {registerLibraryFile, unregisterLibraryFile}) {
            const RaisedError error = errorOf([&] { call(TestModulePath); });
            EXPECT_EQ(error.number, d.number) << d.name << ": " << error.text.toStdString();
            EXPECT_TRUE(error.text.contains(Registry::userPath()))
                << d.name << ": " << error.text.toStdString();
            EXPECT_TRUE(error.text.contains(d.what)) << d.name << ": " << error.text.toStdString();
        }
        if (d.bytes.isEmpty())
            EXPECT_TRUE(QFileInfo(Registry::userPath()).isDir()) << d.name;
        else
            EXPECT_EQ(registryBytes(), d.bytes) << d.name;
    }
}

// A look-up in a registry that does not read says so, instead of "not registered".
TEST_F(Registration, ALookUpInARegistryThatDoesNotReadSaysWhatIsWrong)
{
    for (const Damage &d : Damages) {
        IsolatedUserFolders own;
        if (d.bytes.isEmpty())
            ASSERT_TRUE(QDir().mkpath(Registry::userPath()));
        else
            writeRegistry(d.bytes);
        const Registry registry = Registry::forUser();
        ComponentHost host;
        const Guid other = *Guid::parse("{00000000-0000-0000-0000-0000000000AA}");
        const std::pair<const char *, std::function<void()>> lookUps[] = {
            {"create by ProgID", [&] { host.create("Other.Thing"); }},
            {"create by class id", [&] { host.create(other.toString()); }},
            {"class", [&] { registry.findClass(other); }},
            {"ProgID", [&] { registry.findProgId("Other.Thing"); }},
            {"type library", [&] { registry.findTypeLibrary(other); }},
            {"classes", [&] { registry.classes(); }},
        };
        for (const auto &[what, lookUp] : lookUps) {
            const RaisedError error = errorOf(lookUp);
            EXPECT_EQ(error.number, d.number) << d.name << ", " << what;
            EXPECT_TRUE(error.text.contains(Registry::userPath()))
                << d.name << ", " << what << ": " << error.text.toStdString();
        }
    }
}

// An entry whose fields do not have their types is reported as malformed, naming the entry and
// the field, not as a missing file or an unregistered class.
TEST_F(Registration, AMalformedEntryIsReportedAsSuch)
{
    const QString id = "{00000000-0000-0000-0000-0000000000AA}";
    struct Case
    {
        const char *name;
        QJsonValue classEntry;
        QJsonValue progIdValue;
        const char *what;
    };
    const Case cases[] = {
        {"server not a text", QJsonObject {{"inprocServer", 42}}, id, "\"inprocServer\""},
        {"server null", QJsonObject {{"inprocServer", QJsonValue::Null}}, id, "\"inprocServer\""},
        {"no server", QJsonObject {{"progId", "Other.Thing"}}, id, "\"inprocServer\""},
        {"class not an object", QJsonArray {"/opt/other.so"}, id, "not an object"},
        {"misc status not a number",
            QJsonObject {{"inprocServer", "/opt/other.so"}, {"miscStatus", "0x20191"}}, id,
            "\"miscStatus\""},
        {"type library not a class id",
            QJsonObject {{"inprocServer", "/opt/other.so"}, {"typeLibrary", "TestKit"}}, id,
            "\"typeLibrary\""},
        {"ProgID names no class id", QJsonObject {{"inprocServer", "/opt/other.so"}}, 7,
            "Other.Thing"},
    };
    for (const Case &c : cases) {
        writeRegistry(QJsonDocument(QJsonObject {
                                        {"classes", QJsonObject {{id, c.classEntry}}},
                                        {"progIds", QJsonObject {{"Other.Thing", c.progIdValue}}},
                                    })
                          .toJson());
        ComponentHost host;
        const RaisedError error = errorOf([&] { host.create("Other.Thing"); });
        EXPECT_EQ(error.number, 321) << c.name << ": " << error.text.toStdString();
        EXPECT_TRUE(error.text.contains(Registry::userPath())) << c.name;
        EXPECT_TRUE(error.text.contains(c.what)) << c.name << ": " << error.text.toStdString();
    }
}

// A registry edited by hand or written by another tool may spell an id in lower case and a
// ProgID in another case. Each still names one class: found, listed once, and replaced or removed
// whatever its spelling.
struct Spelling
{
    const char *name;
    QString classKey;
    QString libraryKey;
    QString progIdKey;
};

void PrintTo(const Spelling &spelling, std::ostream *out)
{
    *out << spelling.name;
}

class RegistrySpellings : public Registration, public testing::WithParamInterface<Spelling>
{
protected:
    static LibraryInfo library()
    {
        LibraryInfo info;
        info.id = Guid::fromString("{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F01}");
        info.name = "TestKit";
        ClassInfo control;
        control.id = *Guid::parse(TestClassId);
        control.name = "TestControl";
        control.progId = TestProgId;
        info.classes.push_back(control);
        return info;
    }
};

TEST_P(RegistrySpellings, EachIdAndProgIdNamesOneEntry)
{
    const Spelling &spelling = GetParam();
    const Guid id = *Guid::parse(TestClassId);
    QFile file(folders.registryFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(
        QJsonObject {
            {"classes",
                QJsonObject {{spelling.classKey,
                    QJsonObject {{"name", "Old"}, {"inprocServer", "/lib/libOld.so"}}}}},
            {"progIds", QJsonObject {{spelling.progIdKey, spelling.classKey}}},
            {"typeLibraries",
                QJsonObject {{spelling.libraryKey, QJsonObject {{"name", "OldKit"}}}}},
        })
                   .toJson());
    file.close();
    Registry registry(folders.registryFile());
    const LibraryInfo info = library();

    ASSERT_TRUE(registry.findClass(id));
    EXPECT_EQ(registry.findClass(id)->name, "Old");
    EXPECT_EQ(registry.classes().size(), 1u);
    ASSERT_TRUE(registry.findTypeLibrary(info.id));
    EXPECT_EQ(registry.findTypeLibrary(info.id)->name, "OldKit");

    registry.registerLibrary(info, "/lib/libTestKit.so");
    ASSERT_EQ(registry.classes().size(), 1u);
    EXPECT_EQ(registry.classes()[0].name, "TestControl");
    EXPECT_EQ(registry.findClass(id)->name, "TestControl");
    EXPECT_EQ(registry.findProgId(TestProgId), id);
    EXPECT_EQ(registry.findTypeLibrary(info.id)->name, "TestKit");

    registry.unregisterLibrary(info);
    EXPECT_FALSE(registry.findClass(id));
    EXPECT_TRUE(registry.classes().empty());
    EXPECT_FALSE(registry.findProgId(TestProgId));
    EXPECT_FALSE(registry.findTypeLibrary(info.id));
}

INSTANTIATE_TEST_SUITE_P(Keys, RegistrySpellings,
    testing::Values(
        Spelling {"upperCase", TestClassId, "{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F01}", TestProgId},
        Spelling {"lowerCaseIds", TestClassId.toLower(), "{5e1f3a10-0c4b-4d2e-9a61-3b7c0d8e1f01}",
            TestProgId},
        Spelling {"otherCaseProgId", TestClassId, "{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F01}",
            TestProgId.toUpper()},
        Spelling {"allOtherCase", TestClassId.toLower(), "{5e1f3a10-0c4b-4d2e-9a61-3b7c0d8e1f01}",
            TestProgId.toLower()}),
    [](const testing::TestParamInfo<Spelling> &info) { return std::string(info.param.name); });

TEST_F(Registration, HostCreatesByProgIdAndByClassId)
{
    registerLibraryFile(TestModulePath);
    ComponentHost host;
    for (const QString &name : {TestProgId, TestClassId, QStringLiteral("testkit.testcontrol")}) {
        const auto control = host.create(name);
        ASSERT_TRUE(control) << name.toStdString();
        EXPECT_EQ(control->className(), "TestControl");
    }
}

TEST_F(Registration, HostNamesWhatItCannotCreate)
{
    ComponentHost host;
    auto error = errorOf([&] { host.create("Nobody.Here"); });
    EXPECT_EQ(error.number, 429);
    EXPECT_TRUE(error.text.contains("Nobody.Here"));
    // ... and how to register it.
    EXPECT_TRUE(error.text.contains("quill-regsvr LIBRARY")) << error.text.toStdString();
    EXPECT_TRUE(error.text.contains("quill/classes")) << error.text.toStdString();

    // A registered class whose library file is gone, or is not a library, or has no entry.
    Registry registry = Registry::forUser();
    LibraryInfo info;
    info.id = Guid::createRandom();
    ClassInfo control;
    control.id = Guid::createRandom();
    control.progId = "Broken.Control";
    info.classes.push_back(control);

    registry.registerLibrary(info, QDir(folders.path()).filePath("missing.so"));
    error = errorOf([&] { host.create("Broken.Control"); });
    EXPECT_EQ(error.number, 53);
    EXPECT_TRUE(error.text.contains("missing.so"));

    const QString notALibrary = QDir(folders.path()).filePath("text.so");
    QFile text(notALibrary);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a library");
    text.close();
    registry.registerLibrary(info, notALibrary);
    error = errorOf([&] { host.create("Broken.Control"); });
    EXPECT_EQ(error.number, 48);
    EXPECT_TRUE(error.text.contains("text.so"));

    // The platform library itself loads but is no control library.
    registry.registerLibrary(info, QStringLiteral(QUILL_PLATFORM_LIBRARY));
    error = errorOf([&] { host.create("Broken.Control"); });
    EXPECT_EQ(error.number, 453);

    // The test module loads but does not make this class.
    registry.registerLibrary(info, TestModulePath);
    error = errorOf([&] { host.create("Broken.Control"); });
    EXPECT_EQ(error.number, 429);
    EXPECT_TRUE(error.text.contains(control.id.toString()));
}

TEST_F(Registration, LibraryUnloadsOnlyWhenNoInstanceLivesAndNoLockIsHeld)
{
    registerLibraryFile(TestModulePath);
    ComponentHost host;
    auto first = host.create(TestProgId);
    auto second = host.create(TestProgId);
    EXPECT_EQ(host.unloadUnused(), 0);
    EXPECT_TRUE(host.isLoaded(TestModulePath));
    first.reset();
    EXPECT_EQ(host.unloadUnused(), 0);
    second.reset();
    EXPECT_EQ(host.unloadUnused(), 1);
    EXPECT_FALSE(host.isLoaded(TestModulePath));

    // A locked factory keeps the library too.
    const LibraryDescriptor &descriptor = host.libraryDescriptor(TestModulePath);
    ClassFactory *factory = nullptr;
    const Guid id = *Guid::parse(TestClassId);
    ASSERT_EQ(
        const_cast<LibraryDescriptor &>(descriptor).getClassObject(&id, &factory), HResult::Ok);
    factory->lockServer(true);
    EXPECT_EQ(host.unloadUnused(), 0);
    factory->lockServer(false);
    EXPECT_EQ(host.unloadUnused(), 1);
}

TEST_F(Registration, FactoryRefusesAClassItDoesNotHave)
{
    registerLibraryFile(TestModulePath);
    ComponentHost host;
    auto &descriptor = const_cast<LibraryDescriptor &>(host.libraryDescriptor(TestModulePath));
    ClassFactory *factory = reinterpret_cast<ClassFactory *>(1);
    const Guid unknown = Guid::createRandom();
    EXPECT_EQ(descriptor.getClassObject(&unknown, &factory), HResult::ClassNotAvailable);
    EXPECT_EQ(factory, nullptr);
    EXPECT_EQ(descriptor.getClassObject(nullptr, &factory), HResult::InvalidPointer);
}

} // namespace

namespace {

// An installation of the test module under a prefix: the library in a modules folder and its
// machine-wide registration file in share/quill/classes, naming it relative to the prefix.
QString installTestModule(const QString &prefix, const QString &fileName = "TestKit.json")
{
    const QString library = QStringLiteral("lib/quill/controls/TestModule.so");
    QDir().mkpath(prefix + "/lib/quill/controls");
    QDir().mkpath(prefix + "/share/quill/classes");
    QFile::copy(TestModulePath, prefix + "/" + library);
    ComponentHost host {Registry {QString()}};
    Registry::writeMachineFile(prefix + "/share/quill/classes/" + fileName,
        host.libraryDescriptor(TestModulePath).info(), library, "../../..");
    return QDir::cleanPath(prefix + "/" + library);
}

} // namespace

TEST_F(Registration, InstalledLibrariesAreFoundWithoutRegisteringThem)
{
    const QString prefix = QDir(folders.path()).filePath("opt/quill");
    const QString installed = installTestModule(prefix);
    ScopedEnv dataDirs(
        "XDG_DATA_DIRS", (folders.machineDataDir() + ":" + prefix + "/share").toUtf8());
    ASSERT_FALSE(QFile::exists(Registry::userPath()));

    {
        ComponentHost host;
        const Registry::ClassEntry entry = host.classEntry(TestProgId);
        EXPECT_TRUE(entry.machineWide);
        EXPECT_EQ(entry.library, installed);
        EXPECT_EQ(entry.toolboxBitmap, installed + ", 100");
        EXPECT_EQ(entry.source, prefix + "/share/quill/classes/TestKit.json");
        EXPECT_EQ(host.create(TestProgId)->className(), "TestControl");
        const auto library = host.registry().findTypeLibrary(entry.typeLibrary);
        ASSERT_TRUE(library);
        EXPECT_EQ(library->library, installed);
    }
    // Nothing was written for the user.
    EXPECT_FALSE(QFile::exists(Registry::userPath()));

    // The installed tree moves as a whole and still works.
    const QString moved = QDir(folders.path()).filePath("usr/local");
    QDir().mkpath(QFileInfo(moved).absolutePath());
    ASSERT_TRUE(QDir().rename(prefix, moved));
    ScopedEnv movedDirs("XDG_DATA_DIRS", (moved + "/share").toUtf8());
    ComponentHost host;
    EXPECT_EQ(host.classEntry(TestClassId).library, moved + "/lib/quill/controls/TestModule.so");
    EXPECT_EQ(host.create(TestClassId)->className(), "TestControl");
}

TEST_F(Registration, TheUsersRegistrationComesBeforeTheMachineWideOne)
{
    const QString prefix = QDir(folders.path()).filePath("machine");
    installTestModule(prefix);
    registerLibraryFile(TestModulePath);

    const Registry registry = Registry::forUser();
    const auto entry = registry.findClass(*Guid::parse(TestClassId));
    ASSERT_TRUE(entry);
    EXPECT_FALSE(entry->machineWide);
    EXPECT_EQ(entry->source, Registry::userPath());
    EXPECT_EQ(entry->library, QFileInfo(TestModulePath).absoluteFilePath());
    // Listed once, as the user's.
    const auto classes = registry.classes();
    EXPECT_EQ(std::count_if(classes.begin(), classes.end(),
                  [](const Registry::ClassEntry &c) { return c.progId == TestProgId; }),
        1);

    // Unregistering for the user uncovers the machine-wide entry, which it leaves alone.
    unregisterLibraryFile(TestModulePath);
    const auto machine = Registry::forUser().findClass(*Guid::parse(TestClassId));
    ASSERT_TRUE(machine);
    EXPECT_TRUE(machine->machineWide);
    EXPECT_EQ(machine->library, QDir::cleanPath(prefix + "/lib/quill/controls/TestModule.so"));
}

// A damaged file of another package does not hide the classes of the others; a class that is
// in none of the readable files fails with the damaged file's error, as it may be the one that
// holds it.
TEST_F(Registration, ADamagedMachineWideFileFailsOnlyTheLookUpsItCouldAnswer)
{
    const QString prefix = QDir(folders.path()).filePath("machine");
    installTestModule(prefix, "b-TestKit.json");
    const QString damaged = prefix + "/share/quill/classes/a-Other.json";
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"classes\": {");
    file.close();

    ComponentHost host;
    EXPECT_EQ(host.create(TestProgId)->className(), "TestControl");
    const RaisedError error = errorOf([&] { host.create("Other.Thing"); });
    EXPECT_EQ(error.number, 321);
    EXPECT_TRUE(error.text.contains(damaged)) << error.text.toStdString();
    // Still unharmed.
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "{\"classes\": {");
}
