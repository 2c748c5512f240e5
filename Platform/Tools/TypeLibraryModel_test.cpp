#include "TypeLibraryModel.h"

#include "../Hosting/UserControl.h"
#include "../Value/RuntimeError.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace platform::typegen;

namespace {

MemberInfo entry(const char *name, DispId id, InvokeKind kind)
{
    return {QString::fromUtf8(name), id, kind, QStringLiteral("long"), {}, {}};
}

ClassInfo creatable(
    const char *name, std::vector<MemberInfo> members, std::vector<MemberInfo> events = {})
{
    ClassInfo info;
    info.name = QString::fromUtf8(name);
    info.defaultInterface.members = std::move(members);
    info.eventInterface.members = std::move(events);
    info.create = [] { return std::unique_ptr<UserControl>(); };
    return info;
}

LibraryInfo libraryOf(std::vector<ClassInfo> classes)
{
    LibraryInfo library;
    library.name = QStringLiteral("Kit");
    library.classes = std::move(classes);
    return library;
}

TEST(CppIdentifier, KeepsUsableNamesAndSpellsTheOthersByTheRules)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Text", "Text"},
        {"style", "style"},
        {"Delete", "Delete"}, // keywords are lower case
        {"delete", "delete_"},
        {"default", "default_"},
        {"and", "and_"},
        {"co_await", "co_await_"},
        {"_NewEnum", "NewEnum_"},
        {"__QuillForm", "QuillForm_"},
        {"Back Color", "Back_Color"},
        {"a--b", "a_b"},
        {"a__b", "a_b"},
        {"Gr\u00f6\u00dfe", "Gr_e"},
        {"1st", "n1st"},
        {"", "n"},
        {"_", "n_"},
    };
    for (const auto &[name, spelled] : cases)
        EXPECT_EQ(cppIdentifier(QString::fromUtf8(name)), QString::fromUtf8(spelled)) << name;
}

TEST(IdentifierScope, GivesEachNameOnceAndKeepsReservedOnesFree)
{
    IdentifierScope scope({QStringLiteral("Entries")});
    EXPECT_EQ(scope.claim(QStringLiteral("Entries")), "Entries_");
    EXPECT_EQ(scope.claim(QStringLiteral("delete")), "delete_");
    EXPECT_EQ(scope.claim(QStringLiteral("delete_")), "delete__");
    EXPECT_EQ(scope.claim(QStringLiteral("a b")), "a_b");
    EXPECT_EQ(scope.claim(QStringLiteral("a-b")), "a_b_");
    EXPECT_EQ(scope.claim(QStringLiteral("Other")), "Other");
}

TEST(LibraryModel, MergesAPropertysAccessorsAndKeepsTypeLibraryOrder)
{
    const LibraryInfo library = libraryOf({creatable("Box",
        {entry("Caption", 0x68030000, InvokeKind::PropertyGet),
            entry("Refresh", 0x60030000, InvokeKind::Method),
            entry("caption", 0x68030000, InvokeKind::PropertyLet),
            entry("Font", -512, InvokeKind::PropertySetRef)},
        {entry("Click", 2, InvokeKind::Method), entry("Change", 1, InvokeKind::Method)})});
    const LibraryModel model = modelOf(library);
    ASSERT_EQ(model.classes.size(), 1u);
    const ModelClass &box = model.classes[0];
    EXPECT_EQ(box.info, &library.classes[0]);
    ASSERT_EQ(box.members.size(), 3u);
    EXPECT_EQ(box.members[0].name, "Caption");
    EXPECT_EQ(box.members[0].kind, MemberKind::Property);
    EXPECT_EQ(box.members[0].entries.size(), 2u);
    EXPECT_EQ(box.members[1].name, "Refresh");
    EXPECT_EQ(box.members[1].kind, MemberKind::Method);
    EXPECT_EQ(box.members[2].id, -512);
    ASSERT_EQ(box.events.size(), 2u);
    EXPECT_EQ(box.events[0].name, "Click");
    EXPECT_EQ(box.events[0].id, 2);
    EXPECT_EQ(box.events[1].name, "Change");
}

TEST(LibraryModel, LeavesOutClassesThatCannotBeCreated)
{
    ClassInfo abstract = creatable("Abstract", {});
    abstract.create = nullptr;
    const LibraryInfo library = libraryOf({abstract, creatable("Box", {})});
    const LibraryModel model = modelOf(library);
    ASSERT_EQ(model.classes.size(), 1u);
    EXPECT_EQ(model.classes[0].identifier, "Box");
}

TEST(LibraryModel, SpellsClassesAndEnumerationsInOneScopeAfterTheReservedNames)
{
    LibraryInfo library = libraryOf({creatable("Entries", {}), creatable("Box", {})});
    library.enums = {{QStringLiteral("Box"), {{QStringLiteral("new"), 1, {}}}}};
    const LibraryModel model = modelOf(library, {QStringLiteral("Entries")});
    EXPECT_EQ(model.classes[0].identifier, "Entries_");
    EXPECT_EQ(model.classes[1].identifier, "Box");
    ASSERT_EQ(model.enums.size(), 1u);
    EXPECT_EQ(model.enums[0].identifier, "Box_");
    EXPECT_EQ(model.enums[0].constants[0].identifier, "new_");
    EXPECT_EQ(model.enums[0].constants[0].value, 1);
}

TEST(LibraryModel, RefusesWhatNoHeaderCanSayClearly)
{
    const std::pair<LibraryInfo, const char *> cases[] = {
        {libraryOf({}), "library Kit has no creatable class"},
        {libraryOf({creatable("Box",
             {entry("Caption", 0x68030000, InvokeKind::PropertyGet),
                 entry("Caption", 0x68030001, InvokeKind::PropertyLet)})}),
            "Box.Caption has two ids"},
        {libraryOf({creatable("Box",
             {entry("Refresh", 0x60030000, InvokeKind::Method),
                 entry("refresh", 0x60030000, InvokeKind::PropertyGet)})}),
            "Box.refresh is both a property and a method"},
        {libraryOf({creatable("Box", {},
             {entry("Click", 1, InvokeKind::Method), entry("Click", 1, InvokeKind::Method)})}),
            "Box declares the event Click twice"},
    };
    for (const auto &[library, message] : cases) {
        try {
            modelOf(library);
            ADD_FAILURE() << "no error: " << message;
        } catch (const RuntimeError &e) {
            EXPECT_EQ(e.number(), int32_t(ErrorNumber::InvalidFileFormat)) << message;
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(message))) << e.text().toStdString();
        }
    }
}

} // namespace
