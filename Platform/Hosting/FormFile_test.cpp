#include "../TestSupport/HostingTestSupport.h"
#include "FormFile.h"

#include "../Objects/StdFont.h"

#include <QDir>
#include <cmath>

using namespace platform;
using namespace platform::test;

namespace {

const char *const SampleForm = R"(# a saved form
Form TestForm
    Caption = String "TestForm"
    ClientWidth = Long 6420
    Font = Font(Name = "Tahoma", Size = 8.25, Weight = 700, Italic = False, Underline = False, Strikethrough = False, Charset = 0)
    Begin Quillkit.QuillComboBox QuillComboBox1 (120, 120, 3495, 315) TabIndex 0
        _extentx = Long 6165
        _extenty = Long 556
        searchtext = String "Texto a buscar"
    End
    Begin Quillkit.QuillForm QuillForm1 (4800, 1680)
        transparency = Long 0
    End
End
)";

TEST(FormFile, ReadsFormControlsAndTheirState)
{
    const SavedForm form = parseFormText(QString::fromUtf8(SampleForm), "sample");
    EXPECT_EQ(form.name, "TestForm");
    EXPECT_EQ(form.properties.ReadProperty("caption"), Variant("TestForm"));
    const Variant font = form.properties.ReadProperty("Font");
    ASSERT_EQ(font.kind(), VariantKind::Object);
    EXPECT_EQ(font.object()->get("Name"), Variant("Tahoma"));
    EXPECT_EQ(font.object()->get("Bold"), Variant(true));
    EXPECT_EQ(font.object()->get("Size"), Variant(Currency::fromRaw(82500)));

    ASSERT_EQ(form.controls.size(), 2u);
    const SavedControl &combo = form.controls[0];
    EXPECT_EQ(combo.kind, "Quillkit.QuillComboBox");
    EXPECT_EQ(combo.name, "QuillComboBox1");
    EXPECT_EQ(combo.left, 120);
    EXPECT_EQ(combo.width, 3495);
    EXPECT_EQ(combo.tabIndex, 0);
    EXPECT_EQ(combo.bag.entries().front().key, "_extentx");
    EXPECT_EQ(combo.bag.ReadProperty("SearchText"), Variant("Texto a buscar"));
    EXPECT_FALSE(form.controls[1].width);
    EXPECT_FALSE(form.controls[1].tabIndex);
}

TEST(FormFile, EveryValueKindRoundTrips)
{
    SavedForm form;
    form.name = "F";
    PropertyBag &bag = form.properties;
    bag.WriteProperty("empty", Variant());
    bag.WriteProperty("null", Variant::null());
    bag.WriteProperty("nothing", Variant::nothing());
    bag.WriteProperty("integer", Variant(int16_t(-32768)));
    bag.WriteProperty("long", Variant(INT32_MAX));
    bag.WriteProperty("byte", Variant(uint8_t(255)));
    bag.WriteProperty("single", Variant(0.1f));
    bag.WriteProperty("double", Variant(0.1 + 0.2));
    bag.WriteProperty("currency", Variant(Currency::fromRaw(INT64_MIN)));
    bag.WriteProperty("date", Variant::date(45000.25));
    bag.WriteProperty("boolean", Variant(true));
    bag.WriteProperty("error", Variant::error(5));
    bag.WriteProperty("string",
        Variant(
            QString("quote \" back \\ line\nbreak\ttab ") + QChar(0xD800) + QStringLiteral("ñ日")));
    bag.WriteProperty("array",
        Variant(std::vector<Variant> {Variant(1), Variant("a"), Variant(std::vector<Variant> {})}));
    SavedControl control;
    control.kind = "CommandButton";
    control.name = "Command1";
    control.left = 3720.5;
    control.top = 120;
    control.width = 1575;
    control.height = 375;
    control.tabIndex = 1;
    control.bag.WriteProperty("Caption", Variant("Erase recent"));
    form.controls.push_back(control);

    const QString text = formText(form);
    const SavedForm back = parseFormText(text, "text");
    ASSERT_EQ(back.properties.entries().size(), bag.entries().size());
    for (size_t i = 0; i < bag.entries().size(); ++i) {
        EXPECT_EQ(back.properties.entries()[i].key, bag.entries()[i].key);
        EXPECT_EQ(back.properties.entries()[i].value, bag.entries()[i].value)
            << bag.entries()[i].key.toStdString();
    }
    EXPECT_EQ(formText(back), text);
    EXPECT_EQ(back.controls[0].left, 3720.5);
}

// Numbers read back exactly, the sign of a zero and the values beyond the finite ones included,
// in a saved value of each floating kind and in a control's position and size.
class FormFileNumbers : public testing::TestWithParam<double>
{
};

