// First and alone: the generated header compiles with nothing included before it.
#include <Quillkit/QuillkitMembers.h>

#include "QuillkitTestSupport.h"

#include <Quillkit/TestSupport/GeneratedIds.h>
#include <Quillkit/Value/Conversions.h>

#include <gmock/gmock.h>
#include <iterator>

namespace {

using platform::InvokeKind;
using platform::Variant;
using testing::IsEmpty;

class QuillkitMembers : public quillkit::test::WithQuillkit
{
protected:
    const platform::LibraryInfo &library()
    {
        return host.libraryDescriptor(quillkit::test::ModulePath).info();
    }
};

// Both ways: an id the header lacks, has wrong or has beyond the type library fails alike.
TEST_F(QuillkitMembers, ListEveryNameOfTheTypeLibraryWithItsId)
{
    const auto header = platform::test::idRowsOf(Quillkit::Entries);
    EXPECT_THAT(
        platform::test::idRowDifferences(header, platform::test::idRowsOf(library())), IsEmpty());
    EXPECT_EQ(std::size(Quillkit::Entries), header.size()) << "a name listed twice";
}

TEST_F(QuillkitMembers, NameEachClassAndTheLibraryByTheirIds)
{
    struct Case
    {
        const char *name;
        const char *progId;
        const char *classId;
    };
    const Case cases[] = {
        {"QuillComboBox", Quillkit::QuillComboBox::ProgId, Quillkit::QuillComboBox::ClassId},
        {"QuillInputBox", Quillkit::QuillInputBox::ProgId, Quillkit::QuillInputBox::ClassId},
        {"QuillForm", Quillkit::QuillForm::ProgId, Quillkit::QuillForm::ClassId},
        {"QuillPictureBox", Quillkit::QuillPictureBox::ProgId, Quillkit::QuillPictureBox::ClassId},
    };
    ASSERT_EQ(std::size(cases), library().classes.size());
    for (const Case &c : cases) {
        const platform::ClassInfo *info = library().findClass(QString::fromUtf8(c.name));
        ASSERT_TRUE(info) << c.name;
        EXPECT_EQ(info->progId, QString::fromUtf8(c.progId)) << c.name;
        EXPECT_EQ(info->id.toString(), QString::fromUtf8(c.classId)) << c.name;
    }
    EXPECT_EQ(library().id.toString(), QString::fromUtf8(Quillkit::LibraryId));
}

// What a host does with them: create by the header's ProgID, call by its member ids.
TEST_F(QuillkitMembers, DriveAControlThroughTheHost)
{
    namespace InputBox = Quillkit::QuillInputBox;
    platform::ControlSite &site = form.addControl(
        QString::fromUtf8(InputBox::ProgId), QStringLiteral("QuillInputBox1"), {0, 0, 2400, 300});
    const auto control = site.control();
    control->invoke(InputBox::Member::Text, InvokeKind::PropertyLet, {Variant("abc")});
    EXPECT_EQ(
        platform::toText(control->invoke(InputBox::Member::Text, InvokeKind::PropertyGet, {})),
        "abc");
    control->invoke(InputBox::Member::style, InvokeKind::PropertyLet,
        {Variant(Quillkit::style::INPUT_CURRENCY)});
    EXPECT_EQ(
        platform::toLong(control->invoke(InputBox::Member::style, InvokeKind::PropertyGet, {})),
        Quillkit::style::INPUT_CURRENCY);
}

} // namespace
