#include "../TestSupport/HostingTestSupport.h"
#include "Extender.h"
#include "HostForm.h"

#include "../Objects/StdFont.h"
#include "../Value/Conversions.h"
#include "../Value/Units.h"

#include <QDir>
#include <cmath>

using namespace platform;
using namespace platform::test;

namespace {

class HostFormTest : public WithTestModule
{
protected:
    ComponentHost host;
    HostForm form {host, "TestForm"};

    ControlSite &place(const PropertyBag *saved = nullptr)
    {
        return form.addControl(TestProgId, "Test1", {120, 240, 1200, 600}, saved);
    }
    static QString log(const ControlSite &site) { return toText(site.control()->get("Log")); }
};

TEST_F(HostFormTest, ANewInstanceIsInitialisedThenSized)
{
    ControlSite &site = place();
    EXPECT_EQ(log(site), "Initialize;Resize");
    EXPECT_EQ(site.widget()->objectName(), "Test1");
    EXPECT_EQ(site.widget()->parentWidget(), form.window());
    EXPECT_EQ(site.widget()->geometry(), QRect(8, 16, 80, 40));
    // Nothing was loaded: the fields keep what creation left.
    EXPECT_EQ(site.control()->get("Caption"), Variant(QString()));
    EXPECT_EQ(site.control()->get("Count"), Variant(0));
}

TEST_F(HostFormTest, SavedStateIsReadBetweenInitialiseAndResize)
{
    PropertyBag bag;
    bag.WriteProperty("caption", Variant("Loaded")); // lower case, as hosts store keys
    ControlSite &site = place(&bag);
    EXPECT_EQ(log(site), "Initialize;ReadProperties;Resize");
    EXPECT_EQ(site.control()->get("Caption"), Variant("Loaded"));
    EXPECT_EQ(site.control()->get("Count"), Variant(7)); // absent key: its default
}

TEST_F(HostFormTest, AStoredValueOfTheWrongTypeEndsReadPropertiesWithTypeMismatch)
{
    PropertyBag bag;
    bag.WriteProperty("Caption", Variant("Kept"));
    bag.WriteProperty("Count", Variant("not a number"));
    const RaisedError error = errorOf([&] { place(&bag); });
    EXPECT_EQ(error.number, 13);
    ControlSite *site = form.site("Test1");
    ASSERT_NE(site, nullptr);
    EXPECT_EQ(site->control()->get("Caption"), Variant("Kept"));
    EXPECT_EQ(log(*site), "Initialize;ReadProperties"); // no Resize after the failure
}

TEST_F(HostFormTest, SaveWritesExtentsFirstThenEveryKeyInLowerCase)
{
    PropertyBag empty;
    ControlSite &site = place(&empty);
    const PropertyBag saved = site.save();
    QStringList keys;
    for (const auto &entry : saved.entries())
        keys << entry.key;
    EXPECT_EQ(keys, QStringList({"_extentx", "_extenty", "caption", "count", "ratio", "flag"}));
    EXPECT_EQ(saved.ReadProperty("_extentx"), Variant(twipsToHimetric(1200)));
    EXPECT_EQ(saved.ReadProperty("_extenty"), Variant(twipsToHimetric(600)));
    // Every key, even where it equals its load default.
    EXPECT_EQ(saved.ReadProperty("Caption"), Variant("Hello"));
    EXPECT_EQ(saved.ReadProperty("Count"), Variant(7));
    EXPECT_EQ(saved.ReadProperty("Flag"), Variant(false));

    // What was saved loads back to the same state.
    HostForm other(host, "Other");
    ControlSite &copy = other.addControl(TestClassId, "Copy", {0, 0, 1200, 600}, &saved);
    EXPECT_EQ(copy.save().entries().size(), saved.entries().size());
    EXPECT_EQ(copy.control()->get("Caption"), Variant("Hello"));
}

TEST_F(HostFormTest, ErrorsReachTheHostWithNumberAndText)
{
    ControlSite &site = place();
    RaisedError error = errorOf([&] { site.control()->call("Fail"); });
    EXPECT_EQ(error.number, 31001);
    EXPECT_EQ(error.text, "Test control failed on purpose");

    PropertyBag failing;
    failing.WriteProperty("FailIn", Variant("Resize"));
    error = errorOf([&] { form.addControl(TestProgId, "Test2", {0, 0, 100, 100}, &failing); });
    EXPECT_EQ(error.number, 380);
    EXPECT_EQ(log(*form.site("Test2")), "Initialize;ReadProperties;Resize");

    failing.WriteProperty("FailIn", Variant("ReadProperties"));
    error = errorOf([&] { form.addControl(TestProgId, "Test3", {0, 0, 100, 100}, &failing); });
    EXPECT_EQ(error.number, 31001);
    EXPECT_EQ(error.text, "ReadProperties failed on purpose");
}

TEST_F(HostFormTest, MembersAreCheckedByKindAndArgumentCount)
{
    ControlSite &site = place();
    struct Case
    {
        const char *what;
        std::function<void()> call;
        int32_t number;
    };
    const DispatchPtr control = site.control();
    const DispId secret = control->idOfName("Secret");
    const Case cases[] = {
        {"get of a put-only member", [&] { control->invoke(secret, InvokeKind::PropertyGet, {}); },
            438},
        {"put of it works", [&] { control->invoke(secret, InvokeKind::PropertyLet, {Variant(1)}); },
            0},
        {"unknown id", [&] { control->invoke(0x1234, InvokeKind::Method, {}); }, 438},
        {"unknown name", [&] { control->idOfName("NoSuchMember"); }, 438},
        {"too many arguments", [&] { control->call("Fail", {Variant(1)}); }, 450},
        {"put without a value", [&] { control->invoke(secret, InvokeKind::PropertyLet, {}); }, 450},
        {"optional omitted", [&] { control->call("Fire"); }, 0},
        {"names are case-insensitive", [&] { control->get("caption"); }, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(errorOf(c.call).number, c.number) << c.what;
}

TEST_F(HostFormTest, EventsAndPropertyNoticesReachTheHost)
{
    ControlSite &site = place();
    std::vector<std::pair<DispId, Args>> events;
    site.onEvent = [&](DispId id, const Args &args) { events.emplace_back(id, args); };
    site.control()->call("Fire", {Variant("payload")});
    site.control()->call("Fire");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].first, 1);
    EXPECT_EQ(events[0].second, Args {Variant("payload")});
    EXPECT_TRUE(events[1].second.empty());

    site.control()->let("Caption", Variant("x"));
    site.control()->let("Count", Variant(3));
    EXPECT_EQ(site.changedProperties(), QStringList({"Caption", "Count"}));
    site.save();
    EXPECT_TRUE(site.changedProperties().isEmpty());
}

TEST_F(HostFormTest, ExtenderReadsAndSetsTheSizeInTheFormsUnits)
{
    ControlSite &site = place();
    const DispatchPtr extender = site.extender();
    EXPECT_EQ(
        extender->invoke(ExtenderDispId::Width, InvokeKind::PropertyGet, {}), Variant(1200.0f));
    EXPECT_EQ(
        extender->invoke(ExtenderDispId::Height, InvokeKind::PropertyGet, {}), Variant(600.0f));
    EXPECT_EQ(extender->get("Left"), Variant(120.0f));
    EXPECT_EQ(extender->get("Name"), Variant("Test1"));

    extender->invoke(ExtenderDispId::Width, InvokeKind::PropertyLet, {Variant(1500.5f)});
    EXPECT_EQ(site.Width(), 1500.5);
    EXPECT_EQ(site.widget()->width(), 100);
    EXPECT_EQ(log(site), "Initialize;Resize;Resize");

    const RaisedError error = errorOf([&] {
        extender->invoke(ExtenderDispId::Height, InvokeKind::PropertyLet, {Variant(-1.0f)});
    });
    EXPECT_EQ(error.number, 380);
    EXPECT_EQ(site.Height(), 600);
    EXPECT_EQ(log(site), "Initialize;Resize;Resize");

    // A control that changes its own size is seen at its new size.
    site.control()->call("GrowBy", {Variant(300)});
    EXPECT_EQ(
        extender->invoke(ExtenderDispId::Width, InvokeKind::PropertyGet, {}), Variant(1800.5f));
}

TEST_F(HostFormTest, ControlsSeeTheirFormThroughParentAndAmbient)
{
    form.setClientSize(6420, 4950);
    ControlSite &site = place();
    EXPECT_EQ(site.control()->call("ParentWidth"), Variant(6420.0f));
    EXPECT_EQ(site.control()->get("UserMode"), Variant(true));
    form.setUserMode(false);
    EXPECT_EQ(site.control()->get("UserMode"), Variant(false));

    const DispatchPtr parent = site.extender()->get("Parent").object();
    EXPECT_EQ(parent->call("ScaleX", {Variant(150), Variant(int16_t(1)), Variant(int16_t(3))}),
        Variant(10.0f));
    EXPECT_EQ(parent->get("ScaleMode"), Variant(int16_t(1)));
}

TEST_F(HostFormTest, AFormRoundTripsThroughItsSavedFormFile)
{
    form.setCaption("Round trip");
    form.setClientSize(6420, 4950);
    ControlSite &site = place();
    site.control()->let("Caption", Variant("Saved caption"));
    site.control()->let("Count", Variant(42));
    SavedControl button;
    button.kind = "CommandButton";
    button.name = "Command1";
    button.left = 3720;
    button.top = 120;
    button.width = 1575;
    button.height = 375;
    button.bag.WriteProperty("Caption", Variant("Erase recent"));
    form.addStandardControl(button);
    SavedControl timer {"Timer", "Timer1", 4800, 2520, {}, {}, {}, {}, {}};
    timer.bag.WriteProperty("Enabled", Variant(false));
    timer.bag.WriteProperty("Interval", Variant(20));
    form.addStandardControl(timer);

    const QString path = QDir(folders.path()).filePath("RoundTrip");
    writeFormFile(path, form.save());
    const std::unique_ptr<HostForm> loaded = HostForm::load(host, readFormFile(path));
    EXPECT_EQ(loaded->Caption(), "Round trip");
    EXPECT_EQ(loaded->ClientWidth(), 6420);
    ControlSite *copy = loaded->site("Test1");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->control()->get("Caption"), Variant("Saved caption"));
    EXPECT_EQ(copy->control()->get("Count"), Variant(42));
    EXPECT_EQ(copy->Left(), 120);
    EXPECT_EQ(copy->Width(), 1200);
    EXPECT_EQ(log(*copy), "Initialize;ReadProperties;Resize");
    const DispatchPtr command = loaded->standardControl("Command1");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->get("Caption"), Variant("Erase recent"));
    EXPECT_EQ(toDouble(command->get("Width")), 1575);
    EXPECT_EQ(loaded->standardControl("Timer1")->get("Interval"), Variant(20));
    EXPECT_EQ(loaded->standardControl("Timer1")->get("Enabled"), Variant(false));
    EXPECT_EQ(formText(loaded->save()), formText(form.save()));
}

