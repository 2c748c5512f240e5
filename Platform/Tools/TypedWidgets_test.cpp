// The widgets quill-typegen wrote for the test module at build time: every kind of member
// reaches the control through its typed form, and the control's values come back through it.
#include <Quillkit/Widgets/TestKitWidgets.h>

#include "../Hosting/ComponentHost.h"
#include "../Objects/StdFont.h"
#include "../Objects/StdPicture.h"
#include "../TestSupport/HostingTestSupport.h"
#include "../Value/Conversions.h"

#include <QFile>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace platform;
using namespace platform::test;

namespace {

class TypedWidget : public WithTestModule
{
protected:
    void SetUp() override
    {
        WithTestModule::SetUp();
        widget = std::make_unique<TypedControlWidget>(host);
    }
    Variant byId(const char *name) { return widget->control()->get(QString::fromLatin1(name)); }
    void putById(const char *name, const Variant &value)
    {
        widget->control()->let(QString::fromLatin1(name), value);
    }

    ComponentHost host;
    std::unique_ptr<TypedControlWidget> widget;
};

// One property of a base type, both ways: the typed setter as the control sees it by id, and
// a value put by id as the typed getter reads it.
struct BaseCase
{
    const char *property; // the Q_PROPERTY
    const char *member; // the control's own name
    QVariant typed; // set through the Q_PROPERTY
    Variant seen; // what the control then holds
    Variant put; // put by id
    QVariant read; // what the Q_PROPERTY then reads
};

void PrintTo(const BaseCase &c, std::ostream *out)
{
    *out << c.property;
}

class BaseTypes : public TypedWidget, public testing::WithParamInterface<BaseCase>
{
};

TEST_P(BaseTypes, RoundTripThroughTheTypedProperty)
{
    const BaseCase &c = GetParam();
    ASSERT_TRUE(widget->setProperty(c.property, c.typed)) << c.property;
    EXPECT_EQ(byId(c.member), c.seen) << describe(byId(c.member)).toStdString();
    putById(c.member, c.put);
    EXPECT_EQ(widget->property(c.property), c.read) << c.property;
}

INSTANTIATE_TEST_SUITE_P(TypedWidget, BaseTypes,
    testing::Values(BaseCase {"Caption", "Caption", QString("Grüße"), Variant("Grüße"),
                        Variant("by id"), QString("by id")},
        BaseCase {
            "Count", "Count", 123456789, Variant(int32_t(123456789)), Variant(int32_t(-5)), -5},
        BaseCase {"Small", "Small", -300, Variant(int16_t(-300)), Variant(int16_t(32767)), 32767},
        BaseCase {"Ratio", "Ratio", 0.25, Variant(0.25f), Variant(1.5f), 1.5},
        BaseCase {"Precise", "Precise", 1e-300, Variant(1e-300), Variant(-2.5), -2.5},
        BaseCase {"Flag", "Flag", true, Variant(true), Variant(false), false},
        // Currency as exact text, to the last ten-thousandth of the 64-bit range.
        BaseCase {"Amount", "Amount", QString("922337203685477.5807"),
            Variant(Currency::fromRaw(INT64_MAX)), Variant(Currency::fromRaw(-1)),
            QString("-0.0001")},
        BaseCase {"Value", "Value", 42, Variant(int32_t(42)), Variant("text"), QString("text")},
        BaseCase {"update_", "update", 9, Variant(int32_t(9)), Variant(int32_t(10)), 10}));

TEST_F(TypedWidget, NarrowingAndMalformedValuesRaiseAsTheControlWould)
{
    EXPECT_EQ(errorOf([&] { widget->setSmall(40000); }).number, 6) << "Overflow";
    EXPECT_EQ(errorOf([&] { widget->setAmount("12,5 euros"); }).number, 13) << "Type mismatch";
    EXPECT_EQ(errorOf([&] { widget->setValue(QVariant::fromValue(QSize(1, 2))); }).number, 13)
        << "Type mismatch";
    EXPECT_EQ(toInteger(byId("Small")), 0);
    EXPECT_EQ(toCurrency(byId("Amount")), Currency());
}

TEST_F(TypedWidget, ColoursAreQColorsAndSystemColoursReadFromThePalette)
{
    // The control starts with the window-background system colour.
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, QColor(0x01, 0x02, 0x03));
    widget->setPalette(palette);
    EXPECT_EQ(widget->Tint(), QColor(0x01, 0x02, 0x03));