TEST_P(FormFileNumbers, ReadBackExactly)
{
    const double value = GetParam();
    SavedForm form;
    form.name = "F";
    form.properties.WriteProperty("double", Variant(value));
    form.properties.WriteProperty("single", Variant(static_cast<float>(value)));
    form.properties.WriteProperty("date", Variant::date(value));
    SavedControl control;
    control.kind = "Some.Control";
    control.name = "C";
    control.left = value;
    control.top = value;
    control.width = value;
    control.height = value;
    form.controls.push_back(control);

    const QString text = formText(form);
    const SavedForm back = parseFormText(text, "numbers");
    const auto same = [&](double read) {
        return std::isnan(value) ? std::isnan(read)
                                 : read == value && std::signbit(read) == std::signbit(value);
    };
    EXPECT_TRUE(same(back.properties.ReadProperty("double").doubleValue())) << text.toStdString();
    EXPECT_TRUE(same(back.properties.ReadProperty("single").singleValue())) << text.toStdString();
    EXPECT_TRUE(same(back.properties.ReadProperty("date").doubleValue())) << text.toStdString();
    ASSERT_EQ(back.controls.size(), 1u);
    EXPECT_TRUE(same(back.controls[0].left)) << text.toStdString();
    EXPECT_TRUE(same(back.controls[0].top)) << text.toStdString();
    EXPECT_TRUE(same(*back.controls[0].width)) << text.toStdString();
    EXPECT_TRUE(same(*back.controls[0].height)) << text.toStdString();
    EXPECT_EQ(formText(back), text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormFileNumbers, testing::Values(-0.0, 0.0, -1.5, HUGE_VAL, -HUGE_VAL, std::nan("")));

TEST(FormFile, FilesRoundTripAndMissingOnesRaise53)
{
    IsolatedUserFolders folders;
    const QString path = QDir(folders.path()).filePath("TestForm");
    const SavedForm form = parseFormText(QString::fromUtf8(SampleForm), "sample");
    writeFormFile(path, form);
    EXPECT_EQ(formText(readFormFile(path)), formText(form));
    EXPECT_EQ(errorOf([&] { readFormFile(path + "-missing"); }).number, 53);
}

TEST(FormFile, MalformedFilesAreRefusedNamingTheLine)
{
    struct Case
    {
        const char *text;
        int line;
        const char *fragment;
    };
    const Case cases[] = {
        {"", 1, "no form"},
        {"Forms X\nEnd\n", 1, "\"Form name\" expected"},
        {"Form X\n    Caption = String \"open\n", 2, "not closed"},
        {"Form X\n    Caption = Text \"x\"\nEnd\n", 2, "unknown value kind"},
        {"Form X\n    Count = Long 12x\nEnd\n", 2, "not an integer"},
        {"Form X\n    Count = Integer 40000\nEnd\n", 2, "not an integer"},
        {"Form X\n    Count Long 1\nEnd\n", 2, "key = value"},
        {"Form X\n    Begin Kind Name (1, 2, 3)\n    End\nEnd\n", 2, "left and top"},
        {"Form X\n    Begin Kind Name 1, 2\n    End\nEnd\n", 2, "Begin kind name"},
        {"Form X\n    Begin Kind Name (1, 2) TabIndex x\n    End\nEnd\n", 2, "TabIndex"},
        {"Form X\n    Begin Kind Name (1, 2)\n        a = Long 1\n        A = Long 2\n    "
         "End\nEnd\n",
            4, "twice"},
        {"Form X\n    Begin Kind Name (1, 2)\n", 3, "\"End\" missing"},
        {"Form X\nEnd\nmore\n", 3, "after the end"},
        {"Form X\n    F = Font(Name = \"A\", Size = big)\nEnd\n", 2, "not a number"},
        {"Form X\n    F = Font(Colour = 1)\nEnd\n", 2, "font attribute Colour"},
        {"Form X\n    S = String \"a\\q\"\nEnd\n", 2, "unknown escape"},
        {"Form X\n    A = Array(Long 1, Long 2\nEnd\n", 2, "\")\" expected"},
        {"Form X\n    B = Boolean Yes\nEnd\n", 2, "True or False"},
        {"Form X\n    L = Long 1 2\nEnd\n", 2, "after the value"},
    };
    for (const Case &c : cases) {
        const RaisedError error
            = errorOf([&] { parseFormText(QString::fromUtf8(c.text), "bad.frm"); });
        EXPECT_EQ(error.number, 321) << c.text;
        EXPECT_TRUE(error.text.contains(QStringLiteral("bad.frm line %1:").arg(c.line)))
            << error.text.toStdString();
        EXPECT_TRUE(error.text.contains(QString::fromUtf8(c.fragment))) << error.text.toStdString();
    }
}

} // namespace
