#include "ReferencePages.h"

#include "../Hosting/UserControl.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace platform::typegen;

namespace {

MemberInfo member(const char *name, DispId id, InvokeKind kind, const char *type,
    std::vector<ParamInfo> params = {}, QStringList attributes = {})
{
    return {QString::fromUtf8(name), id, kind, QString::fromUtf8(type), std::move(params),
        std::move(attributes)};
}

// Two classes, with a member of every kind, an enumeration, and text that HTML must escape.
LibraryInfo gaugeLibrary()
{
    LibraryInfo library;
    library.id = Guid::fromString("{7A2B3C4D-0000-4000-8000-00000000A001}");
    library.name = QStringLiteral("GaugeKit");
    library.helpString = QStringLiteral("Gauges & <dials>");
    library.enums = {{QStringLiteral("Needle"),
        {{QStringLiteral("NeedleThin"), 0, QStringLiteral("A thin needle")},
            {QStringLiteral("NeedleWide"), 7, {}}}}};
    ClassInfo gauge;
    gauge.id = Guid::fromString("{7A2B3C4D-0000-4000-8000-00000000A002}");
    gauge.name = QStringLiteral("Gauge");
    gauge.progId = QStringLiteral("GaugeKit.Gauge");
    gauge.defaultInterface.name = QStringLiteral("_Gauge");
    gauge.defaultInterface.members = {
        member("Value", 0x68030001, InvokeKind::PropertyGet, "long", {},
            {QStringLiteral("helpstring(\"Where the needle points\")")}),
        member("Value", 0x68030001, InvokeKind::PropertyLet, "long"),
        member("Style", 0x68030002, InvokeKind::PropertyGet, "Needle"),
        member("Mark", 0x68030003, InvokeKind::PropertyGet, "BSTR",
            {{QStringLiteral("Index"), QStringLiteral("short")}}),
        member("Reset", 0x60030004, InvokeKind::Method, "void",
            {{QStringLiteral("To"), QStringLiteral("long")},
                {QStringLiteral("Slowly"), QStringLiteral("VARIANT"), true}}),
    };
    gauge.create = [] { return std::unique_ptr<UserControl>(); };
    gauge.eventInterface.name = QStringLiteral("__Gauge");
    gauge.eventInterface.members = {member("Moved", 1, InvokeKind::Method, "void",
        {{QStringLiteral("From"), QStringLiteral("long")}})};
    ClassInfo dial = gauge;
    dial.id = Guid::fromString("{7A2B3C4D-0000-4000-8000-00000000A003}");
    dial.name = QStringLiteral("Dial");
    dial.progId = QStringLiteral("GaugeKit.Dial<1>");
    dial.defaultInterface.members = {member("Turn", 0x60030001, InvokeKind::Method, "void")};
    dial.eventInterface.members = {};
    library.classes = {gauge, dial};
    return library;
}

QString page(const std::vector<GeneratedText> &pages, const char *name)
{
    for (const GeneratedText &file : pages) {
        if (file.fileName == QLatin1String(name))
            return QString::fromUtf8(file.text);
    }
    ADD_FAILURE() << "no page " << name;
    return {};
}

TEST(ReferencePages, EachClassPageHoldsEveryMemberWithItsIdTypesAndQtForm)
{
    const LibraryInfo library = gaugeLibrary();
    const auto pages = referencePages(library, {}, QStringLiteral("pictures"));
    const QString gauge = page(pages, "Gauge.html");

    for (const char *expected : {"GaugeKit.Gauge", "{7A2B3C4D-0000-4000-8000-00000000A002}",
             "0x68030001", "get, let", "Where the needle points",
             "Q_PROPERTY(int Value READ Value WRITE setValue); slot void setValue(int value)",
             "0x68030002", "Q_PROPERTY(Needle Style READ Style)", "0x68030003", "short Index",
             "no Qt form: an indexed property", "0x60030004", "long To, [VARIANT Slowly]",
             "slot void Reset(int To, const QVariant &amp;Slowly = "
             "QVariant())",
             "signal void Moved(int From)", "NeedleThin", "A thin needle",
             "NeedleWide</code></td>"
             "<td>7",
             "GaugeWidget"})
        EXPECT_TRUE(gauge.contains(QString::fromUtf8(expected))) << expected;
    // Turn belongs to the other class alone.
    EXPECT_FALSE(gauge.contains(QStringLiteral("Turn")));
    const QString dial = page(pages, "Dial.html");
    EXPECT_TRUE(dial.contains(QStringLiteral("0x60030001")));
    EXPECT_FALSE(dial.contains(QStringLiteral("Needle")));
    EXPECT_TRUE(dial.contains(QStringLiteral("<h2>Events</h2>\n<p>None.</p>")));
}

TEST(ReferencePages, TheIndexLinksEveryClassAndTextIsEscaped)
{
    const auto pages = referencePages(gaugeLibrary(), {}, QStringLiteral("pictures"));
    const QString index = page(pages, "index.html");
    EXPECT_TRUE(index.contains(QStringLiteral("<a href=\"Gauge.html\">Gauge</a>")));
    EXPECT_TRUE(index.contains(QStringLiteral("<a href=\"Dial.html\">Dial</a>")));
    EXPECT_TRUE(index.contains(QStringLiteral("Gauges &amp; &lt;dials&gt;")));
    EXPECT_TRUE(index.contains(QStringLiteral("GaugeKit.Dial&lt;1&gt;")));
    EXPECT_FALSE(index.contains(QStringLiteral("<dials>")));
    page(pages, "reference.css");
}

TEST(ReferencePages, APageShowsItsClassesPicturesWithTheirTwiceScaleCopies)
{
    const QStringList pictures {QStringLiteral("Dial-turned.png"),
        QStringLiteral("Gauge-at-rest.png"), QStringLiteral("Gauge-at-rest@2x.png"),
        QStringLiteral("Gauge-moving.png"), QStringLiteral("Gaugeless.png")};
    const auto pages = referencePages(gaugeLibrary(), pictures, QStringLiteral("pictures"));
    const QString gauge = page(pages, "Gauge.html");
    EXPECT_TRUE(gauge.contains(QStringLiteral(
        "<img src=\"pictures/Gauge-at-rest.png\" srcset=\"pictures/Gauge-at-rest.png 1x, "
        "pictures/Gauge-at-rest@2x.png 2x\" alt=\"Gauge, at rest\">")));
    // No copy at twice the scale: the one picture alone.
    EXPECT_TRUE(gauge.contains(
        QStringLiteral("<img src=\"pictures/Gauge-moving.png\" alt=\"Gauge, moving\">")));
    EXPECT_EQ(gauge.count(QStringLiteral("<img ")), 2);
    EXPECT_EQ(page(pages, "Dial.html").count(QStringLiteral("<img ")), 1);
}

} // namespace