// Every key of the form's own that loading takes comes back from saving, system colours (high
// bit set) included.
class FormOwnKeysTest : public HostFormTest, public testing::WithParamInterface<uint32_t>
{
};

TEST_P(FormOwnKeysTest, SaveKeepsEveryKeyLoadTakes)
{
    form.setCaption("Own keys");
    form.setClientSize(3000, 1500);
    auto font = std::make_shared<StdFont>();
    font->let("Name", Variant("DejaVu Sans"));
    font->let("Bold", Variant(true));
    form.setFont(font);
    form.setForeColor(GetParam());

    const std::unique_ptr<HostForm> loaded
        = HostForm::load(host, parseFormText(formText(form.save()), "OwnKeys"));
    EXPECT_EQ(loaded->Caption(), "Own keys");
    EXPECT_EQ(loaded->ClientWidth(), 3000);
    EXPECT_EQ(loaded->ClientHeight(), 1500);
    EXPECT_EQ(loaded->Font()->get("Name"), Variant("DejaVu Sans"));
    EXPECT_EQ(loaded->Font()->get("Bold"), Variant(true));
    EXPECT_EQ(loaded->ForeColor(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Colours, FormOwnKeysTest, testing::Values(0x000000FFu, 0x00FFFFFFu, 0x80000008u, 0x80000012u));

TEST_F(HostFormTest, LoadingRefusesUnknownKindsAndKeys)
{
    SavedForm saved;
    saved.name = "Bad";
    saved.controls.push_back({"NoSuchKind", "X", 0, 0, {}, {}, {}, {}, {}});
    EXPECT_EQ(errorOf([&] { HostForm::load(host, saved); }).number, 429);

    saved.controls.clear();
    SavedControl button {"CommandButton", "Command1", 0, 0, {}, {}, {}, {}, {}};
    button.bag.WriteProperty("Colour", Variant(1));
    saved.controls.push_back(button);
    const RaisedError error = errorOf([&] { HostForm::load(host, saved); });
    EXPECT_EQ(error.number, 438);
    EXPECT_TRUE(error.text.contains("Command1.Colour"));

    saved.controls.clear();
    saved.properties.WriteProperty("Opacity", Variant(1));
    EXPECT_EQ(errorOf([&] { HostForm::load(host, saved); }).number, 438);
}

// A form file from anywhere: whatever it holds, reading and building it gives a run-time error
// that names the file and the line, never a crash or another kind of failure.
TEST_F(HostFormTest, HostileFormFilesFailWithTheirFileAndLine)
{
    struct Case
    {
        const char *name;
        QString body; // the form's lines after "Form Hostile"
        int32_t number;
        int line;
    };
    const QString deep = QStringLiteral("Array(").repeated(40000) + QStringLiteral("Empty")
        + QStringLiteral(")").repeated(40000);
    const QString test = QStringLiteral("    Begin ") + TestProgId;
    const Case cases[] = {
        {"arrays nested 40000 deep", "    Tags = " + deep + "\nEnd\n", 321, 2},
        {"arrays nested 65 deep",
            "    Tags = " + QStringLiteral("Array(").repeated(65) + QStringLiteral(")").repeated(65)
                + "\nEnd\n",
            321, 2},
        {"a font that is a text", "    Font = String \"x\"\nEnd\n", 13, 2},
        {"a font that is nothing", "    Caption = String \"c\"\n    Font = Nothing\nEnd\n", 13, 3},
        {"a font that is an array", "    Font = Array(Long 1)\nEnd\n", 13, 2},
        {"a caption that is an array", "    Caption = Array(Long 1)\nEnd\n", 13, 2},
        {"a fore colour beyond 32 bits", "    ForeColor = Double 1e300\nEnd\n", 6, 2},
        {"a huge client width", "    ClientWidth = Double 1e300\nEnd\n", 6, 2},
        {"an infinite client width", "    ClientWidth = Double inf\nEnd\n", 6, 2},
        {"a client height that is no number", "    ClientHeight = Double nan\nEnd\n", 380, 2},
        {"a negative client width", "    ClientWidth = Long -100\nEnd\n", 380, 2},
        {"a button far away", "    Begin CommandButton B (1e300, 0, 100, 100)\n    End\nEnd\n", 6,
            2},
        {"a button at no number",
            "    Caption = String \"c\"\n    Begin CommandButton B (nan, 0, 100, 100)\n    "
            "End\nEnd\n",
            380, 3},
        {"a button of infinite height",
            "    Begin CommandButton B (0, 0, 100, -inf)\n    End\nEnd\n", 380, 2},
        {"a tab index beyond 16 bits",
            "    Begin CommandButton B (0, 0, 100, 100) TabIndex 40000\n    End\nEnd\n", 6, 2},
        {"a button caption that is an array",
            "    Begin CommandButton B (0, 0, 100, 100)\n        Caption = Array()\n    "
            "End\nEnd\n",
            13, 3},
        {"a library control far away", test + " T (0, 1e300, 100, 100)\n    End\nEnd\n", 6, 2},
        {"a library control of no width", test + " T (0, 0, nan, 100)\n    End\nEnd\n", 380, 2},
        {"a library control of negative width", test + " T (0, 0, -100, 100)\n    End\nEnd\n", 380,
            2},
        {"a library control's value of the wrong type",
            test + " T (0, 0, 100, 100)\n        Count = String \"many\"\n    End\nEnd\n", 13, 2},
    };
    for (const Case &c : cases) {
        const QString text = QStringLiteral("Form Hostile\n") + c.body;
        const RaisedError error = errorOf([&] {
            const std::unique_ptr<HostForm> loaded
                = HostForm::load(host, parseFormText(text, QStringLiteral("hostile.frm")));
        });
        EXPECT_EQ(error.number, c.number) << c.name << ": " << error.text.toStdString();
        EXPECT_TRUE(error.text.contains(QStringLiteral("hostile.frm line %1:").arg(c.line)))
            << c.name << ": " << error.text.toStdString();
    }
}

// Sizes set in code meet the same checks as sizes from a file.
TEST_F(HostFormTest, SizesBeyondWhatWindowsTakeAreRefused)
{
    ControlSite &site = place();
    const struct
    {
        double twips;
        int32_t position;
        int32_t size;
    } cases[] = {
        {std::nan(""), 380, 380},
        {1e300, 6, 6},
        {-1e300, 6, 380},
        {HUGE_VAL, 6, 6},
        {-HUGE_VAL, 6, 380},
        {MaxTwips + 15, 6, 6},
        {-120, 0, 380},
        {MaxTwips, 0, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(errorOf([&] { site.setLeft(c.twips); }).number, c.position) << c.twips;
        EXPECT_EQ(errorOf([&] { site.setWidth(c.twips); }).number, c.size) << c.twips;
        EXPECT_EQ(errorOf([&] { form.setClientSize(c.twips, 3000); }).number, c.size) << c.twips;
    }
}

TEST_F(HostFormTest, DispatchesOfAGoneSiteRefuseCalls)
{
    DispatchPtr extender;
    DispatchPtr parent;
    {
        HostForm shortLived(host, "ShortLived");
        ControlSite &site = shortLived.addControl(TestProgId, "T", {0, 0, 100, 100});
        extender = site.extender();
        parent = shortLived.dispatch();
    }
    EXPECT_EQ(errorOf([&] { extender->get("Width"); }).number, 91);
    EXPECT_EQ(errorOf([&] { parent->get("Width"); }).number, 91);
}

} // namespace
