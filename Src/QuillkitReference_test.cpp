// The reference pages written from Quillkit's own type library: every member and event of each
// class is on its class's page with its id, so that a member added, renamed or renumbered
// changes the page.
#include <Quillkit/Hosting/ComponentHost.h>
#include <Quillkit/TestSupport/TestEnvironment.h>
#include <Quillkit/Tools/ReferencePages.h>

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(QuillkitReference, EveryMemberIsOnItsClasssPageWithItsId)
{
    test::IsolatedUserFolders folders;
    ComponentHost host;
    const LibraryInfo &library = host.libraryDescriptor(QStringLiteral(QUILLKIT_MODULE)).info();
    const auto pages = typegen::referencePages(library, {}, QStringLiteral("pictures"));
    QStringList classes;
    for (const ClassInfo &info : library.classes) {
        classes << info.name;
        QString page;
        for (const auto &file : pages) {
            if (file.fileName == info.name + QStringLiteral(".html"))
                page = QString::fromUtf8(file.text);
        }
        ASSERT_FALSE(page.isEmpty()) << qPrintable(info.name);
        for (const InterfaceInfo *interface : {&info.defaultInterface, &info.eventInterface}) {
            for (const MemberInfo &member : interface->members) {
                const QString id = member.id >= 0
                    ? QStringLiteral("0x%1").arg(uint32_t(member.id), 8, 16, QChar(u'0'))
                    : QString::number(member.id);
                const QString row
                    = QStringLiteral("<tr id=\"%1\"><td><code>%1</code></td><td>%2</td>")
                          .arg(member.name, id);
                EXPECT_TRUE(page.contains(row)) << qPrintable(info.name + u'.' + member.name);
            }
        }
    }
    classes.sort();
    EXPECT_EQ(
        classes, QStringList({"QuillComboBox", "QuillForm", "QuillInputBox", "QuillPictureBox"}));
}

} // namespace
