#include "IdsHeader.h"

#include "../Hosting/UserControl.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;
using namespace platform::typegen;

namespace {

MemberInfo entry(const char *name, DispId id, InvokeKind kind)
{
    return {QString::fromUtf8(name), id, kind, QStringLiteral("long"), {}, {}};
}

// A library whose names C++ cannot all take as they stand: keywords, a reserved spelling, a
// class named after the standard namespace, the header's own names and an enumeration and a
// class of one name, and text that needs escapes.
LibraryInfo awkwardLibrary()
{
    LibraryInfo library;
    library.id = Guid::fromString("{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F11}");
    library.name = QStringLiteral("Awkward Kit");
    library.majorVersion = 2;
    library.minorVersion = 3;
    library.enums = {{QStringLiteral("std"),
        {{QStringLiteral("int"), -1, {}}, {QStringLiteral("Least"), INT32_MIN, {}}}}};
    ClassInfo std;
    std.id = Guid::fromString("{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F12}");
    std.name = QStringLiteral("std");
    std.progId = QStringLiteral("Awkward\"Kit\\std\u00e9");
    std.defaultInterface.members = {entry("delete", 0x60030000, InvokeKind::Method),
        entry("_NewEnum", -4, InvokeKind::PropertyGet),
        entry("Font", -512, InvokeKind::PropertyGet),
        entry("Font", -512, InvokeKind::PropertySetRef),
        entry("Member", 0x68030000, InvokeKind::PropertyGet),
        entry("Least", INT32_MIN, InvokeKind::Method)};
    std.eventInterface.members = {entry("class", 1, InvokeKind::Method)};
    std.create = [] { return std::unique_ptr<UserControl>(); };
    ClassInfo entries = std;
    entries.name = QStringLiteral("Entries");
    entries.progId = QStringLiteral("Awkward.Entries");
    entries.eventInterface.members.clear();
    library.classes = {std, entries};
    return library;
}

TEST(IdsHeader, WritesEachNameAsTheRulesSpellIt)
{
    const QString text = QString::fromUtf8(idsHeaderText(awkwardLibrary()));
    for (const char *line : {
             "namespace Awkward_Kit {",
             "inline constexpr const char LibraryId[] = "
             "\"{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F11}\";",
             "namespace std_ {",
             "inline constexpr ::std::int32_t int_ = -1;",
             "inline constexpr ::std::int32_t Least = -2147483647 - 1;",
             "namespace std {",
             "inline constexpr const char ProgId[] = \"Awkward\\\"Kit\\\\std\\303\\251\";",
             "inline constexpr ::std::int32_t delete_ = 0x60030000;",
             "inline constexpr ::std::int32_t NewEnum_ = -4; // 0xfffffffc",
             "inline constexpr ::std::int32_t Font = -512; // 0xfffffe00",
             "inline constexpr ::std::int32_t Member = 0x68030000;",
             "inline constexpr ::std::int32_t Least = -2147483647 - 1; // 0x80000000",
             "inline constexpr ::std::int32_t class_ = 0x00000001;",
             "namespace Entries_ {",
             "    {\"std\", EntryKind::Enumeration, \"std\", 0},",
             "    {\"std\", EntryKind::Constant, \"int\", std_::int_},",
             "    {\"std\", EntryKind::Method, \"delete\", std::Member::delete_},",
             "    {\"std\", EntryKind::Property, \"_NewEnum\", std::Member::NewEnum_},",
             "    {\"std\", EntryKind::Event, \"class\", std::Event::class_},",
             "    {\"Entries\", EntryKind::Class, \"Entries\", 0},",
         }) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(line) + u'\n')) << line << "\n"
                                                                    << text.toStdString();
    }
    // A property's get and put are one name.
    EXPECT_EQ(text.count(QStringLiteral("{\"std\", EntryKind::Property, \"Font\"")), 1);
}

TEST(IdsHeader, IsTheSameTextForTheSameLibrary)
{
    EXPECT_EQ(idsHeaderText(awkwardLibrary()), idsHeaderText(awkwardLibrary()));
}

// The compiler is the judge: the header needs nothing before it, and its names, awkward as the
// type library makes them, compile without a warning.
TEST(IdsHeader, CompilesOnItsOwnWithoutWarnings)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString header = dir.filePath(QStringLiteral("AwkwardMembers.h"));
    const QString source = dir.filePath(QStringLiteral("use.cpp"));
    QFile file(header);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(idsHeaderText(awkwardLibrary()));
    file.close();
    QFile use(source);
    ASSERT_TRUE(use.open(QIODevice::WriteOnly));
    use.write(
        "#include \"AwkwardMembers.h\"\n"
        "static_assert(Awkward_Kit::std::Member::Font == -512);\n"
        "static_assert(Awkward_Kit::std_::Least == -2147483647 - 1);\n"
        "static_assert(sizeof(Awkward_Kit::Entries) / sizeof(Awkward_Kit::Entry) == 16);\n"
        "int main() { return Awkward_Kit::Entries_::Member::delete_ == 0x60030000 ? 0 : 1; }\n");
    use.close();

    QProcess compiler;
    compiler.start(QStringLiteral(QUILL_CXX_COMPILER),
        {"-std=c++20", "-fsyntax-only", "-Wall", "-Wextra", "-Wpedantic", "-Werror", source});
    ASSERT_TRUE(compiler.waitForFinished(60000));
    EXPECT_EQ(compiler.exitCode(), 0) << compiler.readAllStandardError().toStdString();
}

} // namespace