    widget->setTint(QColor(0x12, 0x34, 0x56, 0x80));
    EXPECT_EQ(toLong(byId("Tint")), 0x563412);
    putById("Tint", Variant(int32_t(0x0000FF)));
    EXPECT_EQ(widget->property("Tint").value<QColor>(), QColor(0xFF, 0, 0));
}

TEST_F(TypedWidget, FontsAreQFonts)
{
    QFont font("DejaVu Serif");
    font.setPointSizeF(15.5);
    font.setBold(true);
    font.setItalic(true);
    widget->setFont_(font);
    const auto seen = std::dynamic_pointer_cast<StdFont>(byId("Font").object());
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->Name(), "DejaVu Serif");
    EXPECT_EQ(seen->Size(), Currency::fromRaw(155000));
    EXPECT_TRUE(seen->Bold());
    EXPECT_TRUE(seen->Italic());
    EXPECT_FALSE(seen->Underline());

    auto other = std::make_shared<StdFont>();
    other->setName("DejaVu Sans Mono");
    other->setSize(Currency::fromRaw(90000));
    other->setUnderline(true);
    widget->control()->setRef("Font", other);
    const QFont read = widget->property("Font_").value<QFont>();
    EXPECT_EQ(read.family(), "DejaVu Sans Mono");
    EXPECT_DOUBLE_EQ(read.pointSizeF(), 9);
    EXPECT_TRUE(read.underline());
    EXPECT_FALSE(read.bold());
}

TEST_F(TypedWidget, PicturesAreQPixmaps)
{
    EXPECT_TRUE(widget->Picture().isNull());
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(QColor(0x20, 0x40, 0x60));
    widget->setPicture(QPixmap::fromImage(image));
    const auto seen = std::dynamic_pointer_cast<StdPicture>(byId("Picture").object());
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->image().size(), QSize(3, 2));
    EXPECT_EQ(seen->image().pixelColor(2, 1), QColor(0x20, 0x40, 0x60));

    QImage other(5, 4, QImage::Format_RGB32);
    other.fill(Qt::green);
    widget->control()->setRef("Picture", StdPicture::fromImage(other));
    const QPixmap read = widget->Picture();
    EXPECT_EQ(read.size(), QSize(5, 4));
    EXPECT_EQ(read.toImage().pixelColor(0, 0), QColor(Qt::green));
}

TEST_F(TypedWidget, EnumerationsAreQEnumsOfTheClass)
{
    const QMetaEnum shapes = QMetaEnum::fromType<TypedControlWidget::ShapeKind>();
    ASSERT_EQ(shapes.keyCount(), 3);
    EXPECT_STREQ(shapes.key(2), "shpStar");
    EXPECT_EQ(shapes.value(2), 7);

    widget->setShape(TypedControlWidget::shpStar);
    EXPECT_EQ(toLong(byId("Shape")), 7);
    putById("Shape", Variant(int32_t(1)));
    EXPECT_EQ(widget->Shape(), TypedControlWidget::shpSquare);
    // The property system takes the enumeration's keys, as Designer and .ui files give them.
    EXPECT_TRUE(widget->setProperty("Shape", "shpCircle"));
    EXPECT_EQ(toLong(byId("Shape")), 0);
}

