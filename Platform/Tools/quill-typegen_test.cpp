// First and alone: the header the build wrote for the test module needs nothing before it.
#include <Quillkit/TestKitMembers.h>

#include "../Hosting/ComponentHost.h"
#include "../TestSupport/GeneratedIds.h"
#include "../TestSupport/HostingTestSupport.h"
#include "../Value/Conversions.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <iterator>

using namespace platform;

namespace {

const QString Tool = QStringLiteral(QUILL_TYPEGEN);

struct ToolRun
{
    int exitCode = -1;
    QString err;
};

ToolRun typegen(const QStringList &args)
{
    QProcess tool;
    tool.start(Tool, args);
    if (!tool.waitForFinished(60000))
        return {};
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardError())};
}

class TypeGen : public test::WithTestModule
{
protected:
    const LibraryInfo &library() { return host.libraryDescriptor(test::TestModulePath).info(); }
    ComponentHost host;
};

TEST_F(TypeGen, BuildsTheTestModulesHeaderWithItsIds)
{
    const auto header = test::idRowsOf(TestKit::Entries);
    EXPECT_THAT(test::idRowDifferences(header, test::idRowsOf(library())), testing::IsEmpty());
    EXPECT_EQ(std::size(TestKit::Entries), header.size()) << "a name listed twice";
    EXPECT_EQ(QString::fromUtf8(TestKit::TestControl::ProgId), test::TestProgId);
    EXPECT_EQ(QString::fromUtf8(TestKit::TestControl::ClassId), test::TestClassId);
}

// Through a host, by the header's names alone.
TEST_F(TypeGen, GivesIdsAHostCallsBy)
{
    const auto control = host.create(QString::fromUtf8(TestKit::TestControl::ProgId));
    control->invoke(TestKit::TestControl::Member::Count, InvokeKind::PropertyLet, {Variant(41)});
    EXPECT_EQ(
        toLong(control->invoke(TestKit::TestControl::Member::Count, InvokeKind::PropertyGet, {})),
        41);
    const test::RaisedError failed = test::errorOf(
        [&] { control->invoke(TestKit::TestControl::Member::Fail, InvokeKind::Method, {}); });
    EXPECT_EQ(failed.text, "Test control failed on purpose");
}

TEST_F(TypeGen, RewritesTheHeaderOnlyWhenItsTextChanges)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString output = dir.filePath(QStringLiteral("Quillkit/TestKitMembers.h"));
    ASSERT_EQ(typegen({"--ids", test::TestModulePath, output}).exitCode, 0);
    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray first = file.readAll();
    EXPECT_TRUE(first.contains("namespace TestKit {"));
    const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-1);
    ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    file.close();

    ASSERT_EQ(typegen({"--ids", test::TestModulePath, output}).exitCode, 0);
    EXPECT_EQ(QFileInfo(output).lastModified().toUTC(), old);

    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("// edited\n");
    file.close();
    ASSERT_EQ(typegen({"--ids", test::TestModulePath, output}).exitCode, 0);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), first);
}

TEST_F(TypeGen, FailsClearlyOnBadInput)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString output = dir.filePath(QStringLiteral("Members.h"));
    struct Case
    {
        QStringList args;
        int exitCode;
        QString message;
    };
    const Case cases[] = {
        {{}, 2, "usage: quill-typegen --ids LIBRARY OUTPUT.h"},
        {{"--ids", test::TestModulePath}, 2, "usage"},
        {{"--idz", test::TestModulePath, output}, 2, "usage"},
        {{"--ids", "/no/such/library.so", output}, 1,
            "quill-typegen: File not found: /no/such/library.so (error 53)"},
        {{"--ids", QStringLiteral(QUILL_PLATFORM_LIBRARY), output}, 1,
            "Can't find DLL entry point"},
        {{"--ids", test::TestModulePath, dir.path()}, 1, "(error 75)"},
    };
    for (const Case &c : cases) {
        const ToolRun run = typegen(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(output));
}

} // namespace