TEST_F(TypedWidget, MethodsAreSlotsWithTypedArgumentsAndResults)
{
    EXPECT_DOUBLE_EQ(widget->Sum(2, 0.5), 2.5);
    widget->setSecret("s");
    EXPECT_EQ(widget->Describe("a", 5), "a:5:s");
    EXPECT_EQ(widget->Describe("a"), "a:(none):s");
    putById("Shape", Variant(int32_t(1)));
    EXPECT_EQ(widget->Reshape(TypedControlWidget::shpStar), TypedControlWidget::shpSquare);
    EXPECT_EQ(toLong(byId("Shape")), 7);

    // Through the meta-object, as a connection or a script would call them.
    QString described;
    ASSERT_TRUE(QMetaObject::invokeMethod(widget.get(), "Describe", Qt::DirectConnection,
        Q_RETURN_ARG(QString, described), Q_ARG(QString, "b"), Q_ARG(QVariant, QVariant("x"))));
    EXPECT_EQ(described, "b:x:s");
}

TEST_F(TypedWidget, EventsAreSignalsWithTypedArguments)
{
    QSignalSpy changed(widget.get(), &TypedControlWidget::Changed);
    QSignalSpy moved(widget.get(), &TypedControlWidget::Moved);
    putById("Caption", Variant("c"));
    putById("Count", Variant(int32_t(-7)));
    putById("Small", Variant(int16_t(12)));
    putById("Ratio", Variant(0.75f));
    putById("Flag", Variant(true));
    putById("Amount", Variant(Currency::fromRaw(12345)));
    putById("Tint", Variant(int32_t(0x00FF00)));
    putById("Shape", Variant(int32_t(7)));
    putById("Value", Variant(2.5));
    widget->control()->call("RaiseChanged");
    widget->control()->call("RaiseMoved");

    ASSERT_EQ(changed.count(), 1);
    const QList<QVariant> args = changed.takeFirst();
    ASSERT_EQ(args.size(), 9);
    EXPECT_EQ(args[0], QString("c"));
    EXPECT_EQ(args[1], -7);
    EXPECT_EQ(args[2], 12);
    EXPECT_EQ(args[3], 0.75);
    EXPECT_EQ(args[4], true);
    EXPECT_EQ(args[5], QString("1.2345"));
    EXPECT_EQ(args[6].value<QColor>(), QColor(0, 0xFF, 0));
    EXPECT_EQ(args[7].value<TypedControlWidget::ShapeKind>(), TypedControlWidget::shpStar);
    EXPECT_EQ(args[8].value<QVariant>(), QVariant(2.5));
    EXPECT_EQ(moved.count(), 1);
}

// What has no Qt form is left out of the class and listed, with the reason, in its header.
TEST_F(TypedWidget, MembersWithNoQtFormAreListedNotGenerated)
{
    const QMetaObject &meta = TypedControlWidget::staticMetaObject;
    for (const char *name : {"Item", "Self", "Secret", "Font", "update"})
        EXPECT_EQ(meta.indexOfProperty(name), -1) << name;
    EXPECT_NE(meta.indexOfProperty("Font_"), -1);
    EXPECT_EQ(meta.indexOfSignal("Handed(QVariant)"), -1);
    EXPECT_NE(meta.indexOfSlot("setSecret(QString)"), -1);

    QFile header(QStringLiteral(QUILL_WIDGETS_DIR "/TypedControlWidget.h"));
    ASSERT_TRUE(header.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(header.readAll());
    EXPECT_TRUE(text.contains("//   Item (property): an indexed property")) << text.toStdString();
    EXPECT_TRUE(text.contains("//   Self (property): the object type IDispatch* has no Qt form"));
    EXPECT_TRUE(text.contains("//   Handed (event): argument Item: the object type IDispatch*"));
}

TEST_F(TypedWidget, LaysOutFromTheDesignExtentAndCreatesByClassId)
{
    EXPECT_EQ(widget->sizeHint(), QSize(100, 30));
    EXPECT_EQ(widget->control()->className(), "TypedControl");
    EXPECT_EQ(widget->classEntry().progId, QString::fromLatin1(TypedControlWidget::ProgId));
}

// As a form compiler writes it: no host at hand.
TEST_F(TypedWidget, CreatesThroughTheProcesssDefaultHost)
{
    QWidget parent;
    auto *made = new TestControlWidget(&parent);
    made->setCaption("made");
    EXPECT_EQ(toText(made->control()->get("Caption")), "made");
    EXPECT_EQ(made->parentWidget(), &parent);
}

} // namespace
